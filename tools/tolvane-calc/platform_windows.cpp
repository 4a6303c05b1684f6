#include "platform.hpp"

#include <fcntl.h>
#include <io.h>
#include <windows.h>
#include <shellapi.h>

#include <cstdio>
#include <memory>

#ifdef TOLVANE_CALC_HAS_HTTP_READ
#include "http_read.hpp"
#endif

namespace tolvane::calc {

namespace {

constexpr UINT kGbk = 936;

struct LocalMemoryRelease {
  void operator()(LPWSTR* memory) const { LocalFree(memory); }
};
using WideArguments = std::unique_ptr<LPWSTR, LocalMemoryRelease>;

std::string narrowed(UINT codePage, std::wstring_view wide, DWORD flags = 0, BOOL* usedDefault = nullptr) {
  if (wide.empty()) return {};
  const int wideLength = static_cast<int>(wide.size());
  const int length =
      WideCharToMultiByte(codePage, flags, wide.data(), wideLength, nullptr, 0, nullptr, usedDefault);
  std::string narrow(static_cast<std::size_t>(length), '\0');
  WideCharToMultiByte(codePage, flags, wide.data(), wideLength, narrow.data(), length, nullptr, usedDefault);
  return narrow;
}

std::wstring widenedUtf8(std::string_view utf8) {
  if (utf8.empty()) return {};
  const int narrowLength = static_cast<int>(utf8.size());
  const int length = MultiByteToWideChar(CP_UTF8, 0, utf8.data(), narrowLength, nullptr, 0);
  std::wstring wide(static_cast<std::size_t>(length), L'\0');
  MultiByteToWideChar(CP_UTF8, 0, utf8.data(), narrowLength, wide.data(), length);
  return wide;
}

}  // namespace

std::vector<std::string> utf8Arguments(int, char**) {
  int count = 0;
  const WideArguments wide(CommandLineToArgvW(GetCommandLineW(), &count));
  std::vector<std::string> arguments;
  for (int i = 1; wide && i < count; ++i) arguments.push_back(narrowed(CP_UTF8, wide.get()[i]));
  return arguments;
}

std::optional<Text> fieldTextFromArgument(std::string_view utf8) {
  BOOL usedDefault = FALSE;
  Text gbk = narrowed(kGbk, widenedUtf8(utf8), WC_NO_BEST_FIT_CHARS, &usedDefault);
  if (usedDefault) return std::nullopt;
  return gbk;
}

void writeStdoutAsBytes() { _setmode(_fileno(stdout), _O_BINARY); }

std::optional<HttpRead> networkRead() {
#ifdef TOLVANE_CALC_HAS_HTTP_READ
  return HttpRead(&httpRead);
#else
  return std::nullopt;
#endif
}

}  // namespace tolvane::calc
