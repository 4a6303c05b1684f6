// A main window, created and shown as start-up does, for the tests to drive
// with window messages.
#pragma once

#include <gtest/gtest.h>
#include <windows.h>

#include <memory>
#include <string>
#include <string_view>

#include "application.hpp"
#include "gbk.hpp"
#include "main_window.hpp"

namespace tolvane::testing {

// Handles what is queued, so that focus changes, notifications and painting
// have happened before the test looks.
inline void pumpMessages() {
  MSG message;
  while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
    TranslateMessage(&message);
    DispatchMessageW(&message);
  }
}

class MainWindowTest : public ::testing::Test {
 protected:
  // The quote page read that 按钮2 uses; by default nothing can be read.
  virtual HttpRead quotePageRead() {
    return [](std::string_view) { return Bytes(); };
  }

  void SetUp() override {
    window_ = std::make_unique<MainWindow>(application_, quotePageRead());
    ASSERT_TRUE(window_->create());
    window_->show();
    SetForegroundWindow(window_->window());
    pumpMessages();
  }

  void TearDown() override {
    window_.reset();
    pumpMessages();
  }

  HWND mainWindow() const { return window_->window(); }
  HWND control(std::string_view name) const {
    const HWND found = window_->control(name);
    EXPECT_NE(found, nullptr) << name;
    return found;
  }
  Fields& fields() { return window_->fields(); }
  std::wstring text(std::string_view name) const { return windowText(control(name)); }

  // A click as the mouse makes it: the button takes the focus on the press
  // and reports the click on the release.
  void click(std::string_view button) {
    const HWND target = control(button);
    SendMessageW(target, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
    SendMessageW(target, WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
    pumpMessages();
  }

  void type(std::string_view field, std::wstring_view characters) {
    for (const wchar_t c : characters) SendMessageW(control(field), WM_CHAR, c, 1);
    pumpMessages();
  }

  Application application_;
  std::unique_ptr<MainWindow> window_;
};

}  // namespace tolvane::testing
