// A window object bound to its HWND: the object travels in CreateWindowEx's
// last argument, is attached at WM_NCCREATE, and each message goes to the
// derived class's handleMessage. After WM_NCDESTROY the object no longer
// receives messages.
#pragma once

#include <windows.h>

namespace tolvane {

template <typename Derived>
class BaseWindow {
 public:
  BaseWindow() = default;
  BaseWindow(const BaseWindow&) = delete;
  BaseWindow& operator=(const BaseWindow&) = delete;
  virtual ~BaseWindow() = default;

  HWND window() const { return window_; }

 protected:
  // Registers the class once per process; Derived::className() names it.
  static void registerClass(UINT style = 0, HBRUSH background = nullptr, HICON icon = nullptr,
                            HICON smallIcon = nullptr) {
    static bool registered = false;
    if (registered) return;
    WNDCLASSEXW wc{sizeof wc};
    wc.style = style;
    wc.lpfnWndProc = windowProcedure;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    wc.hbrBackground = background;
    wc.hIcon = icon;
    wc.hIconSm = smallIcon;
    wc.lpszClassName = Derived::className();
    registered = RegisterClassExW(&wc) != 0;
  }

  HWND create(DWORD exStyle, const wchar_t* title, DWORD style, int x, int y, int width,
              int height, HWND parent, HMENU menuOrId = nullptr) {
    return CreateWindowExW(exStyle, Derived::className(), title, style, x, y, width, height,
                           parent, menuOrId, GetModuleHandleW(nullptr), this);
  }

  LRESULT defaultHandling(UINT message, WPARAM wParam, LPARAM lParam) {
    return DefWindowProcW(window_, message, wParam, lParam);
  }

  virtual LRESULT handleMessage(UINT message, WPARAM wParam, LPARAM lParam) = 0;

 private:
  static LRESULT CALLBACK windowProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    Derived* self = nullptr;
    if (message == WM_NCCREATE) {
      const auto* create = reinterpret_cast<const CREATESTRUCTW*>(lParam);
      self = static_cast<Derived*>(create->lpCreateParams);
      SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
      self->window_ = window;
    } else {
      self = reinterpret_cast<Derived*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    }
    if (!self) return DefWindowProcW(window, message, wParam, lParam);
    if (message == WM_NCDESTROY) {
      SetWindowLongPtrW(window, GWLP_USERDATA, 0);
      const LRESULT result = self->handleMessage(message, wParam, lParam);
      self->window_ = nullptr;
      return result;
    }
    return self->handleMessage(message, wParam, lParam);
  }

  HWND window_ = nullptr;
};

}  // namespace tolvane
