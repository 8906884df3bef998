#pragma once

// The core speaks UTF-8; Win32's wide calls speak UTF-16.

#include <string>
#include <string_view>

#include "common/utf8_path.h"

namespace lf {

std::wstring Wide(std::string_view utf8);
std::string Narrow(std::wstring_view utf16);

// The text of the calling thread's last Win32 error, as the system words it.
std::string LastErrorText();

}  // namespace lf
