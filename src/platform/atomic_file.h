#pragma once
// The one file writer of the program: writes a whole file through a temporary
// file beside it, renamed over the target only when complete, so a failed
// write never destroys the old file. Where the system allows, the temporary
// file has no name until it is complete, so a save killed halfway leaves
// nothing behind; a named one left behind is removed by a later save beside
// it once its maker is certainly gone (platform/save_temporary.h).
#include <string>
#include <string_view>

namespace platform {

// True when `path` names an existing file that the user may not write: the
// system refuses it, or it has no write permission for anyone. A file the
// user made read-only stays so even for the superuser, whom the system never
// refuses.
bool IsReadOnlyFile(const std::string& path);

// One save under way. Every byte reaches the disk under `path` only through
// Commit(): the file is flushed before it replaces the old one and the folder
// flushed after. A replaced file keeps its permissions (and its group where
// allowed), a new one gets the usual ones (umask applies); a save through a
// symbolic link writes the link's target and keeps the link, a loop of links
// is refused with the system's reason and left as it is; a pipe, device or
// folder is refused ("it is not a regular file"), and so is a read-only file
// ("it is read-only"). Until Commit() succeeds the old file is untouched;
// a save that fails, or is dropped without Commit(), leaves no temporary file.
// Reason() holds a short cause ("No space left on device") for the caller to
// put into its message.
class AtomicFileWriter {
public:
    enum class Temporary {
        Unnamed,  // a file with no name until it is complete, where the system has them
        Named,    // always a hidden file beside the target
    };
    explicit AtomicFileWriter(const std::string& path, Temporary temporary = Temporary::Unnamed);
    ~AtomicFileWriter();
    AtomicFileWriter(const AtomicFileWriter&) = delete;
    AtomicFileWriter& operator=(const AtomicFileWriter&) = delete;

    bool Ok() const { return fd_ >= 0 && reason_.empty(); }
    // Appends bytes; false (with Reason()) once anything failed.
    bool Write(std::string_view data);
    // Puts the complete file in place of the old one.
    bool Commit();
    const std::string& Reason() const { return reason_; }

private:
    bool fail(int error);
    void discard();

    std::string target_, tempPath_;  // tempPath_ empty while the file has no name
    int fd_ = -1;
    std::string reason_;
};

// A whole file at once through AtomicFileWriter. On failure `reason` holds the
// short cause.
bool WriteFileAtomically(const std::string& path, std::string_view data, std::string& reason);

}  // namespace platform
