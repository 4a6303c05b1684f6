// The program's life on the UI thread: the invisible owner window that windows
// loaded as dialogs belong to, the list of loaded windows, and the message loop
// that ends when the last of them is destroyed.
#pragma once

#include <windows.h>

#include <vector>

#include "scoped_handles.hpp"

namespace tolvane {

class Application {
 public:
  Application();  // creates the owner window
  Application(const Application&) = delete;
  Application& operator=(const Application&) = delete;

  // Zero size, never shown, a tool window with an empty title: it gives owned
  // windows a parent without a taskbar button of their own.
  HWND ownerWindow() const { return owner_.get(); }

  // Loaded windows report their creation and destruction here. Removing the
  // last one while the loop runs posts the quit message with 0.
  void addWindow(HWND window);
  void removeWindow(HWND window);
  const std::vector<HWND>& windows() const { return windows_; }

  // Sets the loop flag, runs the message loop while a window is alive, and
  // returns the quit message's code (0 when no window was alive).
  int run();

  // One message, translated and dispatched; false on the quit message, whose
  // code is then in quitCode. Shared by the main loop and modal loops.
  static bool pumpOneMessage(int& quitCode);

 private:
  ScopedWindow owner_;
  std::vector<HWND> windows_;
  bool loopRunning_ = false;
};

}  // namespace tolvane
