#include "rate_window.hpp"

namespace tolvane {

namespace {

// The window's layout: outer size, and the browser control's place in the
// client area with its settings. The window is centred on the screen whenever
// it is created.
constexpr int windowWidth = 380;
constexpr int windowHeight = 250;

constexpr HtmlViewer::Place htmlViewerPlace{0, 0, 376, 216};

HtmlViewer::Settings htmlViewerSettings() {
  return {
      .url = L"" TOLVANE_BANK_URL,  // the configured narrow literal, widened by concatenation
      .FontSize = 2,                // medium
      .Offline = false,
      .Silent = false,
  };
}

// Caption with the system menu and its close box; no minimise or maximise box
// and no sizing border.
constexpr DWORD windowStyle = WS_CAPTION | WS_SYSMENU;

bool hasParentOrOwner(HWND window) {
  return (GetWindowLongPtrW(window, GWL_STYLE) & WS_CHILD) != 0 ||
         GetWindow(window, GW_OWNER) != nullptr;
}

}  // namespace

void openRateWindow(Application& app) {
  if (RateWindow* open = RateWindow::current()) {
    open->bringToFront();
    return;
  }
  std::optional<int> quitCode;
  {
    RateWindow rateWindow(app);
    if (!rateWindow.create()) return;
    rateWindow.showModal();
    quitCode = rateWindow.runModalLoop();
  }  // a window still open because of the quit message goes here
  if (quitCode) PostQuitMessage(*quitCode);
}

RateWindow::~RateWindow() {
  if (window()) DestroyWindow(window());
}

// The window belongs to the application's invisible owner window, never to
// the main window: being owned it gets no taskbar button of its own.
bool RateWindow::create() {
  registerClass(0, reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1));
  const int left = (GetSystemMetrics(SM_CXSCREEN) - windowWidth) / 2;
  const int top = (GetSystemMetrics(SM_CYSCREEN) - windowHeight) / 2;
  if (!BaseWindow::create(0, L"", windowStyle, left, top, windowWidth, windowHeight,
                          app_.ownerWindow()))
    return false;
  keepOuterSize(left, top);
  SendMessageW(window(), WM_SETFONT, reinterpret_cast<WPARAM>(GetStockObject(DEFAULT_GUI_FONT)),
               FALSE);
  return htmlViewer_.create(window(), htmlViewerPlace, htmlViewerSettings());
}

// Windows may adjust a new window's size (to its minimum tracking size, say);
// the layout's outer size wins.
void RateWindow::keepOuterSize(int left, int top) {
  RECT outer;
  GetWindowRect(window(), &outer);
  if (outer.right - outer.left != windowWidth || outer.bottom - outer.top != windowHeight)
    SetWindowPos(window(), nullptr, left, top, windowWidth, windowHeight,
                 SWP_NOZORDER | SWP_NOACTIVATE);
}

void RateWindow::showModal() {
  ShowWindow(window(), SW_SHOW);
  disableOtherWindows();
}

std::optional<int> RateWindow::runModalLoop() {
  int quitCode = 0;
  while (window()) {
    if (!Application::pumpOneMessage(quitCode)) return quitCode;
  }
  return std::nullopt;
}

void RateWindow::bringToFront() {
  if (IsIconic(window()))
    ShowWindow(window(), SW_RESTORE);
  else
    SetForegroundWindow(window());
}

// Only the program's own top-level windows take part: the invisible owner
// window is not in the application's list.
void RateWindow::disableOtherWindows() {
  for (HWND other : app_.windows()) {
    if (other == window() || hasParentOrOwner(other)) continue;
    disabledWindows_.push_back({other, IsWindowEnabled(other) != FALSE});
    EnableWindow(other, FALSE);
  }
}

void RateWindow::restoreOtherWindows() {
  for (const RememberedState& state : disabledWindows_)
    if (IsWindow(state.window)) EnableWindow(state.window, state.enabled);
  disabledWindows_.clear();
}

LRESULT RateWindow::handleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_CREATE:
      app_.addWindow(window());
      current_ = this;
      return 0;
    case WM_SETFONT:
      font_ = reinterpret_cast<HFONT>(wParam);
      return 0;
    case WM_GETFONT:
      return reinterpret_cast<LRESULT>(font_);
    case WM_CLOSE:
      // The main window is enabled before this one goes, so that Windows
      // activates it in this window's place.
      restoreOtherWindows();
      DestroyWindow(window());
      return 0;
    case WM_DESTROY:
      restoreOtherWindows();
      app_.removeWindow(window());
      current_ = nullptr;
      return 0;
    default:
      return defaultHandling(message, wParam, lParam);
  }
}

}  // namespace tolvane
