#include "text.hpp"

namespace tolvane {

Text bytesToText(std::string_view bytes) {
  return Text(bytes.substr(0, bytes.find('\0')));
}

Text joinTexts(std::string_view first, std::string_view second) {
  Text joined;
  joined.reserve(first.size() + second.size());
  joined.append(first).append(second);
  return joined;
}

}  // namespace tolvane
