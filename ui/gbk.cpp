#include "gbk.hpp"

namespace tolvane {

std::wstring fromGbk(std::string_view text) { return widened(kGbkCodePage, text); }

Text toGbk(std::wstring_view text) { return narrowed(kGbkCodePage, text); }

std::wstring windowText(HWND window) {
  std::wstring text(static_cast<size_t>(GetWindowTextLengthW(window)), L'\0');
  const int copied = GetWindowTextW(window, text.data(), static_cast<int>(text.size()) + 1);
  text.resize(static_cast<size_t>(copied > 0 ? copied : 0));
  return text;
}

}  // namespace tolvane
