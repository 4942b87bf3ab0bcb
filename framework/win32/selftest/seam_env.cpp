// The conformance suite's environment on the real platform (the self-test under Wine, or Windows).
#include "framework/win32/long_path.h"
#include "framework/win32/selftest/probe.h"
#include "framework/win32/win32_seam.h"
#include "seam/seam_env.h"

#include <algorithm>
#include <cstdlib>

namespace seam {

namespace {

// Wine's end-to-end run makes this clip: 2 s at 10 frames a second (scripts/make-movies).
constexpr int kClipFrames = 20;

std::wstring ApiPath(const std::wstring& path) {
    return fw::win32::FileApiPath(path);
}

} // namespace

void FreshPlatform() {}

std::wstring TempRoot() {
    // Never destroyed, so the exit handler that removes the (by then empty) folder can still read it.
    static const std::wstring* const root = [] {
        auto* dir =
            new std::wstring(probe::TempFolder() + L"telly-seam-" + std::to_wstring(GetCurrentProcessId()));
        CreateDirectoryW(dir->c_str(), nullptr);
        std::atexit([] { RemoveDirectoryW(TempRoot().c_str()); });
        return dir;
    }();
    return *root;
}

bool MakeFolder(const std::wstring& path) {
    return CreateDirectoryW(ApiPath(path).c_str(), nullptr) != 0;
}

bool RemoveFolder(const std::wstring& path) {
    return RemoveDirectoryW(ApiPath(path).c_str()) != 0;
}

bool SetReadOnly(const std::wstring& path, bool readOnly) {
    const std::wstring apiPath = ApiPath(path);
    const DWORD attributes = GetFileAttributesW(apiPath.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES) return false;
    const DWORD wanted = readOnly ? attributes | FILE_ATTRIBUTE_READONLY
                                  : attributes & ~static_cast<DWORD>(FILE_ATTRIBUTE_READONLY);
    return SetFileAttributesW(apiPath.c_str(), wanted) != 0;
}

bool MakeLink(const std::wstring& link, const std::wstring& target) {
    const DWORD folder = probe::IsFolder(target) ? SYMBOLIC_LINK_FLAG_DIRECTORY : 0;
    // Without developer mode Windows wants the privilege unless the unprivileged flag is given (Windows 10
    // 1703 on); older systems refuse the flag, and the case skips there.
    if (!CreateSymbolicLinkW(ApiPath(link).c_str(), ApiPath(target).c_str(),
                             folder | SYMBOLIC_LINK_FLAG_ALLOW_UNPRIVILEGED_CREATE))
        return false;
    // Wine 8 answers TRUE and makes nothing: only a link that is there counts.
    WIN32_FIND_DATAW data;
    const HANDLE find = FindFirstFileW(ApiPath(link).c_str(), &data);
    if (find == INVALID_HANDLE_VALUE) return false;
    FindClose(find);
    return (data.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT) != 0;
}

bool MountRoots(std::wstring* first, std::wstring* second) {
    // Wine's Z: drive is the Unix root; /dev/shm and /proc are mounts of their own.
    if (!probe::IsFolder(L"Z:\\dev\\shm") || !probe::IsFolder(L"Z:\\proc")) return false;
    *first = L"Z:\\dev\\shm";
    *second = L"Z:\\proc";
    return true;
}

bool MovieClip(Clip* clip) {
    clip->path = probe::E2eMovie(L"short\\blue.avi");
    clip->frames = kClipFrames;
    return !clip->path.empty();
}

bool CopyClip(const Clip& clip, const std::wstring& to) {
    return CopyFileW(ApiPath(clip.path).c_str(), ApiPath(to).c_str(), TRUE) != 0;
}

void RunMessages(unsigned ms) {
    RunMessagesUntil([] { return false; }, ms);
}

bool RunMessagesUntil(const std::function<bool()>& done, unsigned timeoutMs) {
    const ULONGLONG start = GetTickCount64();
    for (;;) {
        probe::PumpMessages();
        if (done()) return true;
        if (GetTickCount64() - start >= timeoutMs) return false;
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 5, QS_ALLINPUT);
    }
}

void LetModalLoopsRun(fw::UINT templateId) {
    (void)templateId; // DoModal runs the dialog's own message loop
}

fw::HDROP MakeDrop(const std::vector<std::wstring>& paths) {
    return probe::MakeDrop(paths);
}

fw::POINT PointerPos() {
    return probe::CursorPos();
}

Rows RegionRows(fw::HWND hwnd) {
    Rows rows;
    HRGN region = CreateRectRgn(0, 0, 0, 0);
    if (GetWindowRgn(fw::win32::ToWin(hwnd), region) != ERROR) {
        const DWORD size = GetRegionData(region, 0, nullptr);
        std::vector<char> buffer(size);
        auto* data = reinterpret_cast<RGNDATA*>(buffer.data());
        if (size && GetRegionData(region, size, data) == size) {
            const auto* rects = reinterpret_cast<const ::RECT*>(data->Buffer);
            for (DWORD i = 0; i < data->rdh.nCount; ++i)
                for (LONG y = rects[i].top; y < rects[i].bottom; ++y)
                    rows[y].push_back({rects[i].left, rects[i].right});
        }
    }
    DeleteObject(region);
    // Spans of a row in order, touching ones joined (the rectangles of a band never overlap).
    for (auto& row : rows) {
        auto& spans = row.second;
        std::sort(spans.begin(), spans.end());
        std::vector<std::pair<int, int>> joined;
        for (const auto& s : spans) {
            if (!joined.empty() && joined.back().second == s.first)
                joined.back().second = s.second;
            else
                joined.push_back(s);
        }
        spans.swap(joined);
    }
    return rows;
}

} // namespace seam
