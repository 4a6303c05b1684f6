// The HTTP read over WinInet (Windows build only).
#pragma once

#include <chrono>
#include <string_view>

#include "text.hpp"

namespace tolvane {

// One GET of the URL; the reply body whatever the status, the bytes so far
// when a read fails part-way, "" when nothing could be read.
Bytes httpRead(std::string_view url);

// The read runs on the UI thread, so a dead, stalled or trickling server must
// not hold it for long. Each wait for the network is bounded ...
inline constexpr std::chrono::milliseconds httpConnectTimeout{5000};
inline constexpr std::chrono::milliseconds httpSendTimeout{5000};
inline constexpr std::chrono::milliseconds httpReceiveTimeout{5000};
// ... and the whole read too: once this much time has passed since it began,
// no further part of the body is waited for, and the bytes so far are the
// result. (Name resolution is the platform's and has no bound of ours.)
inline constexpr std::chrono::milliseconds httpReadBound{10000};

}  // namespace tolvane
