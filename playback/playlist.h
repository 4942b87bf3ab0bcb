// The playlist lives in the main window's hidden sorted list box 1006, one full path per item.
#pragma once

#include <string>
#include <vector>

// How many leading arguments name the program: 1, unless the program's path was given unquoted with blanks,
// which splits it ("C:\Program" "Files\Telly\telly.exe"): then as many as rebuild `modulePath` (the
// program's own file) when joined by blanks, the whole path or its end, with or without ".exe". 0 for no
// arguments; 1 when `modulePath` is empty or no count rebuilds it.
size_t ProgramNameArguments(const std::vector<std::wstring>& args, const std::wstring& modulePath);

// The start-up entry: the arguments after the program's name joined by single blanks, so a movie's path
// given unquoted with blanks is rebuilt from its pieces, and the pieces of the program's own path are not
// taken for a movie. No arguments give the empty entry. The whole text is kept.
std::wstring JoinCommandLineEntry(const std::vector<std::wstring>& args, const std::wstring& modulePath);
