#pragma once
// UTF-8 <-> UTF-16 at the Win32 boundary: the platform layer's and the
// Win32 windows'.

#include <string>
#include <string_view>

namespace tarq::platform::win32 {

std::wstring Wide(std::string_view utf8);
std::string Narrow(std::wstring_view utf16);

}  // namespace tarq::platform::win32
