#pragma once
// The help: a guide in HTML beside the program, opened in the desktop's
// viewer. Trelvane has no web pages; the items that would open one say so.
#include <string>

// The help file's name; the program looks for it in its own folder.
inline constexpr const char* kHelpFileName = "help.html";

// Opens the help file; when it is missing or no viewer opens it, a message
// names its full path.
void OpenHelp(const std::string& path);
// Says that Trelvane has no web page and where its help is.
void ShowNoWebPage(const std::string& helpPath);
