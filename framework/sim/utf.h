// UTF-8 <-> wide conversion for the simulated platform (wchar_t holds a whole code point on the host).
#pragma once

#include <string>

namespace sim {
namespace detail {

std::string ToUtf8(const std::wstring& text);
std::wstring FromUtf8(const std::string& text);

} // namespace detail
} // namespace sim
