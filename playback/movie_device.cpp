#include "playback/movie_device.h"

#include "framework/afxwin.h"
#include "framework/folders.h"

#include <climits>
#include <cstdint>
#include <cwctype>

namespace {

void Send(const std::wstring& command) {
    fw::MciSend(command, nullptr, 0);
}

int AskNumber(const wchar_t* query, fw::UINT replyLength) {
    std::wstring reply;
    fw::MciSend(query, &reply, replyLength);
    return ParseMciNumber(reply);
}

std::wstring Decimal(int v) {
    return std::to_wstring(v);
}

} // namespace

void CMovieDevice::Open(const std::wstring& path) {
    std::wstring command;
    if (!BuildOpenCommand(path, &command)) return;
    if (fw::MciSend(command, nullptr, 0) == 0 || !MayNeedShortForm(path)) return;
    // The same file by its short name, once, when its volume keeps one.
    const std::wstring shortPath = fw::ShortPathOf(path);
    if (!shortPath.empty() && shortPath != path && BuildOpenCommand(shortPath, &command)) Send(command);
}

bool MayNeedShortForm(const std::wstring& path) {
    if (path.size() >= kMciMaxPath) return true;
    for (wchar_t c : path)
        if (c > 0x7F) return true;
    return false;
}

void CMovieDevice::Close() {
    Send(L"close movie");
}

void CMovieDevice::Stop() {
    Send(L"stop movie");
}

void CMovieDevice::Play() {
    Send(L"play movie");
}

void CMovieDevice::PlayFrom(int position) {
    Send(L"play movie from " + Decimal(position));
}

void CMovieDevice::Pause() {
    Send(L"pause movie");
}

void CMovieDevice::Seek(int position) {
    Send(L"seek movie to " + Decimal(position));
}

void CMovieDevice::ShowInOwnWindow() {
    Send(L"window movie handle default");
}

void CMovieDevice::ShowIn(fw::HWND window) {
    Send(L"window movie handle " + HandleToDecimal(window));
}

void CMovieDevice::SetDestination(int left, int top, int width, int height) {
    Send(L"put movie destination at " + Decimal(left) + L" " + Decimal(top) + L" " + Decimal(width) + L" " +
         Decimal(height));
}

void CMovieDevice::UseMilliseconds() {
    Send(L"set movie time format milliseconds");
}

void CMovieDevice::UseFrames() {
    Send(L"set movie time format frames");
}

int CMovieDevice::Length(fw::UINT replyLength) {
    return AskNumber(L"status movie length", replyLength);
}

int CMovieDevice::Position(fw::UINT replyLength) {
    return AskNumber(L"status movie position", replyLength);
}

bool CMovieDevice::HasStopped() {
    std::wstring mode;
    fw::MciSend(L"status movie mode", &mode, kReply);
    return mode == L"stopped";
}

int ParseMciNumber(const std::wstring& reply) {
    size_t i = 0;
    while (i < reply.size() && std::iswspace(static_cast<wint_t>(reply[i])))
        ++i;
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
    // Window handles are 32-bit values even in 64-bit processes; "%d" of the handle is what the device
    // parses.
    const auto value = static_cast<int32_t>(static_cast<uint32_t>(reinterpret_cast<uintptr_t>(hwnd)));
    return std::to_wstring(value);
}
