// MCI command strings and the wave-out volume.
#include "framework/platform.h"
#include "framework/win32/mci_open_path.h"
#include "framework/win32/win32_seam.h"

#include <mmsystem.h>

#include <vector>

namespace fw {
namespace plat {

namespace {

MCIERROR SendString(const std::wstring& command, std::wstring* reply, UINT replyCapacity) {
    if (!reply || replyCapacity == 0) return mciSendStringW(command.c_str(), nullptr, 0, nullptr);
    std::vector<wchar_t> buffer(replyCapacity, L'\0');
    const MCIERROR error = mciSendStringW(command.c_str(), buffer.data(), replyCapacity, nullptr);
    buffer.back() = L'\0'; // the device always terminates; this only guards the copy below
    reply->assign(buffer.data());
    return error;
}

// The same open command naming the file by its short (8.3) path, or empty when that changes nothing.
std::wstring WithShortPath(const std::wstring& command) {
    size_t begin = 0, end = 0;
    if (!win32::FindOpenPath(command, &begin, &end) || win32::IsAscii(command, begin, end))
        return std::wstring();
    const std::wstring path = command.substr(begin, end - begin);
    const ::DWORD needed = GetShortPathNameW(path.c_str(), nullptr, 0);
    if (needed == 0) return std::wstring();
    std::vector<wchar_t> buffer(needed, L'\0');
    const ::DWORD length = GetShortPathNameW(path.c_str(), buffer.data(), needed);
    if (length == 0 || length >= needed) return std::wstring();
    const std::wstring shortPath(buffer.data(), length);
    if (shortPath == path) return std::wstring();
    return command.substr(0, begin) + shortPath + command.substr(end);
}

} // namespace

DWORD MciSend(const std::wstring& command, std::wstring* reply, UINT replyCapacity) {
    const MCIERROR error = SendString(command, reply, replyCapacity);
    if (error == 0) return error;
    // Wine's MCI cannot open a file whose name lies outside the ANSI code page, even through the W call
    // ("file not found"). The short name of the same file is plain ASCII and opens; on Windows, where the
    // first attempt already succeeds, this path is never taken.
    const std::wstring retry = WithShortPath(command);
    if (retry.empty()) return error;
    return SendString(retry, reply, replyCapacity);
}

namespace {
// waveOut*Volume take a device identifier in the handle's place for devices that are not open.
HWAVEOUT DeviceAsHandle(UINT device) {
    return reinterpret_cast<HWAVEOUT>(static_cast<UINT_PTR>(device));
}
} // namespace

MMRESULT WaveOutGetVolume(UINT device, DWORD* volume) {
    ::DWORD value = 0;
    const MMRESULT result = waveOutGetVolume(DeviceAsHandle(device), &value);
    if (result == MMSYSERR_NOERROR && volume) *volume = static_cast<DWORD>(value);
    return result;
}

MMRESULT WaveOutSetVolume(UINT device, DWORD volume) {
    return waveOutSetVolume(DeviceAsHandle(device), volume);
}

} // namespace plat
} // namespace fw
