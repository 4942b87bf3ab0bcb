// Reader of the resource-script subset res/telly.rc is written in: DIALOGEX/DIALOG blocks with STYLE,
// EXSTYLE, CAPTION and FONT lines, CONTROL statements and the usual control shorthands (LTEXT, PUSHBUTTON,
// SCROLLBAR, ...). Everything else at the top level (ICON, BITMAP, LANGUAGE, #pragma, #include, blocks of
// other resources) is skipped.
#pragma once

#include "framework/sim/sim.h"

#include <map>
#include <string>

namespace sim {
namespace detail {

typedef std::map<std::string, long> DefineTable;

// `#define NAME number` lines of a header (others ignored) added to *defines.
void ReadDefines(const std::string& headerText, DefineTable* defines);
// Parses the script. Names are looked up in `defines` and in the table of window style names. Returns
// false with *error ("line N: ...") at the first statement it cannot read; templates read before it stay.
bool ParseResourceScript(const std::string& text, const DefineTable& defines,
                         std::map<int, DialogTemplate>* out, std::string* error);
// Value of a style name (WS_*, WS_EX_*, DS_*, BS_*, SS_*, ES_*, LBS_*, SBS_*); false for unknown names.
bool StyleValue(const std::string& name, unsigned long* value);

} // namespace detail
} // namespace sim
