// The exchange-rate window: a small modal window that shows the bank's
// exchange-rate page in an embedded browser, so that the user can read the US
// dollar rate there. Nothing flows between it and the main window.
#pragma once

#include <windows.h>

#include <optional>
#include <vector>

#include "application.hpp"
#include "base_window.hpp"
#include "browser_host.hpp"

namespace tolvane {

// Opens the exchange-rate window modally: the program's other top-level
// windows are disabled and a nested message loop runs until the window is
// closed, or until the quit message arrives, which is then posted again for the
// outer loop. When the window is open already it is brought to the front and
// the call returns at once. When the window cannot be created nothing happens.
void openRateWindow(Application& app);

class RateWindow : public BaseWindow<RateWindow> {
 public:
  static const wchar_t* className() { return L"TolvaneRateWindow"; }

  // The exchange-rate window that is open on this thread, null when none is.
  static RateWindow* current() { return current_; }

  explicit RateWindow(Application& app) : app_(app) {}
  ~RateWindow() override;

  // Creates the window, hidden, with its browser. False when it cannot.
  bool create();
  // Shows the window and disables the other windows of the program.
  void showModal();
  // Dispatches messages until the window is destroyed; the quit message's code
  // when that message ended the loop instead.
  std::optional<int> runModalLoop();
  // Restores the window when it is minimised, else activates it.
  void bringToFront();

  HtmlViewer& htmlViewer() { return htmlViewer_; }

 private:
  friend class BaseWindow<RateWindow>;

  struct RememberedState {
    HWND window;
    bool enabled;
  };

  LRESULT handleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
  void keepOuterSize(int left, int top);
  void disableOtherWindows();
  void restoreOtherWindows();

  static inline RateWindow* current_ = nullptr;

  Application& app_;
  HtmlViewer htmlViewer_;  // 超文本浏览框1
  HFONT font_ = nullptr;
  std::vector<RememberedState> disabledWindows_;
};

}  // namespace tolvane
