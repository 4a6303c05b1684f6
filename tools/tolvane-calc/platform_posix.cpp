#include "platform.hpp"

namespace tolvane::calc {

std::vector<std::string> utf8Arguments(int argc, char** argv) {
  return std::vector<std::string>(argv + 1, argv + argc);
}

std::optional<Text> fieldTextFromArgument(std::string_view utf8) { return Text(utf8); }

void writeStdoutAsBytes() {}

std::optional<HttpRead> networkRead() { return std::nullopt; }

}  // namespace tolvane::calc
