// MCI command strings and the wave-out volume, through winmm bound at run time (winmm_api.h says why).
#include "framework/mci_devices.h"
#include "framework/platform.h"
#include "framework/win32/win32_seam.h"
#include "framework/win32/winmm_api.h"

#include <vector>

namespace fw {
namespace plat {

using win32::Winmm;

namespace {

MCIERROR SendString(const std::wstring& command, std::wstring* reply, UINT replyCapacity) {
    const auto send = Winmm().mciSendStringW;
    if (!send) {
        if (reply) reply->clear();
        return MCIERR_DEVICE_NOT_INSTALLED;
    }
    if (!reply || replyCapacity == 0) return send(command.c_str(), nullptr, 0, nullptr);
    std::vector<wchar_t> buffer(replyCapacity, L'\0');
    const MCIERROR error = send(command.c_str(), buffer.data(), replyCapacity, nullptr);
    buffer.back() = L'\0'; // the device always terminates; this only guards the copy below
    reply->assign(buffer.data());
    return error;
}

DWORD SystemSend(const std::wstring& command, std::wstring* reply, UINT replyCapacity) {
    return static_cast<DWORD>(SendString(command, reply, replyCapacity));
}

} // namespace

DWORD MciSend(const std::wstring& command, std::wstring* reply, UINT replyCapacity) {
    return RouteMciCommand(command, reply, replyCapacity, &SystemSend);
}

namespace {
// waveOut*Volume take a device identifier in the handle's place for devices that are not open.
HWAVEOUT DeviceAsHandle(UINT device) {
    return reinterpret_cast<HWAVEOUT>(static_cast<UINT_PTR>(device));
}
} // namespace

MMRESULT WaveOutGetVolume(UINT device, DWORD* volume) {
    const auto get = Winmm().waveOutGetVolume;
    if (!get) return MMSYSERR_NODRIVER;
    ::DWORD value = 0;
    const MMRESULT result = get(DeviceAsHandle(device), &value);
    if (result == MMSYSERR_NOERROR && volume) *volume = static_cast<DWORD>(value);
    return result;
}

MMRESULT WaveOutSetVolume(UINT device, DWORD volume) {
    const auto set = Winmm().waveOutSetVolume;
    return set ? set(DeviceAsHandle(device), volume) : MMSYSERR_NODRIVER;
}

} // namespace plat
} // namespace fw
