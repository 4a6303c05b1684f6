// HtmlViewer: a child window that hosts the Windows web browser control
// (IWebBrowser2) through the program's own small OLE container. The browser
// fills the window and follows its size, focus given to the window goes on to
// the browser, and the browser is closed and released when the window is
// destroyed.
#pragma once

#include <windows.h>
#include <exdisp.h>

#include <string>

#include "base_window.hpp"
#include "browser_site.hpp"
#include "scoped_handles.hpp"

namespace tolvane {

class HtmlViewer : public BaseWindow<HtmlViewer> {
 public:
  // The control's settings, all applied when it is created. The member names
  // are the layout's property names.
  struct Settings {
    std::wstring url;     // page to show; none when empty
    int FontSize = 2;     // text size of the page, 0 (smallest) .. 4 (largest)
    bool Offline = false; // take pages from the cache instead of the network
    bool Silent = false;  // the browser shows no dialogs of its own
  };

  // Place and size in the parent's client area.
  struct Place {
    int x, y, width, height;
  };

  static const wchar_t* className() { return L"TolvaneHtmlViewer"; }

  HtmlViewer() = default;
  ~HtmlViewer() override;

  // Creates the container window, white and clipping its siblings, and the
  // browser inside it; applies the settings and starts loading the page without
  // waiting for it. False when the container window cannot be created; when
  // only the browser cannot be created the container stays, empty and white.
  bool create(HWND parent, const Place& place, const Settings& settings);

  // The hosted browser while the container exists; null without one.
  IWebBrowser2* browser() const { return browser_.get(); }

 private:
  friend class BaseWindow<HtmlViewer>;

  LRESULT handleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

  bool embedBrowser();
  void applySettings(const Settings& settings);
  void fitBrowser();
  void focusBrowser();
  void closeBrowser();

  ComPtr<BrowserSite> site_;
  ComPtr<IOleObject> browserObject_;
  ComPtr<IWebBrowser2> browser_;
};

}  // namespace tolvane
