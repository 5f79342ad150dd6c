#pragma once
// Writes a whole file through a temporary file beside it, renamed over the
// target only when complete, so a failed write never destroys the old file.
#include <string>
#include <string_view>

namespace platform {

// Returns false with a message naming the file in `error`.
bool WriteFileAtomically(const std::string& path, std::string_view data, std::string& error);

}  // namespace platform
