#include "platform/file_dlg.h"

#include <QStandardPaths>
#include <algorithm>
#include <filesystem>
#include <system_error>
#include <vector>

#include "platform/common_dialog.h"
#include "platform/msgbox.h"

namespace platform {
namespace {

constexpr long kDocuments = 5;

// The name after the last folder separator.
std::string namePart(const std::string& path) {
    const auto slash = path.find_last_of('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

std::string withDefaultExt(const std::string& path, std::string ext) {
    if (ext.empty()) return path;
    if (ext.front() == '.') ext.erase(0, 1);
    const std::string name = namePart(path);
    if (ext.empty() || name.empty() || name.find('.') != std::string::npos) return path;
    return path + "." + ext;
}

std::vector<std::string> splitAtNul(const std::string& text) {
    std::vector<std::string> parts;
    std::size_t start = 0;
    for (std::size_t at; (at = text.find('\0', start)) != std::string::npos; start = at + 1)
        parts.push_back(text.substr(start, at - start));
    parts.push_back(text.substr(start));
    return parts;
}

// The folder of the first file and every name, NUL separated, as one text.
std::string folderAndNames(const std::vector<std::string>& files, std::string& folder) {
    folder = std::filesystem::path(files.front()).parent_path().string();
    std::string all = folder;
    for (const std::string& f : files) all += '\0' + namePart(f);
    return all;
}

}  // namespace

std::string PlatformFilter(const std::string& filter) {
    std::string out = filter;
    std::replace(out.begin(), out.end(), '|', '\0');
    std::replace(out.begin(), out.end(), ':', '\0');
    out += std::string(2, '\0');
    return out;
}

std::string GetNullSeparatedField(const std::string& list, long n) {
    std::size_t start = 0;
    for (long k = 1; k <= n; ++k) {
        const std::size_t first = list.find('\0', start);
        if (first == std::string::npos) return {};
        const std::size_t second = list.find('\0', first + 1);
        if (second == std::string::npos) return {};
        // The closing NULs of the list hold no pair.
        if (second == first + 1 && first == start) return {};
        if (k == n) return list.substr(start, second - start);
        start = second + 1;
    }
    return {};
}

std::string SpecialFolderPath(long id) {
    QStandardPaths::StandardLocation where;
    switch (id) {
    case 0: where = QStandardPaths::DesktopLocation; break;
    case kDocuments: where = QStandardPaths::DocumentsLocation; break;
    case 13: where = QStandardPaths::MusicLocation; break;
    case 14: where = QStandardPaths::MoviesLocation; break;
    case 39: where = QStandardPaths::PicturesLocation; break;
    case 40: where = QStandardPaths::HomeLocation; break;
    default: return {};
    }
    return QStandardPaths::writableLocation(where).toStdString();
}

cFileDlg::cFileDlg() : InitDirectory(SpecialFolderPath(kDocuments)), DlgTitle(kAppTitle) {}

void cFileDlg::InitDirectorySpecial(long SpecialDirectory) { InitDirectory = SpecialFolderPath(SpecialDirectory); }

long cFileDlg::OpenFlags() const {
    using namespace fileflags;
    long f = Flags & ~(kEnableHook | kEnableTemplate);
    if (FileMustExist) f |= kFileMustExist;
    if (MultiSelect) f |= kAllowMultiSelect;
    if (HideReadOnly) f |= kHideReadOnly;
    if (readOnly_) f |= kReadOnly;
    return f;
}

long cFileDlg::SaveFlags() const {
    using namespace fileflags;
    long f = (Flags & ~(kEnableHook | kEnableTemplate)) | kHideReadOnly;
    if (OverwritePrompt) f |= kOverwritePrompt;
    return f;
}

bool cFileDlg::VBGetOpenFileName(std::string& filename, std::string& FileTitle) {
    return show(false, filename, FileTitle);
}

bool cFileDlg::VBGetOpenFileNamePreview(std::string& filename, std::string& FileTitle) {
    return show(false, filename, FileTitle);
}

bool cFileDlg::VBGetSaveFileName(std::string& filename, std::string& FileTitle) {
    return show(true, filename, FileTitle);
}

bool cFileDlg::show(bool save, std::string& filename, std::string& FileTitle) {
    const std::string filter = PlatformFilter(Filter);
    // The dialog layer reads "|" between the parts.
    std::string pairs = Filter;
    std::replace(pairs.begin(), pairs.end(), ':', '|');
    const DialogRequest req{.kind = save ? DialogKind::Save : DialogKind::Open,
                            .title = DlgTitle,
                            .filter = pairs,
                            .fileName = filename,
                            .filterIndex = FilterIndex,
                            .flags = save ? SaveFlags() : OpenFlags(),
                            .color = 0,
                            .initDir = InitDirectory,
                            .defaultExt = DefaultExt,
                            .multiSelect = !save && MultiSelect,
                            .mustExist = !save && FileMustExist};
    while (true) {
        const DialogAnswer a = ShowDialog(req);
        if (!a.ok || a.fileName.empty()) {
            filename.clear();
            FileTitle.clear();
            Flags = 0;
            Filter.clear();
            FilterIndex = save ? 0 : -1;
            return false;
        }
        const std::vector<std::string> files = splitAtNul(a.fileName);
        std::string chosen, all;
        if (files.size() > 1) {
            all = folderAndNames(files, chosen);
            FileTitle.clear();
        } else {
            chosen = withDefaultExt(a.fileName, DefaultExt);
            all = chosen;
            FileTitle = VBGetFileTitle(chosen);
        }
        if (save && OverwritePrompt && ExistFile(chosen)) {
            const MsgResult r = MsgBox(chosen + " already exists.\nDo you want to replace it?", MsgButtons::YesNo,
                                       MsgIcon::Exclamation, DlgTitle);
            // "No" goes back to the dialog, as the desktop's own prompt does.
            if (r != MsgResult::Yes) continue;
        }
        filename = chosen;
        Flags = req.flags;
        FilterIndex = a.filterIndex > 0 ? a.filterIndex : req.filterIndex;
        Filter = GetNullSeparatedField(filter, FilterIndex);
        InitDirectory = all;
        return true;
    }
}

bool cFileDlg::ExistFile(const std::string& sSpec) {
    std::error_code ec;
    (void)std::filesystem::file_size(sSpec, ec);
    return !ec;
}

std::string cFileDlg::VBGetFileTitle(const std::string& sFile) { return namePart(sFile); }

}  // namespace platform
