// Conversions between wide (UTF-16) text and a code page's bytes, shared by
// the user interface and the Windows build of tolvane-calc.
#pragma once

#include <windows.h>

#include <string>
#include <string_view>

namespace tolvane {

inline constexpr UINT kGbkCodePage = 936;

std::wstring widened(UINT codePage, std::string_view bytes);

// The bytes of the text in the code page. With usedDefault given, it says
// whether a character had no form there (pass WC_NO_BEST_FIT_CHARS in flags
// to refuse look-alikes).
std::string narrowed(UINT codePage, std::wstring_view text, DWORD flags = 0,
                     BOOL* usedDefault = nullptr);

}  // namespace tolvane
