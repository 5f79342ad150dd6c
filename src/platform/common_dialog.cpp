#include "platform/common_dialog.h"

#include <QApplication>
#include <QColorDialog>
#include <QFileDialog>
#include <QFileInfo>
#include <QStringList>
#include <filesystem>

#include "platform/color_convert.h"

namespace platform {
namespace {

DialogResponder& responder() {
    static DialogResponder r;
    return r;
}

std::vector<std::string> split(const std::string& s, char sep) {
    std::vector<std::string> parts;
    std::size_t start = 0;
    while (true) {
        std::size_t at = s.find(sep, start);
        parts.push_back(s.substr(start, at == std::string::npos ? std::string::npos : at - start));
        if (at == std::string::npos) return parts;
        start = at + 1;
    }
}

DialogAnswer showFileDialog(const DialogRequest& req) {
    QFileDialog dlg(QApplication::activeWindow(), QString::fromStdString(req.title));
    // Our own overwrite question is asked by the caller; the native dialog
    // would hang a headless session.
    dlg.setOptions(QFileDialog::DontUseNativeDialog | QFileDialog::DontConfirmOverwrite);
    dlg.setAcceptMode(req.kind == DialogKind::Save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    QFileDialog::FileMode mode = QFileDialog::AnyFile;
    if (req.kind == DialogKind::Open && req.multiSelect) mode = QFileDialog::ExistingFiles;
    else if (req.kind == DialogKind::Open && req.mustExist) mode = QFileDialog::ExistingFile;
    dlg.setFileMode(mode);
    if (!req.initDir.empty()) {
        // A start "folder" that names a file (or a folder and its files, NUL
        // separated) starts in that file's folder.
        const QFileInfo start(QString::fromStdString(req.initDir.substr(0, req.initDir.find('\0'))));
        dlg.setDirectory(start.isDir() ? start.absoluteFilePath() : start.absolutePath());
    }
    if (!req.defaultExt.empty()) dlg.setDefaultSuffix(QString::fromStdString(req.defaultExt));
    QStringList filters = QString::fromStdString(ToQtFilter(req.filter)).split(QStringLiteral(";;"), Qt::SkipEmptyParts);
    if (!filters.isEmpty()) {
        dlg.setNameFilters(filters);
        if (req.filterIndex >= 1 && req.filterIndex <= filters.size())
            dlg.selectNameFilter(filters[static_cast<int>(req.filterIndex - 1)]);
    }
    if (!req.fileName.empty()) dlg.selectFile(QString::fromStdString(req.fileName));
    DialogAnswer a;
    if (dlg.exec() != QDialog::Accepted || dlg.selectedFiles().isEmpty()) return a;
    a.ok = true;
    a.fileName = dlg.selectedFiles().join(QChar(0)).toStdString();
    a.filterIndex = filters.indexOf(dlg.selectedNameFilter()) + 1;
    return a;
}

}  // namespace

DialogAnswer ShowDialog(const DialogRequest& req) {
    if (responder()) return responder()(req);
    if (req.kind != DialogKind::Color) return showFileDialog(req);
    DialogAnswer a;
    QColor c = QColorDialog::getColor(ToQColor(req.color), QApplication::activeWindow(), QString::fromStdString(req.title));
    if (c.isValid()) {
        a.ok = true;
        a.color = FromQColor(c);
    }
    return a;
}

std::string ToQtFilter(const std::string& filter) {
    if (filter.empty()) return {};
    std::vector<std::string> parts = split(filter, '|');
    std::string out;
    for (std::size_t i = 0; i < parts.size(); i += 2) {
        std::string desc = parts[i];
        std::string pattern = i + 1 < parts.size() ? parts[i + 1] : desc;
        for (char& ch : pattern)
            if (ch == ';') ch = ' ';
        if (desc.empty() && pattern.empty()) continue;
        std::string entry = desc;
        // Qt reads the patterns from the parentheses of each entry.
        if (!entry.ends_with("(" + pattern + ")")) entry += (entry.empty() ? "(" : " (") + pattern + ")";
        if (!out.empty()) out += ";;";
        out += entry;
    }
    return out;
}

std::string FilterExtension(const std::string& filter, long index) {
    const std::vector<std::string> parts = split(filter, '|');
    const std::size_t at = static_cast<std::size_t>(2 * index - 1);
    if (index < 1 || at >= parts.size()) return {};
    const std::string pattern = split(parts[at], ';').front();
    if (!pattern.starts_with("*.") || pattern.size() == 2) return {};
    const std::string ext = pattern.substr(1);
    return ext.find_first_of("*?[ ") == std::string::npos ? ext : std::string();
}

bool CommonDialog::ShowOpen() { return ShowFile(DialogKind::Open); }
bool CommonDialog::ShowSave() { return ShowFile(DialogKind::Save); }

bool CommonDialog::ShowFile(DialogKind kind) {
    DialogAnswer a = ShowDialog({kind, DialogTitle, Filter, FileName, FilterIndex, Flags, Color});
    if (!a.ok) {
        FileName.clear();
        if (CancelError) throw DialogCancelled();
        return false;
    }
    FileName = a.fileName;
    if (a.filterIndex > 0) FilterIndex = a.filterIndex;
    if (kind == DialogKind::Save && !FileName.empty() && std::filesystem::path(FileName).extension().empty())
        FileName += FilterExtension(Filter, FilterIndex);
    return true;
}

bool CommonDialog::ShowColor() {
    DialogAnswer a = ShowDialog({DialogKind::Color, DialogTitle, Filter, FileName, FilterIndex, Flags, Color});
    if (!a.ok) {
        if (CancelError) throw DialogCancelled();
        return false;
    }
    Color = a.color & 0xFFFFFF;
    return true;
}

void setDialogResponder(DialogResponder r) { responder() = std::move(r); }

DialogRecorder::DialogRecorder() {
    setDialogResponder([this](const DialogRequest& req) {
        shown_.push_back(req);
        if (queue_.empty()) return DialogAnswer{};
        DialogAnswer a = queue_.front();
        queue_.erase(queue_.begin());
        return a;
    });
}

DialogRecorder::~DialogRecorder() { setDialogResponder({}); }

}  // namespace platform
