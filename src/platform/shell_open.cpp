#include "platform/shell_open.h"

#include <QDesktopServices>
#include <QUrl>

namespace platform {
namespace {
ShellResponder& responder() {
    static ShellResponder r;
    return r;
}
}  // namespace

bool ShellOpen(const std::string& path) {
    if (responder()) return responder()(path);
    return QDesktopServices::openUrl(QUrl::fromLocalFile(QString::fromStdString(path)));
}

void setShellResponder(ShellResponder r) { responder() = std::move(r); }

ShellRecorder::ShellRecorder(bool result) : result_(result) {
    setShellResponder([this](const std::string& path) {
        opened_.push_back(path);
        return result_;
    });
}

ShellRecorder::~ShellRecorder() { setShellResponder({}); }

}  // namespace platform
