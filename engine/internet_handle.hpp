// Owner of a WinInet handle (Windows build only).
#pragma once

#include <windows.h>
#include <wininet.h>

#include "scoped_handle.hpp"

namespace tolvane {

namespace detail {
inline void closeInternetHandle(HINTERNET handle) { InternetCloseHandle(handle); }
}  // namespace detail

using InternetHandle = ScopedHandle<HINTERNET, detail::closeInternetHandle>;

}  // namespace tolvane
