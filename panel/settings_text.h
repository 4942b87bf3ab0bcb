// The settings file's text format, free of any platform: parsing values out of a settings file and composing
// a settings file from its template. The file is plain 8-bit text; only '=', CR and LF mean anything to it.
//
// Values travel by position: the n-th value line (the n-th '=' found at the start of a search) carries the
// n-th value of a fixed list; key texts and section lines are never looked at.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

// Number of values the list carries (window x and y, four mouse modes, scan-line mode, two band heights).
constexpr int kSettingPositions = 9;

// The template that ships beside the program, byte for byte (eight CR LF lines, six of them value lines,
// 96 bytes). Used when the template file cannot be opened or read.
std::string_view ShippedSettingsTemplate();

// Decimal value of a value text, as strtol would read it but without locale or errno and clamped into int:
// leading blanks (space, tab, VT, FF, CR, LF) skipped, an optional sign, then digits up to the first other
// character. No digits gives 0; a number outside int gives INT_MIN or INT_MAX.
int ParseSettingValue(std::string_view text);

// The values of a settings file by position: element n-1 is the value behind the n-th '='. The value text
// runs from the '=' to the first CR or LF (or the end); a further '=' inside it belongs to the value. At
// most kSettingPositions values are returned; fewer when the text has fewer '=' lines.
std::vector<int> ReadSettingValues(std::string_view text);

// Composes a settings file: the template's bytes copied through, each value line's text after its first '='
// replaced by the "%d" text of the value of its position (nothing beyond the last position) and ended by
// CR LF. Bytes after the template's last '=' line are copied unchanged. An empty template gives "".
std::string ComposeSettingsText(std::string_view templ, const int (&values)[kSettingPositions]);
