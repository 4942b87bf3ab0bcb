#include "panel/settings_text.h"

#include <climits>
#include <cstdio>

namespace {

const char kShippedTemplate[] = "[WindowPoint]\r\n"
                                "x=\r\n"
                                "y=\r\n"
                                "[MouseMode]\r\n"
                                "Wheel1_Play =\r\n"
                                "Wheel1_Pause=\r\n"
                                "Wheel2_Mode =\r\n"
                                "BottunMode  =\r\n";
static_assert(sizeof(kShippedTemplate) - 1 == 96, "the shipped template is 96 bytes");

bool IsBlank(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}
bool IsLineEnd(char c) {
    return c == '\r' || c == '\n';
}

} // namespace

std::string_view ShippedSettingsTemplate() {
    return std::string_view(kShippedTemplate, sizeof(kShippedTemplate) - 1);
}

int ParseSettingValue(std::string_view text) {
    size_t i = 0;
    while (i < text.size() && IsBlank(text[i]))
        ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
        negative = text[i] == '-';
        ++i;
    }
    // Magnitude saturates just past what an int can hold, so arbitrarily long digit runs cannot overflow.
    const long long limit = static_cast<long long>(INT_MAX) + 1;
    long long magnitude = 0;
    for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) {
        magnitude = magnitude * 10 + (text[i] - '0');
        if (magnitude > limit) magnitude = limit;
    }
    if (negative) return static_cast<int>(-magnitude); // -limit is INT_MIN
    return magnitude > INT_MAX ? INT_MAX : static_cast<int>(magnitude);
}

std::vector<int> ReadSettingValues(std::string_view text) {
    std::vector<int> values;
    size_t i = 0;
    while (values.size() < static_cast<size_t>(kSettingPositions)) {
        const size_t eq = text.find('=', i);
        if (eq == std::string_view::npos) break;
        size_t end = eq + 1;
        while (end < text.size() && !IsLineEnd(text[end]))
            ++end;
        values.push_back(ParseSettingValue(text.substr(eq + 1, end - (eq + 1))));
        // The search goes on after the character that ended the value (one CR or LF, or the end).
        i = end < text.size() ? end + 1 : end;
    }
    return values;
}

std::string ComposeSettingsText(std::string_view templ, const int (&values)[kSettingPositions]) {
    std::string out;
    out.reserve(templ.size() + kSettingPositions * 13);
    size_t i = 0;
    int position = 0;
    while (i < templ.size()) {
        const size_t eq = templ.find('=', i);
        if (eq == std::string_view::npos) {
            // Text after the last value line (a trailing section or comment) is kept as it stands; it is not
            // turned into a value line.
            out.append(templ.substr(i));
            break;
        }
        out.append(templ.substr(i, eq + 1 - i));
        // The rest of the template's line, its CR included, is dropped for the value.
        const size_t lf = templ.find('\n', eq + 1);
        if (position < kSettingPositions) {
            char number[16];
            const int len = std::snprintf(number, sizeof number, "%d", values[position]);
            out.append(number, static_cast<size_t>(len));
        }
        ++position;
        out.append("\r\n");
        i = lf == std::string_view::npos ? templ.size() : lf + 1;
    }
    return out;
}
