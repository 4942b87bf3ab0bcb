// Where the settings file and its template live.
//
// One rule, the same for reading and writing: the settings file lies beside the program (the folder of the
// program's own file) while that folder takes new files. When the folder refuses them (see
// settings_folder.h), the file lies in the per-user folder under the same name; until a write has put it
// there, the file beside the program is read, so it seeds the per-user one. A per-user file is read only
// while the program's folder still refuses: a copy of the program in a folder it can write never reads one
// left from elsewhere. The template is only ever looked for beside the program.
#pragma once

#include <string>

extern const wchar_t kSettingsFileName[]; // "RIVO.CFG"
extern const wchar_t kTemplateFileName[]; // "RIVO.sys"

// Everything up to and including the last '\' of a program path; empty when it has no '\' (the file names
// are then relative to the current directory).
std::wstring DirectoryOfProgramPath(const std::wstring& programPath);

// The program's folder, from the program's own file name (empty when the platform does not tell).
std::wstring ProgramSettingsDir();

// The per-user folder (%APPDATA%\Telly\ on Windows) when it is a second place: empty when there is none or
// it is the program's own. Only where it is: nothing is created.
std::wstring PerUserSettingsDir();
// The same folder, made when missing: asked only to write there.
std::wstring CreatePerUserSettingsDir();

// The settings file the rule reads. The program's folder is asked (a trial file, nothing left behind) only
// when there is a per-user file to choose.
std::wstring SettingsFileToRead();

// True when the settings file the rule reads can be opened (OnInitDialog then reads it, else creates it).
bool SettingsFileExists();
