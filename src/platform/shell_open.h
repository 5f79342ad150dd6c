#pragma once
// Opening a document (a local file, such as the help) in the desktop's viewer
// for it. Every opening goes through ShellOpen so that tests install a
// ShellRecorder instead: no test ever launches a browser.
#include <functional>
#include <string>
#include <vector>

namespace platform {

// Opens the local file at `path` with the desktop's viewer; false when no
// viewer could be started.
bool ShellOpen(const std::string& path);

using ShellResponder = std::function<bool(const std::string& path)>;
// Installs a responder in place of the desktop; an empty one restores it.
void setShellResponder(ShellResponder responder);

// A test's helper: keeps every path asked for and answers with `result`.
class ShellRecorder {
public:
    explicit ShellRecorder(bool result = true);
    ~ShellRecorder();
    ShellRecorder(const ShellRecorder&) = delete;
    ShellRecorder& operator=(const ShellRecorder&) = delete;
    const std::vector<std::string>& opened() const { return opened_; }
    void setResult(bool result) { result_ = result; }

private:
    bool result_;
    std::vector<std::string> opened_;
};

}  // namespace platform
