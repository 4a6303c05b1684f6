// GBK texts at the boundary of the wide-character controls: converted with
// code page 936 always, never with the user's ANSI code page.
#pragma once

#include <windows.h>

#include <string>
#include <string_view>

#include "code_page.hpp"
#include "text.hpp"

namespace tolvane {

std::wstring fromGbk(std::string_view text);
Text toGbk(std::wstring_view text);

// A window's whole text.
std::wstring windowText(HWND window);

}  // namespace tolvane
