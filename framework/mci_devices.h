// The program's own movie device in front of the system's MCI devices.
//
// Every MCI command string the player sends (MciSend) first meets the device installed here: an "open" goes
// to it first, and only a file it refuses goes on to the system's devices; a later command goes to
// whichever device holds its alias. With no device installed, everything goes to the system as before.
// Both backends route through RouteMciCommand, so the simulation and Windows choose alike.
#pragma once

#include "framework/fw_types.h"

#include <string>
#include <vector>

namespace fw {

// One word of an MCI command string: blanks separate words; a double-quoted word keeps its blanks (the
// quotes removed, `quoted` set; an unclosed quote runs to the end).
struct MciWord {
    std::wstring text;
    bool quoted;
};
std::vector<MciWord> SplitMciWords(const std::wstring& command);
// MCI keywords and aliases are case-insensitive (ASCII).
bool MciWordIs(const MciWord& word, const wchar_t* keyword);

class CMciDevice {
public:
    virtual ~CMciDevice() = default;
    // An "open" command (words already split). True when this device answers it: it opened the file
    // (*error 0), or refused it for a reason the system's devices would give too (a duplicate of an alias
    // it holds, a bad command). False when it cannot play the file: the command then goes to the system.
    virtual bool TryOpen(const std::vector<MciWord>& words, DWORD* error) = 0;
    // Whether this device holds the alias (case-insensitive).
    virtual bool Holds(const std::wstring& alias) const = 0;
    // Any other command on an alias it holds. Returns the MCI error code (0 for success) and the reply text
    // (empty for none); the router cuts the text to the caller's buffer.
    virtual DWORD Execute(const std::vector<MciWord>& words, std::wstring* reply) = 0;
    // The simulated platform calls this after moving its clock, so that tests see the device at rest at
    // each simulated instant (its workers done with what that instant asks). The real platform never does.
    virtual void Settle() {}
};

// Puts `device` in front of the system's devices (null removes it). The caller keeps it alive while it is
// installed and removes it before destroying it. UI thread.
void InstallMciDevice(CMciDevice* device);
CMciDevice* InstalledMciDevice();
// Forgets the device and the aliases the system's devices hold: for a fresh simulated platform, whose
// devices start with nothing open.
void ResetMciRoute();

// The route every MciSend takes: the installed device first (see above), otherwise `system` (the platform's
// own devices). `reply` and `replyCapacity` as plat::MciSend has them. UI thread.
typedef DWORD (*SystemMciFn)(const std::wstring& command, std::wstring* reply, UINT replyCapacity);
DWORD RouteMciCommand(const std::wstring& command, std::wstring* reply, UINT replyCapacity,
                      SystemMciFn system);

} // namespace fw
