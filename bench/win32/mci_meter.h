// Every MCI command of the movie benchmark goes through here: sent with fw::MciSend, as the player sends
// it, and timed, so that the longest time each kind of command held the UI thread can be reported.
// UI thread only.
#pragma once

#include "framework/fw_types.h"

#include <map>
#include <string>

namespace bench {

class CMciMeter {
public:
    struct Held {
        double longestMs = 0;
        long long count = 0;
        long long over10Ms = 0; // sends that held the UI thread longer than 10 ms
    };

    // Sends `command` (the reply, if any, into `reply`; 255 characters as the player asks) and notes how long
    // the call took under the command's kind (see Kind). Returns the MCI error code.
    fw::DWORD Send(const std::wstring& command, std::wstring* reply = nullptr);
    // "status movie <item>" read as a number (0 when the device answers nothing or an error).
    long long Status(const wchar_t* item);
    // The last call's time.
    double LastMs() const { return m_lastMs; }

    const std::map<std::string, Held>& Kinds() const { return m_kinds; }

    // The verb, its "from" for a play from a frame, and the item of a status query: "play from",
    // "status position", "window".
    static std::string Kind(const std::wstring& command);

private:
    std::map<std::string, Held> m_kinds;
    double m_lastMs = 0;
};

} // namespace bench
