#include "platform/msgbox.h"

#include <QApplication>
#include <QMessageBox>

namespace platform {
namespace {
MsgResponder& responder() {
    static MsgResponder r;
    return r;
}

QMessageBox::StandardButtons qtButtons(MsgButtons b) {
    switch (b) {
        case MsgButtons::Ok: return QMessageBox::Ok;
        case MsgButtons::OkCancel: return QMessageBox::Ok | QMessageBox::Cancel;
        case MsgButtons::YesNo: return QMessageBox::Yes | QMessageBox::No;
        case MsgButtons::YesNoCancel: return QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel;
        case MsgButtons::RetryCancel: return QMessageBox::Retry | QMessageBox::Cancel;
    }
    return QMessageBox::Ok;
}

QMessageBox::Icon qtIcon(MsgIcon i) {
    switch (i) {
        case MsgIcon::None: return QMessageBox::NoIcon;
        case MsgIcon::Critical: return QMessageBox::Critical;
        case MsgIcon::Question: return QMessageBox::Question;
        case MsgIcon::Exclamation: return QMessageBox::Warning;
        case MsgIcon::Information: return QMessageBox::Information;
    }
    return QMessageBox::NoIcon;
}
}  // namespace

MsgResult MsgBox(const std::string& text, MsgButtons buttons, MsgIcon icon, const std::string& title) {
    if (responder()) return responder()(MsgRecord{text, buttons, icon, title});
    QMessageBox box(qtIcon(icon), QString::fromStdString(title), QString::fromStdString(text), qtButtons(buttons),
                    QApplication::activeWindow());
    switch (box.exec()) {
        case QMessageBox::Ok: return MsgResult::Ok;
        case QMessageBox::Yes: return MsgResult::Yes;
        case QMessageBox::No: return MsgResult::No;
        case QMessageBox::Retry: return MsgResult::Retry;
        default: return buttons == MsgButtons::Ok ? MsgResult::Ok : MsgResult::Cancel;
    }
}

void setMsgResponder(MsgResponder r) { responder() = std::move(r); }

MsgRecorder::MsgRecorder(MsgResult answer) : answer_(answer) {
    setMsgResponder([this](const MsgRecord& rec) {
        shown_.push_back(rec);
        if (!queue_.empty()) {
            MsgResult r = queue_.front();
            queue_.erase(queue_.begin());
            return r;
        }
        return answer_;
    });
}

MsgRecorder::~MsgRecorder() { setMsgResponder({}); }

std::vector<std::string> MsgRecorder::texts() const {
    std::vector<std::string> t;
    for (const auto& r : shown_) t.push_back(r.text);
    return t;
}

}  // namespace platform
