// Fuzz target of Telly's movie device: any bytes as a movie file, opened, sought, played and closed through
// the MCI strings the player sends, on the simulated platform. The first two bytes choose the seek target;
// the rest is the file. Whatever the bytes, the device must refuse them or play them to an end, and never
// crash, leak or hang.
#include "framework/mci_devices.h"
#include "framework/sim/sim.h"
#include "media/telly_movie_device.h"

#include <cstdint>
#include <cstdio>
#include <string>
#include <unistd.h>

namespace {

const std::string& ScratchFile() {
    static const std::string path = "/tmp/telly-movie-fuzz-" + std::to_string(::getpid());
    return path;
}

void Send(const std::wstring& command) {
    fw::MciSend(command, nullptr, 0);
}

int Number(const std::wstring& command) {
    std::wstring reply;
    fw::MciSend(command, &reply, 32);
    return reply.empty() ? 0 : std::stoi(reply);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < 2) return 0;
    FILE* f = std::fopen(ScratchFile().c_str(), "wb");
    if (!f) return 0;
    std::fwrite(data + 2, 1, size - 2, f);
    std::fclose(f);

    sim::Reset();
    media::CTellyMovieDevice device;
    fw::InstallMciDevice(&device);
    Send(L"open \"" + sim::PlayerPath(ScratchFile()) + L"\" alias  movie");
    if (device.Holds(L"movie")) {
        Send(L"window movie handle 4660");
        Send(L"put movie destination at 0 0 32 24");
        const int length = Number(L"status movie length");
        const int target = length > 0 ? (data[0] | data[1] << 8) % length : 0;
        Send(L"seek movie to " + std::to_wstring(target));
        device.Settle();
        Send(L"play movie from " + std::to_wstring(target / 2));
        for (int step = 0; step < 8; ++step)
            sim::AdvanceClock(250);
        Send(L"pause movie");
        Send(L"seek movie to " + std::to_wstring(length > 1 ? length - 1 : 0));
        device.Settle();
        Send(L"close movie");
    }
    fw::InstallMciDevice(nullptr);
    return 0;
}
