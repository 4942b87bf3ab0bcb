// The drop benchmark of the Windows build: the real WM_DROPFILES path of the main window (OnDropFiles with
// the Windows backend), against floors measured in the same run. bench/drop-bench-wine runs it under Wine.
//
//   drop_bench.exe TREE SEPARATE [RUNS]   TREE: a folder tree (100,000 files in 1,000 folders);
//                                         SEPARATE: a folder of files (4,000)
//   drop_bench.exe --smoke                small trees of its own in %TEMP%, one round: checks that it works
//
// 1. Scan: the drop of TREE against its floor, a bare FindFirstFileW walk of the same tree plus LB_ADDSTRING
//    of the same sorted paths (the playlist's own order) into an empty sorted list box. Aim: within 1.3x.
// 2. Items: the files of SEPARATE dropped as separate items against the drop of the folder. Aim: within 2x.
// Every figure is the best of RUNS rounds (3 by default) after one warm-up round. The playlist is emptied
// before each timed drop, so every drop starts as the first one after start-up does. It also reports how
// often the scan's presorted order and the list box's own collation disagree (inserts not at the end).
#include "app/player_dlg.h"
#include "bench/win32/bench_win32.h"
#include "playback/drop_scan.h"
#include "res/resource.h"

#include <algorithm>
#include <cstdio>
#include <cwchar>
#include <string>
#include <unordered_map>
#include <vector>

using namespace fw;

namespace {

// Inserts of the presorted entries that the list box did not place at the end: where the scan's order
// (ASCII case folding, code points) and the list box's collation disagree.
void ReportCollation(const std::vector<std::wstring>& listOrder) {
    std::unordered_map<std::wstring, size_t> place;
    for (size_t i = 0; i < listOrder.size(); ++i)
        place.emplace(listOrder[i], i);
    std::vector<std::wstring> presorted = listOrder;
    std::stable_sort(presorted.begin(), presorted.end(), [](const std::wstring& a, const std::wstring& b) {
        return PlaylistSortKey(a) < PlaylistSortKey(b);
    });
    size_t notAtEnd = 0, highest = 0;
    std::wstring exampleLater, exampleEarlier;
    for (size_t i = 0; i < presorted.size(); ++i) {
        const size_t at = place[presorted[i]];
        if (i > 0 && at < highest) {
            if (notAtEnd++ == 0) {
                exampleEarlier = presorted[i];
                exampleLater = listOrder[highest];
            }
        } else {
            highest = at;
        }
    }
    std::printf("  presorted inserts not at the end    %zu of %zu\n", notAtEnd, presorted.size());
    if (notAtEnd)
        std::printf("    e.g. the list box puts %ls before %ls\n", exampleEarlier.c_str(),
                    exampleLater.c_str());
}

struct Player {
    CPlayerDlg dlg{nullptr};
    HWND window = nullptr;
    HWND playlist = nullptr;

    bool Open() {
        if (!dlg.Create(IDD_PLAYER)) return false;
        window = dlg.GetSafeHwnd();
        playlist = dlg.GetDlgItem(IDC_PLAYLIST);
        return playlist != nullptr;
    }
    double Drop(const std::vector<std::wstring>& items) {
        bench::ResetListBox(playlist);
        const double start = bench::NowMs();
        bench::SendDrop(window, items);
        return bench::NowMs() - start;
    }
    size_t Entries() const { return bench::ListBoxItems(playlist).size(); }
};

int Run(const std::wstring& tree, const std::wstring& separate, int runs) {
    Player player;
    if (!player.Open()) {
        std::fprintf(stderr, "the main window did not open\n");
        return 1;
    }
    const HWND spare = bench::MakeSortedListBox(player.window);
    if (!spare) {
        std::fprintf(stderr, "no list box for the floor\n");
        return 1;
    }

    // ---- 1. Scan against its floor.
    std::vector<std::wstring> walked;
    bench::WalkTree(tree, &walked);
    player.Drop({tree}); // warm-up: caches, the movie device's first open
    const std::vector<std::wstring> entries = bench::ListBoxItems(player.playlist);
    if (walked.empty() || entries.size() != walked.size()) {
        std::fprintf(stderr, "the walk found %zu files, the drop listed %zu\n", walked.size(),
                     entries.size());
        return 1;
    }
    double walkMs = 1e300, listBoxMs = 1e300, dropMs = 1e300;
    for (int r = 0; r < runs; ++r) {
        std::vector<std::wstring> files;
        double start = bench::NowMs();
        bench::WalkTree(tree, &files);
        walkMs = std::min(walkMs, bench::NowMs() - start);
        bench::ResetListBox(spare);
        start = bench::NowMs();
        bench::AddStrings(spare, entries);
        listBoxMs = std::min(listBoxMs, bench::NowMs() - start);
        dropMs = std::min(dropMs, player.Drop({tree}));
    }
    bench::ResetListBox(spare);
    const double floorMs = walkMs + listBoxMs;
    std::printf("scan: %zu files (best of %d)\n", entries.size(), runs);
    std::printf("  floor: FindFirstFileW walk          %9.1f ms\n", walkMs);
    std::printf("  floor: LB_ADDSTRING, sorted paths   %9.1f ms\n", listBoxMs);
    std::printf("  floor                               %9.1f ms\n", floorMs);
    std::printf("  drop of the folder (OnDropFiles)    %9.1f ms\n", dropMs);
    std::printf("  ratio drop / floor                  %9.2f   (aim: at most 1.30) %s\n", dropMs / floorMs,
                dropMs / floorMs <= 1.3 ? "met" : "MISSED");
    ReportCollation(entries);
    std::fflush(stdout);

    // ---- 2. Separate items against the folder drop of the same files.
    std::vector<std::wstring> items;
    for (const std::wstring& name : bench::FolderFiles(separate))
        items.push_back(separate + L"\\" + name);
    player.Drop({separate});
    const size_t folderEntries = player.Entries();
    player.Drop(items);
    if (items.empty() || folderEntries != items.size() || player.Entries() != items.size()) {
        std::fprintf(stderr, "%zu files: the folder drop listed %zu, the separate drop %zu\n", items.size(),
                     folderEntries, player.Entries());
        return 1;
    }
    const int itemRuns = runs + 2;
    double folderMs = 1e300, itemsMs = 1e300;
    for (int r = 0; r < itemRuns; ++r) {
        folderMs = std::min(folderMs, player.Drop({separate}));
        itemsMs = std::min(itemsMs, player.Drop(items));
    }
    std::printf("items: %zu files (best of %d)\n", items.size(), itemRuns);
    std::printf("  drop of their folder                %9.1f ms\n", folderMs);
    std::printf("  drop of the files as items          %9.1f ms\n", itemsMs);
    std::printf("  ratio items / folder                %9.2f   (aim: at most 2.00) %s\n", itemsMs / folderMs,
                itemsMs / folderMs <= 2.0 ? "met" : "MISSED");
    std::fflush(stdout);

    bench::ResetListBox(player.playlist);
    player.dlg.DestroyWindow();
    return 0;
}

} // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc == 2 && std::wcscmp(argv[1], L"--smoke") == 0) {
        const std::wstring base = bench::TempFolder() + L"telly-drop-bench-smoke";
        bench::RemoveTree(base);
        bench::RemoveTree(base + L"-items");
        const bool made = bench::MakeTree(base, 10, 50) && bench::MakeTree(base + L"-items", 1, 200);
        const int status = made ? Run(base, base + L"-items\\Folder0", 1) : 1;
        if (!made) std::fprintf(stderr, "could not make the smoke trees\n");
        bench::RemoveTree(base);
        bench::RemoveTree(base + L"-items");
        return status;
    }
    if (argc < 3) {
        std::fprintf(stderr, "usage: drop_bench.exe TREE SEPARATE [RUNS] | --smoke\n");
        return 2;
    }
    const int runs = argc > 3 ? std::max(1, _wtoi(argv[3])) : 3;
    return Run(argv[1], argv[2], runs);
}
