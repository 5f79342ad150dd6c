#include "app/help/help.h"

#include <filesystem>

#include "platform/msgbox.h"
#include "platform/shell_open.h"

void OpenHelp(const std::string& path) {
    std::error_code ec;
    if (!std::filesystem::is_regular_file(path, ec)) {
        platform::MsgBox("The help file " + path + " was not found.", platform::MsgButtons::Ok,
                         platform::MsgIcon::Exclamation);
        return;
    }
    if (!platform::ShellOpen(path))
        platform::MsgBox("No program could be started to show the help file " + path + ".", platform::MsgButtons::Ok,
                         platform::MsgIcon::Exclamation);
}

void ShowNoWebPage(const std::string& helpPath) {
    platform::MsgBox("Trelvane has no web page and no support page. Its help is the file " + helpPath +
                         ", which Help > Contents... opens.",
                     platform::MsgButtons::Ok, platform::MsgIcon::Information);
}
