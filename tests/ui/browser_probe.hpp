// What the browser tests read back from a hosted web browser control.
#pragma once

#include <windows.h>
#include <exdisp.h>

#include <string>

#include "scoped_handles.hpp"

namespace tolvane::testing_support {

// Dispatches this thread's messages for a while.
inline void pumpMessagesFor(DWORD milliseconds) {
  const DWORD start = GetTickCount();
  do {
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
      TranslateMessage(&message);
      DispatchMessageW(&message);
    }
    Sleep(10);
  } while (GetTickCount() - start < milliseconds);
}

// The address the browser was sent to.
inline std::wstring locationUrl(IWebBrowser2* browser) {
  BSTR url = nullptr;
  std::wstring result;
  if (SUCCEEDED(browser->get_LocationURL(&url)) && url) result = url;
  SysFreeString(url);
  return result;
}

// The browser's own window, a child of its container.
inline HWND browserWindow(IWebBrowser2* browser) {
  ComPtr<IOleWindow> window;
  HWND handle = nullptr;
  if (SUCCEEDED(browser->QueryInterface(IID_IOleWindow, reinterpret_cast<void**>(window.put()))))
    window->GetWindow(&handle);
  return handle;
}

// Releases the caller's reference and returns what Release reports, 0 when
// nobody else holds the browser. A page load cut short by closing may keep
// the browser for a moment, until the messages the load has posted are
// dispatched, so those are let run first (a few seconds at most).
inline ULONG releaseLastReference(IWebBrowser2* browser) {
  const DWORD start = GetTickCount();
  for (;;) {
    browser->AddRef();
    const ULONG others = browser->Release() - 1;
    if (others == 0 || GetTickCount() - start > 5000) break;
    pumpMessagesFor(10);
  }
  return browser->Release();
}

}  // namespace tolvane::testing_support
