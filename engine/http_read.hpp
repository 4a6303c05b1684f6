// The HTTP read over WinInet (Windows build only).
#pragma once

#include <string_view>

#include "text.hpp"

namespace tolvane {

// One GET of the URL; the reply body whatever the status, the bytes so far
// when a read fails part-way, "" when nothing could be read.
Bytes httpRead(std::string_view url);

}  // namespace tolvane
