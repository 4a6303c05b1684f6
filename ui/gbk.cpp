#include "gbk.hpp"

namespace tolvane {
namespace {
constexpr UINT kGbk = 936;
}

std::wstring fromGbk(std::string_view text) {
  if (text.empty()) return {};
  const int length = MultiByteToWideChar(kGbk, 0, text.data(), static_cast<int>(text.size()),
                                         nullptr, 0);
  std::wstring wide(static_cast<size_t>(length), L'\0');
  MultiByteToWideChar(kGbk, 0, text.data(), static_cast<int>(text.size()), wide.data(), length);
  return wide;
}

Text toGbk(std::wstring_view text) {
  if (text.empty()) return {};
  const int length = WideCharToMultiByte(kGbk, 0, text.data(), static_cast<int>(text.size()),
                                         nullptr, 0, nullptr, nullptr);
  Text gbk(static_cast<size_t>(length), '\0');
  WideCharToMultiByte(kGbk, 0, text.data(), static_cast<int>(text.size()), gbk.data(), length,
                      nullptr, nullptr);
  return gbk;
}

std::wstring windowText(HWND window) {
  std::wstring text(static_cast<size_t>(GetWindowTextLengthW(window)), L'\0');
  const int copied = GetWindowTextW(window, text.data(), static_cast<int>(text.size()) + 1);
  text.resize(static_cast<size_t>(copied > 0 ? copied : 0));
  return text;
}

}  // namespace tolvane
