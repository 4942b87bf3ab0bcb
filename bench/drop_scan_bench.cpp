// Drop scan against a bare directory walk of the same tree, in the same run.
//
// Trees of 1,000, 10,000 and 100,000 files are generated under /tmp, once all in one folder and once
// spread over nested folders (ten subfolders per level, 100 files in each leaf). For each, the bench
// times a bare walk (ListDirectory recursion collecting every file's full path) and the real drop: the
// main window's OnDropFiles through the simulated platform, list boxes included. It prints both times,
// the ratio scan / walk (goal: at most 1.5) and the time per file (near-linear growth keeps it flat).
// It also times the list box alone (the drop's final entries added, in order, to an empty sorted list
// box of the same window) and gives the ratio without it: the list box is the platform's, so its cost
// is shown apart from the scan's own.
#include "app/globals.h"
#include "app/player_dlg.h"
#include "framework/sim/sim.h"
#include "res/resource.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <functional>
#include <string>
#include <vector>

#include <sys/stat.h>
#include <unistd.h>

using namespace fw;

namespace {

using Clock = std::chrono::steady_clock;

void MakeDir(const std::string& path) {
    if (::mkdir(path.c_str(), 0755) != 0) {
        std::perror(path.c_str());
        std::exit(1);
    }
}

void MakeFiles(const std::string& dir, int count) {
    char name[32];
    for (int i = 0; i < count; ++i) {
        // Mixed case and no leading zeros, so the file system order is not the playlist order.
        std::snprintf(name, sizeof name, "/%s%d.avi", (i % 3 == 0) ? "Clip" : "clip", (i * 7919) % count);
        std::ofstream(dir + name);
    }
}

// `levels` levels of ten subfolders; the leaves hold 100 files each.
void MakeNested(const std::string& dir, int levels) {
    if (levels == 0) {
        MakeFiles(dir, 100);
        return;
    }
    for (int i = 0; i < 10; ++i) {
        const std::string sub = dir + "/Folder" + std::to_string(i);
        MakeDir(sub);
        MakeNested(sub, levels - 1);
    }
}

size_t BareWalk(const std::wstring& dir, std::vector<std::wstring>* files) {
    std::vector<plat::DirEntry> entries;
    if (!plat::ListDirectory(dir, &entries)) return 0;
    for (const plat::DirEntry& e : entries) {
        if (e.name == L"." || e.name == L"..") continue;
        const std::wstring path = dir + L"\\" + e.name;
        if (e.isDirectory)
            BareWalk(path, files);
        else
            files->push_back(path);
    }
    return files->size();
}

double BestMs(int runs, const std::function<void()>& run) {
    double best = 1e300;
    for (int i = 0; i < runs; ++i) {
        const auto start = Clock::now();
        run();
        const double ms = std::chrono::duration<double, std::milli>(Clock::now() - start).count();
        best = std::min(best, ms);
    }
    return best;
}

} // namespace

int main() {
    char pattern[] = "/tmp/telly-dropbench-XXXXXX";
    const char* base = ::mkdtemp(pattern);
    if (!base) {
        std::perror("mkdtemp");
        return 1;
    }
    const std::string baseDir = base;

    sim::Reset();
    ResetPlayerState();
    sim::SetCommandLine({sim::PlayerPath(baseDir) + L"\\telly.exe"});
    // The player's classes ask the application object for their icon; the bench has no program of its own.
    static CWinApp app;
    CPlayerDlg dlg(nullptr);
    HWND hwnd = sim::OpenModal(dlg);
    if (!hwnd) {
        std::fprintf(stderr, "the main window did not open\n");
        return 1;
    }
    sim::Tick();

    struct Tree {
        const char* shape;
        int files;
        int levels; // 0: one folder
    } trees[] = {
        {"one folder", 1000, 0}, {"one folder", 10000, 0}, {"one folder", 100000, 0},
        {"nested", 1000, 1},     {"nested", 10000, 2},     {"nested", 100000, 3},
    };

    std::printf("%-11s %8s %9s %9s %7s %13s %11s %12s\n", "tree", "files", "walk ms", "drop ms", "ratio",
                "list box ms", "ratio w/o", "drop us/file");
    const HWND spareListBox = plat::GetDialogItem(hwnd, IDC_FOLDER_QUEUE); // empty outside a drop
    int treeNo = 0;
    for (const Tree& t : trees) {
        const std::string root = baseDir + "/tree" + std::to_string(treeNo++);
        MakeDir(root);
        if (t.levels == 0)
            MakeFiles(root, t.files);
        else
            MakeNested(root, t.levels);
        const std::wstring dropRoot = sim::PlayerPath(root);

        const int runs = t.files >= 100000 ? 3 : 5;
        size_t walked = 0;
        const double walkMs = BestMs(runs, [&] {
            std::vector<std::wstring> files;
            walked = BareWalk(dropRoot, &files);
        });
        const double dropMs = BestMs(runs, [&] {
            sim::ClearLog();
            sim::Send(hwnd, WM_DROPFILES, reinterpret_cast<WPARAM>(sim::MakeDrop({dropRoot})), 0);
        });
        if (walked != static_cast<size_t>(t.files) || g_nEntryCount != t.files) {
            std::fprintf(stderr, "%s %d: walk found %zu, drop listed %d\n", t.shape, t.files, walked,
                         g_nEntryCount);
            return 1;
        }
        const std::vector<std::wstring> entries = sim::ListBoxItems(plat::GetDialogItem(hwnd, IDC_PLAYLIST));
        const double listBoxMs = BestMs(runs, [&] {
            for (const std::wstring& e : entries)
                plat::ListBoxAdd(spareListBox, e);
            plat::ListBoxReset(spareListBox);
        });
        std::printf("%-11s %8d %9.1f %9.1f %7.2f %13.1f %11.2f %12.3f\n", t.shape, t.files, walkMs, dropMs,
                    dropMs / walkMs, listBoxMs, (dropMs - listBoxMs) / walkMs, 1000.0 * dropMs / t.files);
        std::fflush(stdout);
        const std::string cmd = "rm -rf '" + root + "'";
        if (std::system(cmd.c_str()) != 0) return 1;
    }
    sim::CloseModal(hwnd);
    const std::string clean = "rm -rf '" + baseDir + "'";
    return std::system(clean.c_str()) == 0 ? 0 : 1;
}
