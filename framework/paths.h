// Path text helpers. Paths use '\' as the separator on both platforms (the simulation maps them onto host
// folders); nothing here touches the file system, and no path is ever cut, whatever its length.
#pragma once

#include <string>

namespace fw {

// "dir\name". A dir that already ends in '\' (a drive root such as "C:\") gets no second separator; an empty
// dir gives "\name".
std::wstring JoinPath(const std::wstring& dir, const std::wstring& name);

// Everything up to and including the last '\'; empty when the path has none (a bare file name).
std::wstring DirectoryOf(const std::wstring& path);

} // namespace fw
