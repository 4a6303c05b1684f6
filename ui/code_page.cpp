#include "code_page.hpp"

namespace tolvane {

std::wstring widened(UINT codePage, std::string_view bytes) {
  if (bytes.empty()) return {};
  const int byteCount = static_cast<int>(bytes.size());
  const int length = MultiByteToWideChar(codePage, 0, bytes.data(), byteCount, nullptr, 0);
  std::wstring wide(static_cast<std::size_t>(length), L'\0');
  MultiByteToWideChar(codePage, 0, bytes.data(), byteCount, wide.data(), length);
  return wide;
}

std::string narrowed(UINT codePage, std::wstring_view text, DWORD flags, BOOL* usedDefault) {
  if (text.empty()) return {};
  const int wideCount = static_cast<int>(text.size());
  const int length =
      WideCharToMultiByte(codePage, flags, text.data(), wideCount, nullptr, 0, nullptr, usedDefault);
  std::string bytes(static_cast<std::size_t>(length), '\0');
  WideCharToMultiByte(codePage, flags, text.data(), wideCount, bytes.data(), length, nullptr,
                      usedDefault);
  return bytes;
}

}  // namespace tolvane
