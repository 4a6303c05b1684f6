#include "browser_host.hpp"

#include <algorithm>

namespace tolvane {

namespace {

// Another interface of a COM object; empty when the object has none.
template <typename T>
ComPtr<T> queryInterface(IUnknown* object) {
  ComPtr<T> result;
  if (object) object->QueryInterface(__uuidof(T), reinterpret_cast<void**>(result.put()));
  return result;
}

class ScopedBstr {
 public:
  explicit ScopedBstr(const std::wstring& text) : value_(SysAllocString(text.c_str())) {}
  ~ScopedBstr() { SysFreeString(value_); }
  ScopedBstr(const ScopedBstr&) = delete;
  ScopedBstr& operator=(const ScopedBstr&) = delete;
  BSTR get() const { return value_; }

 private:
  BSTR value_;
};

VARIANT int32Variant(LONG value) {
  VARIANT variant;
  VariantInit(&variant);
  variant.vt = VT_I4;
  variant.lVal = value;
  return variant;
}

VARIANT emptyVariant() {
  VARIANT variant;
  VariantInit(&variant);
  return variant;
}

// The browser's text sizes run from 0 (smallest) to 4 (largest).
LONG clampedFontSize(int fontSize) { return std::clamp(fontSize, 0, 4); }

}  // namespace

HtmlViewer::~HtmlViewer() {
  if (window()) DestroyWindow(window());
}

bool HtmlViewer::create(HWND parent, const Place& place, const Settings& settings) {
  registerClass(0, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
  const DWORD style = WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | WS_TABSTOP;
  if (!BaseWindow::create(0, L"", style, place.x, place.y, place.width, place.height, parent))
    return false;
  if (embedBrowser()) applySettings(settings);
  return true;
}

bool HtmlViewer::embedBrowser() {
  site_ = BrowserSite::create(window());
  // CLSID_WebBrowser is {8856F961-340A-11D0-A96B-00C04FD705A2}.
  if (FAILED(CoCreateInstance(CLSID_WebBrowser, nullptr, CLSCTX_INPROC_SERVER, IID_IOleObject,
                              reinterpret_cast<void**>(browserObject_.put())))) {
    closeBrowser();
    return false;
  }
  RECT area;
  GetClientRect(window(), &area);
  browserObject_->SetClientSite(site_.get());
  browserObject_->DoVerb(OLEIVERB_INPLACEACTIVATE, nullptr, site_.get(), 0, window(), &area);
  browser_ = queryInterface<IWebBrowser2>(browserObject_.get());
  if (!browser_) {
    closeBrowser();
    return false;
  }
  return true;
}

// The results are not examined: whether and how the page loads is the
// browser's own business.
void HtmlViewer::applySettings(const Settings& settings) {
  browser_->put_Offline(settings.Offline ? VARIANT_TRUE : VARIANT_FALSE);
  browser_->put_Silent(settings.Silent ? VARIANT_TRUE : VARIANT_FALSE);
  VARIANT fontSize = int32Variant(clampedFontSize(settings.FontSize));
  browser_->ExecWB(OLECMDID_ZOOM, OLECMDEXECOPT_DONTPROMPTUSER, &fontSize, nullptr);
  if (settings.url.empty()) return;
  const ScopedBstr url(settings.url);
  VARIANT flags = int32Variant(0);
  VARIANT noTargetFrame = emptyVariant();
  VARIANT noPostData = emptyVariant();
  VARIANT noHeaders = emptyVariant();
  browser_->Navigate(url.get(), &flags, &noTargetFrame, &noPostData, &noHeaders);
}

void HtmlViewer::fitBrowser() {
  const auto inPlace = queryInterface<IOleInPlaceObject>(browserObject_.get());
  if (!inPlace) return;
  RECT area;
  GetClientRect(window(), &area);
  inPlace->SetObjectRects(&area, &area);
}

// UI activation hands the focus to the browser's own window the first time;
// when the browser is already UI-active the focus is handed on directly.
void HtmlViewer::focusBrowser() {
  if (!browserObject_) return;
  RECT area;
  GetClientRect(window(), &area);
  browserObject_->DoVerb(OLEIVERB_UIACTIVATE, nullptr, site_.get(), 0, window(), &area);
  if (GetFocus() != window()) return;
  const auto inPlace = queryInterface<IOleInPlaceObject>(browserObject_.get());
  HWND browserWindow = nullptr;
  if (inPlace && SUCCEEDED(inPlace->GetWindow(&browserWindow)) && browserWindow)
    SetFocus(browserWindow);
}

// Deactivating and closing the control makes it destroy its windows and give
// back its references to the site; then ours go.
void HtmlViewer::closeBrowser() {
  if (browser_) browser_->Stop();  // a download under way holds the browser
  if (const auto inPlace = queryInterface<IOleInPlaceObject>(browserObject_.get()))
    inPlace->InPlaceDeactivate();
  if (browserObject_) {
    browserObject_->Close(OLECLOSE_NOSAVE);
    browserObject_->SetClientSite(nullptr);
  }
  browser_.reset();
  browserObject_.reset();
  site_.reset();
}

LRESULT HtmlViewer::handleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_SIZE:
      fitBrowser();
      return 0;
    case WM_SETFOCUS:
      focusBrowser();
      return 0;
    case WM_DESTROY:
      closeBrowser();
      return 0;
    default:
      return defaultHandling(message, wParam, lParam);
  }
}

}  // namespace tolvane
