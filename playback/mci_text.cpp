#include "playback/mci_text.h"

#include <climits>
#include <cwctype>

int ParseMciNumber(const std::wstring& reply) {
    size_t i = 0;
    while (i < reply.size() && std::iswspace(static_cast<wint_t>(reply[i]))) ++i;
    bool negative = false;
    if (i < reply.size() && (reply[i] == L'+' || reply[i] == L'-')) negative = reply[i++] == L'-';
    long long value = 0;
    for (; i < reply.size() && reply[i] >= L'0' && reply[i] <= L'9'; ++i) {
        value = value * 10 + (reply[i] - L'0');
        if (value > static_cast<long long>(INT_MAX) + 1) value = static_cast<long long>(INT_MAX) + 1;
    }
    if (negative) value = -value;
    if (value > INT_MAX) value = INT_MAX;
    if (value < INT_MIN) value = INT_MIN;
    return static_cast<int>(value);
}

bool BuildOpenCommand(const std::wstring& path, std::wstring* command) {
    if (path.find(L'"') != std::wstring::npos) return false;
    *command = L"open \"" + path + L"\" alias  movie";
    return true;
}

std::wstring HandleToDecimal(fw::HWND hwnd) {
    // Window handles are 32-bit values even in 64-bit processes; "%d" of the handle is what the device parses.
    const auto value = static_cast<int32_t>(static_cast<uint32_t>(reinterpret_cast<uintptr_t>(hwnd)));
    return std::to_wstring(value);
}
