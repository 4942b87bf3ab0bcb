// Where the settings file and its template live.
//
// First choice is the program's own folder (the directory of argument 0). Where that folder cannot be written
// (say under Program Files), the settings file goes to the per-user settings folder instead, under the same
// name; reading then takes it from wherever it is, the program's folder first. The template is only ever
// looked for beside the program.
#pragma once

#include <string>

extern const wchar_t kSettingsFileName[]; // "RIVO.CFG"
extern const wchar_t kTemplateFileName[]; // "RIVO.sys"

// Everything up to and including the last '\' of a program path; empty when it has no '\' (the file names
// are then relative to the current directory).
std::wstring DirectoryOfProgramPath(const std::wstring& programPath);

// The program's folder, from argument 0 of the process (empty when there is no argument 0).
std::wstring ProgramSettingsDir();
// The per-user fallback folder, ending in '\'; empty when the platform has none.
std::wstring UserSettingsFolder();

// The per-user folder when it is a second place to look: empty when there is none or it is the program's.
// Asked only once the program's folder has been tried, because the platform creates it on asking.
std::wstring SecondSettingsFolder();

// True when a settings file can be opened for reading (OnInitDialog then reads it, else creates it).
bool SettingsFileExists();
