#include "bench/win32/mci_meter.h"

#include "bench/win32/bench_win32.h"
#include "framework/afxwin.h"
#include "framework/mci_devices.h"

#include <cwchar>

namespace bench {

namespace {

constexpr fw::UINT kReplyLength = 255;

std::string Narrow(const std::wstring& word) {
    std::string out;
    for (wchar_t c : word)
        out += c >= L'A' && c <= L'Z' ? static_cast<char>(c - L'A' + 'a')
               : c < 128              ? static_cast<char>(c)
                                      : '?';
    return out;
}

} // namespace

std::string CMciMeter::Kind(const std::wstring& command) {
    const std::vector<fw::MciWord> words = fw::SplitMciWords(command);
    if (words.empty()) return "(empty)";
    std::string kind = Narrow(words[0].text);
    if (kind == "status" && words.size() >= 3) kind += " " + Narrow(words[2].text);
    if (kind == "play" && words.size() >= 3) kind += " " + Narrow(words[2].text);
    return kind;
}

fw::DWORD CMciMeter::Send(const std::wstring& command, std::wstring* reply) {
    // As the player: commands without a reply pass no buffer.
    const double start = NowMs();
    const fw::DWORD error = fw::MciSend(command, reply, reply ? kReplyLength : 0);
    m_lastMs = NowMs() - start;
    Held& held = m_kinds[Kind(command)];
    if (m_lastMs > held.longestMs) held.longestMs = m_lastMs;
    ++held.count;
    if (m_lastMs > 10) ++held.over10Ms;
    return error;
}

long long CMciMeter::Status(const wchar_t* item) {
    std::wstring reply;
    if (Send(std::wstring(L"status movie ") + item, &reply) != 0) return 0;
    return std::wcstoll(reply.c_str(), nullptr, 10);
}

} // namespace bench
