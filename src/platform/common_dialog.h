#pragma once
// CommonDialog: the program's file and colour dialogs (open, save, colour),
// one instance per place of use, keeping its properties between showings.
// Every showing goes through one layer that tests answer and record with
// DialogRecorder, so no test blocks on a modal window.
#include <functional>
#include <stdexcept>
#include <string>
#include <vector>

namespace platform {

enum class DialogKind { Open, Save, Color };

// Thrown by a cancelled ShowOpen/ShowSave/ShowColor while CancelError is set.
class DialogCancelled : public std::runtime_error {
public:
    DialogCancelled() : std::runtime_error("Cancel was selected.") {}
};

class CommonDialog {
public:
    std::string FileName;
    // Pairs of description and pattern separated by "|", as "Data (*.cel)|*.cel|All|*.*";
    // a pattern may list several, separated by ";".
    std::string Filter;
    long FilterIndex = 1;      // the chosen pair, from 1
    std::string DialogTitle;
    long Flags = 0;            // 4 hides the read-only box (Qt's dialogs have none)
    bool CancelError = false;
    long Color = 0;            // &HBBGGRR
    std::string HelpFile;      // kept, never used

    // Each returns true when the user confirmed. A cancel leaves FileName
    // empty (file dialogs) or Color unchanged (colour dialog), then throws
    // DialogCancelled when CancelError is set. A name confirmed in a save
    // dialog without an extension gets the chosen filter's ("data" with
    // "*.cel" gives "data.cel"), so the file shows in the next open dialog.
    bool ShowOpen();
    bool ShowSave();
    bool ShowColor();

private:
    bool ShowFile(DialogKind kind);
};

// What a dialog was asked to show.
struct DialogRequest {
    DialogKind kind;
    std::string title, filter, fileName;
    long filterIndex, flags, color;
    std::string initDir = {};  // the folder to start in; empty: the dialog's own choice
    std::string defaultExt = {};  // added by the dialog to a name typed without one
    bool multiSelect = false;  // an open dialog may return several files
    bool mustExist = true;     // an open dialog returns existing files only
};

// The user's answer: ok false is Cancel.
struct DialogAnswer {
    bool ok = false;
    std::string fileName;      // several files (multiSelect) are separated by NUL characters
    long color = 0;
    long filterIndex = 0;      // 0 keeps the index asked for
};

// Shows the dialog asked for (or hands it to the installed responder).
DialogAnswer ShowDialog(const DialogRequest& request);

using DialogResponder = std::function<DialogAnswer(const DialogRequest&)>;
// Installs a responder in place of the real dialogs; an empty one restores them.
void setDialogResponder(DialogResponder responder);

// A test's helper: answers every dialog with the next queued answer (Cancel
// when the queue is empty) and keeps every request.
class DialogRecorder {
public:
    DialogRecorder();
    ~DialogRecorder();
    DialogRecorder(const DialogRecorder&) = delete;
    DialogRecorder& operator=(const DialogRecorder&) = delete;
    void queue(std::vector<DialogAnswer> answers) { queue_ = std::move(answers); }
    void answerFile(const std::string& name) { queue_.push_back({true, name, 0, 0}); }
    void answerColor(long color) { queue_.push_back({true, {}, color, 0}); }
    void answerCancel() { queue_.push_back({}); }
    const std::vector<DialogRequest>& shown() const { return shown_; }
    void clear() { shown_.clear(); }

private:
    std::vector<DialogAnswer> queue_;
    std::vector<DialogRequest> shown_;
};

// Qt's filter list for a Windows-style "desc|pattern|..." filter.
std::string ToQtFilter(const std::string& filter);
// The extension of the first pattern of the index-th (from 1) pair: ".cel"
// for "*.cel"; "" when it names none ("*.*", "*") or there is no such pair.
std::string FilterExtension(const std::string& filter, long index);

}  // namespace platform
