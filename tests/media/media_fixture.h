// Telly's movie device on the simulated platform, driven through the MCI strings the player sends, with the
// frame-coded clips of tests/media/make-clips. The simulated clock moves playback; the device settles at
// each simulated instant, so what a test reads is what that instant shows.
#pragma once

#include "media/frame_code.h"
#include "support/sim_fixture.h"

#include "framework/mci_devices.h"
#include "media/telly_movie_device.h"

#include <string>

class MediaTest : public SimTest {
protected:
    void SetUp() override {
        SimTest::SetUp();
        fw::InstallMciDevice(&device);
    }
    void TearDown() override {
        fw::MciSend(L"close movie", nullptr, 0);
        fw::InstallMciDevice(nullptr);
    }

    static std::wstring Clip(const char* name) {
        return sim::PlayerPath(std::string(TELLY_MEDIA_CLIPS) + "/" + name);
    }
    // Sends a command; returns the error code, the reply through *reply.
    static fw::DWORD Send(const std::wstring& command, std::wstring* reply = nullptr) {
        std::wstring text;
        const fw::DWORD e = fw::MciSend(command, &text, 256);
        if (reply) *reply = text;
        return e;
    }
    static std::wstring Ask(const std::wstring& command) {
        std::wstring reply;
        Send(command, &reply);
        return reply;
    }
    static int AskNumber(const std::wstring& command) { return std::stoi(L"0" + Ask(command)); }
    // Opens a clip and aims it at a window as the player does.
    fw::DWORD OpenClip(const char* name) {
        const fw::DWORD e = Send(L"open \"" + Clip(name) + L"\" alias  movie");
        Send(L"window movie handle " + std::to_wstring(kWindow));
        Send(L"put movie destination at 24 22 176 120");
        return e;
    }
    // The frame number the newest picture shows, once the device has settled.
    int Shown() {
        device.Settle();
        sim::Picture p;
        return sim::LastPicture(&p) ? media_test::FrameCode(p) : -2;
    }
    // The simulated time moves on in steps of `stepMs`, as the player's timer would see it.
    static void Run(int ms, int stepMs = 50) {
        for (int t = 0; t < ms; t += stepMs)
            sim::AdvanceClock(stepMs);
    }

    static constexpr int kWindow = 4660;
    media::CTellyMovieDevice device;
};
