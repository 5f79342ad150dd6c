#pragma once
// Message boxes of the program. Every box goes through MsgBox so that tests can
// install a responder that answers and records it instead of a modal window.
#include <functional>
#include <string>
#include <vector>

namespace platform {

enum class MsgButtons { Ok, OkCancel, YesNo, YesNoCancel, RetryCancel };
enum class MsgIcon { None, Critical, Question, Exclamation, Information };
enum class MsgResult { Ok, Cancel, Yes, No, Retry };

// The application's title: the caption of boxes that carry no title of their own.
inline constexpr const char* kAppTitle = "Trelvane";

struct MsgRecord {
    std::string text;
    MsgButtons buttons;
    MsgIcon icon;
    std::string title;
};

// Shows a message box (or hands it to the installed responder) and returns the
// button pressed.
MsgResult MsgBox(const std::string& text, MsgButtons buttons = MsgButtons::Ok, MsgIcon icon = MsgIcon::None,
                 const std::string& title = kAppTitle);

using MsgResponder = std::function<MsgResult(const MsgRecord&)>;
// Installs a responder; an empty one restores the real boxes.
void setMsgResponder(MsgResponder responder);

// A test fixture's helper: answers every box with `answer` (or the next of a
// queue) and keeps what was shown.
class MsgRecorder {
public:
    explicit MsgRecorder(MsgResult answer = MsgResult::Ok);
    ~MsgRecorder();
    MsgRecorder(const MsgRecorder&) = delete;
    MsgRecorder& operator=(const MsgRecorder&) = delete;
    void queue(std::vector<MsgResult> answers) { queue_ = std::move(answers); }
    const std::vector<MsgRecord>& shown() const { return shown_; }
    std::vector<std::string> texts() const;
    void clear() { shown_.clear(); }

private:
    MsgResult answer_;
    std::vector<MsgResult> queue_;
    std::vector<MsgRecord> shown_;
};

}  // namespace platform
