#include "bench/win32/bench_win32.h"

#include "framework/win32/drop_block.h"
#include "framework/win32/win32_seam.h"

namespace bench {

using fw::win32::FromWin;
using fw::win32::ToWin;

double NowMs() {
    static LARGE_INTEGER frequency = [] {
        LARGE_INTEGER f;
        QueryPerformanceFrequency(&f);
        return f;
    }();
    LARGE_INTEGER now;
    QueryPerformanceCounter(&now);
    return 1000.0 * static_cast<double>(now.QuadPart) / static_cast<double>(frequency.QuadPart);
}

std::string Utf8(const std::wstring& wide) {
    const int size = WideCharToMultiByte(CP_UTF8, 0, wide.c_str(), -1, nullptr, 0, nullptr, nullptr);
    if (size <= 0) return std::string();
    std::string text(static_cast<size_t>(size), '\0');
    WideCharToMultiByte(CP_UTF8, 0, wide.c_str(), -1, &text[0], size, nullptr, nullptr);
    text.resize(static_cast<size_t>(size - 1));
    return text;
}

void WalkTree(const std::wstring& dir, std::vector<std::wstring>* files) {
    WIN32_FIND_DATAW data;
    HANDLE find = FindFirstFileW((dir + L"\\*").c_str(), &data);
    if (find == INVALID_HANDLE_VALUE) return;
    do {
        const wchar_t* name = data.cFileName;
        if (name[0] == L'.' && (name[1] == L'\0' || (name[1] == L'.' && name[2] == L'\0'))) continue;
        std::wstring path = dir + L"\\" + name;
        if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
            WalkTree(path, files);
        else
            files->push_back(std::move(path));
    } while (FindNextFileW(find, &data));
    FindClose(find);
}

std::vector<std::wstring> FolderFiles(const std::wstring& dir) {
    std::vector<std::wstring> names;
    WIN32_FIND_DATAW data;
    HANDLE find = FindFirstFileW((dir + L"\\*").c_str(), &data);
    if (find == INVALID_HANDLE_VALUE) return names;
    do {
        if (!(data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) names.push_back(data.cFileName);
    } while (FindNextFileW(find, &data));
    FindClose(find);
    return names;
}

fw::HWND MakeSortedListBox(fw::HWND parent) {
    return FromWin(CreateWindowExW(
        0, L"LISTBOX", L"", WS_CHILD | LBS_NOTIFY | LBS_SORT | LBS_NOINTEGRALHEIGHT | WS_VSCROLL | WS_BORDER,
        0, 0, 30, 20, ToWin(parent), nullptr, GetModuleHandleW(nullptr), nullptr));
}

void AddStrings(fw::HWND listBox, const std::vector<std::wstring>& texts) {
    const HWND h = ToWin(listBox);
    for (const std::wstring& t : texts)
        SendMessageW(h, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(t.c_str()));
}

void ResetListBox(fw::HWND listBox) {
    SendMessageW(ToWin(listBox), LB_RESETCONTENT, 0, 0);
}

std::vector<std::wstring> ListBoxItems(fw::HWND listBox) {
    const HWND h = ToWin(listBox);
    const LRESULT count = SendMessageW(h, LB_GETCOUNT, 0, 0);
    std::vector<std::wstring> items;
    for (LRESULT i = 0; i < count; ++i) {
        const LRESULT length = SendMessageW(h, LB_GETTEXTLEN, static_cast<WPARAM>(i), 0);
        std::vector<wchar_t> buffer(static_cast<size_t>(length) + 1, L'\0');
        SendMessageW(h, LB_GETTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(buffer.data()));
        items.emplace_back(buffer.data(), static_cast<size_t>(length));
    }
    return items;
}

void SendDrop(fw::HWND window, const std::vector<std::wstring>& paths) {
    HGLOBAL memory = MakeWideDropBlock(paths);
    if (!memory) return;
    SendMessageW(ToWin(window), WM_DROPFILES, reinterpret_cast<WPARAM>(memory), 0);
}

bool MakeTree(const std::wstring& root, int folders, int filesPerFolder) {
    if (!CreateDirectoryW(root.c_str(), nullptr)) return false;
    for (int f = 0; f < folders; ++f) {
        const std::wstring dir = root + L"\\Folder" + std::to_wstring(f);
        if (!CreateDirectoryW(dir.c_str(), nullptr)) return false;
        for (int i = 0; i < filesPerFolder; ++i) {
            const std::wstring file = dir + (i % 3 ? L"\\clip" : L"\\Clip") + std::to_wstring(i) + L".avi";
            HANDLE h = CreateFileW(file.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, 0, nullptr);
            if (h == INVALID_HANDLE_VALUE) return false;
            CloseHandle(h);
        }
    }
    return true;
}

void RemoveTree(const std::wstring& root) {
    WIN32_FIND_DATAW data;
    HANDLE find = FindFirstFileW((root + L"\\*").c_str(), &data);
    if (find != INVALID_HANDLE_VALUE) {
        do {
            const std::wstring name = data.cFileName;
            if (name == L"." || name == L"..") continue;
            if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
                RemoveTree(root + L"\\" + name);
            else
                DeleteFileW((root + L"\\" + name).c_str());
        } while (FindNextFileW(find, &data));
        FindClose(find);
    }
    RemoveDirectoryW(root.c_str());
}

std::wstring TempFolder() {
    wchar_t buffer[MAX_PATH + 1] = {};
    const DWORD n = GetTempPathW(MAX_PATH + 1, buffer);
    std::wstring dir(buffer, n);
    if (!dir.empty() && dir.back() != L'\\') dir += L'\\';
    return dir;
}

} // namespace bench
