#include "framework/mci_devices.h"

#include <cwctype>
#include <set>

namespace fw {

namespace {

CMciDevice* g_device = nullptr;

std::wstring Lower(const std::wstring& s) {
    std::wstring out(s);
    for (wchar_t& c : out)
        if (c >= L'A' && c <= L'Z') c = static_cast<wchar_t>(c - L'A' + L'a');
    return out;
}

// Aliases the system's devices opened through this route: an "open" of one of them goes straight to the
// system, which answers it as a duplicate, so that one alias never names two devices.
std::set<std::wstring>& SystemAliases() {
    static std::set<std::wstring> aliases;
    return aliases;
}

// The alias an "open" names ("alias <name>"), or the file itself when it names none.
std::wstring OpenedName(const std::vector<MciWord>& words) {
    for (size_t i = 2; i + 1 < words.size(); ++i)
        if (!words[i].quoted && MciWordIs(words[i], L"alias")) return Lower(words[i + 1].text);
    return words.size() > 1 ? Lower(words[1].text) : std::wstring();
}

void CutReply(DWORD error, std::wstring text, std::wstring* reply, UINT capacity) {
    if (!reply || capacity == 0) return;
    if (error) text.clear();
    if (text.size() > capacity - 1) text.resize(capacity - 1);
    *reply = text;
}

} // namespace

std::vector<MciWord> SplitMciWords(const std::wstring& command) {
    std::vector<MciWord> words;
    size_t i = 0;
    while (i < command.size()) {
        if (std::iswspace(static_cast<wint_t>(command[i]))) {
            ++i;
            continue;
        }
        if (command[i] == L'"') {
            const size_t end = command.find(L'"', i + 1);
            const size_t stop = end == std::wstring::npos ? command.size() : end;
            words.push_back(MciWord{command.substr(i + 1, stop - i - 1), true});
            i = end == std::wstring::npos ? command.size() : end + 1;
            continue;
        }
        size_t end = i;
        while (end < command.size() && !std::iswspace(static_cast<wint_t>(command[end])))
            ++end;
        words.push_back(MciWord{command.substr(i, end - i), false});
        i = end;
    }
    return words;
}

bool MciWordIs(const MciWord& word, const wchar_t* keyword) {
    return Lower(word.text) == keyword;
}

void InstallMciDevice(CMciDevice* device) {
    g_device = device;
}

CMciDevice* InstalledMciDevice() {
    return g_device;
}

void ResetMciRoute() {
    g_device = nullptr;
    SystemAliases().clear();
}

DWORD RouteMciCommand(const std::wstring& command, std::wstring* reply, UINT replyCapacity,
                      SystemMciFn system) {
    const std::vector<MciWord> words = SplitMciWords(command);
    if (g_device && words.size() >= 2 && !words[0].quoted) {
        const std::wstring name = MciWordIs(words[0], L"open") ? OpenedName(words) : Lower(words[1].text);
        if (MciWordIs(words[0], L"open")) {
            DWORD error = 0;
            if (!SystemAliases().count(name) && g_device->TryOpen(words, &error)) {
                CutReply(error, std::wstring(), reply, replyCapacity);
                return error;
            }
            const DWORD result = system(command, reply, replyCapacity);
            if (result == 0) SystemAliases().insert(name);
            return result;
        }
        if (g_device->Holds(name)) {
            std::wstring text;
            const DWORD error = g_device->Execute(words, &text);
            CutReply(error, text, reply, replyCapacity);
            return error;
        }
        const DWORD result = system(command, reply, replyCapacity);
        if (result == 0 && MciWordIs(words[0], L"close")) {
            if (name == L"all")
                SystemAliases().clear();
            else
                SystemAliases().erase(name);
        }
        return result;
    }
    return system(command, reply, replyCapacity);
}

} // namespace fw
