// libFuzzer target for the settings reader. Each input is used three ways:
//  - as a settings file: reading must stay in bounds and give at most nine values;
//  - as a template: the composed file must read back the values of every value line, in order;
//  - as one value text: the parse must agree with strtoll clamped into int.
// A broken property aborts, which libFuzzer reports with the input.
#include "panel/settings_text.h"

#include <climits>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

namespace {

// Value lines of a template, counted the plain way: a '=' starts one, which runs to the next LF.
size_t CountValueLines(std::string_view text) {
    size_t count = 0;
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '=') continue;
        ++count;
        while (i < text.size() && text[i] != '\n')
            ++i;
    }
    return count;
}

int ReferenceParse(std::string_view text) {
    const std::string copy(text); // strtoll stops at the first NUL, as the parser stops at any non-digit
    const long long v = std::strtoll(copy.c_str(), nullptr, 10);
    return v < INT_MIN ? INT_MIN : v > INT_MAX ? INT_MAX : static_cast<int>(v);
}

void Check(bool ok) {
    if (!ok) std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);

    Check(ReadSettingValues(text).size() <= static_cast<size_t>(kSettingPositions));

    static const int kValues[kSettingPositions] = {INT_MIN, -1, 0, 1, INT_MAX, 7, 25, 300, -300};
    const std::vector<int> back = ReadSettingValues(ComposeSettingsText(text, kValues));
    const size_t lines = CountValueLines(text);
    Check(back.size() == (lines < kSettingPositions ? lines : static_cast<size_t>(kSettingPositions)));
    for (size_t n = 0; n < back.size(); ++n)
        Check(back[n] == kValues[n]);

    const size_t lineEnd = text.find_first_of("\r\n");
    const std::string_view value = text.substr(0, lineEnd);
    Check(ParseSettingValue(value) == ReferenceParse(value));
    return 0;
}
