// The playlist lives in the main window's hidden sorted list box 1006, one full path per item.
#pragma once

#include <string>
#include <vector>

// The start-up entry: the arguments after the program name joined by single blanks, so a path given unquoted
// with blanks is rebuilt from its pieces. No arguments give the empty entry. The whole text is kept.
std::wstring JoinCommandLineEntry(const std::vector<std::wstring>& args);
