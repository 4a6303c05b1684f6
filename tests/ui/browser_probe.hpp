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

// How many references an object has, the caller's included.
inline ULONG referenceCount(IUnknown* object) {
  object->AddRef();
  return object->Release();
}

// The test's own references to a hosted browser and to the site it was given,
// taken while the browser's container is open, to see afterwards what the
// container gave back. A page load still under way holds references of the
// browser to itself that the container cannot take back (Wine 8 has no
// IWebBrowser2::Stop), so the browser's count is compared with its count
// while open rather than with zero.
class BrowserReferences {
 public:
  explicit BrowserReferences(IWebBrowser2* browser) : browser_(browser) {
    browser_->AddRef();
    ComPtr<IOleObject> object;
    browser_->QueryInterface(IID_IOleObject, reinterpret_cast<void**>(object.put()));
    if (object) object->GetClientSite(&site_);
    pumpMessagesFor(0);  // messages of the load already posted
    whileOpen_ = referenceCount(browser_);
  }
  ~BrowserReferences() {
    if (site_) site_->Release();
    browser_->Release();
  }
  BrowserReferences(const BrowserReferences&) = delete;
  BrowserReferences& operator=(const BrowserReferences&) = delete;

  bool siteReceived() const { return site_ != nullptr; }
  // References to the browser the container gave back since it was open.
  ULONG browserReferencesGivenBack() const { return whileOpen_ - referenceCount(browser_); }
  // References to the site that others than the test still hold.
  ULONG siteReferencesKept() const { return referenceCount(site_) - 1; }

 private:
  IWebBrowser2* browser_;
  IOleClientSite* site_ = nullptr;
  ULONG whileOpen_ = 0;
};

}  // namespace tolvane::testing_support
