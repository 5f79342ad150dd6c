#pragma once
// The one file writer of the program: writes a whole file through a temporary
// file beside it, renamed over the target only when complete, so a failed
// write never destroys the old file.
#include <string>
#include <string_view>

namespace platform {

// True when every byte reached the disk under `path`, the file flushed before
// it replaces the old one and the folder flushed after. A replaced file keeps
// its permissions (and its group where allowed); a save through a symbolic
// link writes the link's target and keeps the link; a pipe, device or folder
// is refused ("it is not a regular file"). On failure the old file is untouched, no temporary file is
// left, and `reason` holds a short cause ("No space left on device") for the
// caller to put into its message.
bool WriteFileAtomically(const std::string& path, std::string_view data, std::string& reason);

}  // namespace platform
