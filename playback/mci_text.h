// Text helpers for the MCI command strings and replies of the movie controller.
#pragma once

#include "framework/fw_types.h"

#include <string>

// The decimal value at the start of a reply, as the runtime's atoi reads it (leading white space, optional
// sign, digits up to the first other character; none gives 0), but clamped to the int range instead of
// overflowing.
int ParseMciNumber(const std::wstring& reply);

// "open \"<path>\" alias  movie" (two blanks before the alias name: the device ignores the extra one).
// False for a path the command cannot carry: a double quote would end the quoted path early and turn the
// rest of the entry into MCI keywords, so such an entry is treated as unplayable and nothing is sent.
bool BuildOpenCommand(const std::wstring& path, std::wstring* command);

// A window handle as the decimal number "window movie handle %d" expects.
std::wstring HandleToDecimal(fw::HWND hwnd);
