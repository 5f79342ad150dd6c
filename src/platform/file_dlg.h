#pragma once
// cFileDlg: open and save file dialogs behind properties, for code that wants
// a dialog with a start folder, a default extension, several files or a
// prompt before replacing a file. It shows its dialogs through the common
// dialog layer (common_dialog.h), which tests answer and record, and asks
// before replacing a file through MsgBox.
#include <string>

namespace platform {

// The dialog flags the properties stand for (the values of the common file
// dialogs, kept so that Flags reads as callers of such dialogs expect).
namespace fileflags {
inline constexpr long kReadOnly = 0x1;
inline constexpr long kOverwritePrompt = 0x2;
inline constexpr long kHideReadOnly = 0x4;
inline constexpr long kEnableHook = 0x20;
inline constexpr long kEnableTemplate = 0x40;
inline constexpr long kAllowMultiSelect = 0x200;
inline constexpr long kFileMustExist = 0x1000;
}  // namespace fileflags

class cFileDlg {
public:
    cFileDlg();

    long OwnerHwnd = -1;           // kept; the dialog belongs to the active window
    bool FileMustExist = true;
    bool MultiSelect = false;
    bool HideReadOnly = true;      // there is no read-only box to show
    // Description and pattern pairs, each part separated by "|" or ":".
    std::string Filter;
    long FilterIndex = 0;          // the chosen pair, from 1
    std::string InitDirectory;     // starts as the user's documents folder
    std::string DlgTitle;          // starts as the application's title
    std::string DefaultExt;
    long Flags = 0;
    bool OverwritePrompt = true;
    // Never set: the dialogs have no read-only box to tick.
    bool ReadOnly() const { return readOnly_; }

    // InitDirectory := the path of a special folder (0 desktop, 5 documents,
    // 13 music, 14 videos, 39 pictures, 40 home); empty for any other.
    void InitDirectorySpecial(long SpecialDirectory);

    // Each shows its dialog and returns True when the user confirmed. OK:
    // filename is the chosen file (with several chosen, their folder) and
    // FileTitle its name; Flags, FilterIndex, Filter (the chosen pair as
    // description, NUL, pattern) and InitDirectory (the chosen path, or the
    // folder and the names separated by NUL) hold the result. Cancel: both
    // texts, Filter and Flags empty or 0, FilterIndex -1 (open) or 0 (save).
    bool VBGetOpenFileName(std::string& filename, std::string& FileTitle);
    // The same dialog: no preview is offered.
    bool VBGetOpenFileNamePreview(std::string& filename, std::string& FileTitle);
    bool VBGetSaveFileName(std::string& filename, std::string& FileTitle);

    // True when the file's length can be read: an existing regular file.
    static bool ExistFile(const std::string& sSpec);
    // The name part of a path; empty when it has none.
    static std::string VBGetFileTitle(const std::string& sFile);

    // The flags each dialog is shown with.
    long OpenFlags() const;
    long SaveFlags() const;

private:
    bool show(bool save, std::string& filename, std::string& FileTitle);
    bool readOnly_ = false;
};

// Filter with every "|" and ":" made a NUL, then two NULs.
std::string PlatformFilter(const std::string& filter);
// The n-th description-and-pattern pair (from 1) of a platform filter as
// description, NUL, pattern; empty when there are fewer pairs.
std::string GetNullSeparatedField(const std::string& list, long n);
// The path of a special folder by its number (as InitDirectorySpecial).
std::string SpecialFolderPath(long id);

}  // namespace platform
