#include "platform.hpp"

#include <fcntl.h>
#include <io.h>
#include <windows.h>
#include <shellapi.h>

#include <cstdio>
#include <memory>

#include "code_page.hpp"

#ifdef TOLVANE_CALC_HAS_HTTP_READ
#include "http_read.hpp"
#endif

namespace tolvane::calc {

namespace {

struct LocalMemoryRelease {
  void operator()(LPWSTR* memory) const { LocalFree(memory); }
};
using WideArguments = std::unique_ptr<LPWSTR, LocalMemoryRelease>;

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
  Text gbk = narrowed(kGbkCodePage, widened(CP_UTF8, utf8), WC_NO_BEST_FIT_CHARS, &usedDefault);
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
