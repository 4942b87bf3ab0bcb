#include "framework/paths.h"

namespace fw {

std::wstring JoinPath(const std::wstring& dir, const std::wstring& name) {
    std::wstring path;
    path.reserve(dir.size() + 1 + name.size());
    path = dir;
    if (path.empty() || path.back() != L'\\') path += L'\\';
    path += name;
    return path;
}

std::wstring DirectoryOf(const std::wstring& path) {
    const size_t slash = path.rfind(L'\\');
    return slash == std::wstring::npos ? std::wstring() : path.substr(0, slash + 1);
}

} // namespace fw
