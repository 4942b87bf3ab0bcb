// A folder of its own for one case, made fresh under the environment's temporary root and removed with
// everything in it when the case ends.
#pragma once

#include "framework/afxwin.h"
#include "framework/folders.h"
#include "framework/paths.h"
#include "seam/seam_env.h"

#include <string>
#include <vector>

namespace seam {

// Removes `dir` and everything below it (no links are followed: the suite makes none).
inline void RemoveTree(const std::wstring& dir) {
    std::vector<fw::CFolderEntry> entries;
    if (fw::ListFolder(dir, &entries)) {
        for (const fw::CFolderEntry& e : entries) {
            if (e.name == L"." || e.name == L"..") continue;
            const std::wstring path = fw::JoinPath(dir, e.name);
            if (e.isDirectory)
                RemoveTree(path);
            else
                fw::CFile::Remove(path);
        }
    }
    RemoveFolder(dir);
}

class ScratchFolder {
public:
    ScratchFolder() {
        static int counter = 0;
        m_path = TempRoot() + L"\\case" + std::to_wstring(++counter);
        RemoveTree(m_path); // left over from an interrupted run
        MakeFolder(m_path);
    }
    ~ScratchFolder() { RemoveTree(m_path); }
    ScratchFolder(const ScratchFolder&) = delete;
    ScratchFolder& operator=(const ScratchFolder&) = delete;

    const std::wstring& Path() const { return m_path; }
    std::wstring operator/(const std::wstring& name) const { return fw::JoinPath(m_path, name); }

private:
    std::wstring m_path;
};

} // namespace seam
