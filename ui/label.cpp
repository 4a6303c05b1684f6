#include "label.hpp"

#include <string>

#include "gbk.hpp"
#include "scoped_handles.hpp"

namespace tolvane {

HWND Label::create(HWND parent, const wchar_t* caption, DWORD style, const RECT& place, int id,
                   const Look& look) {
  registerClass();
  look_ = look;
  return BaseWindow::create(0, caption, WS_CHILD | style, place.left, place.top,
                            place.right - place.left, place.bottom - place.top, parent,
                            reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)));
}

LRESULT Label::handleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_PAINT:
      paint();
      return 0;
    case WM_ERASEBKGND:
      return 1;  // painting fills the whole rectangle
    case WM_SETFONT:
      font_ = reinterpret_cast<HFONT>(wParam);
      if (LOWORD(lParam)) InvalidateRect(window(), nullptr, TRUE);
      return 0;
    case WM_GETFONT:
      return reinterpret_cast<LRESULT>(font_);
    case WM_SETTEXT: {
      const LRESULT result = defaultHandling(message, wParam, lParam);
      InvalidateRect(window(), nullptr, TRUE);
      return result;
    }
    default:
      return defaultHandling(message, wParam, lParam);
  }
}

void Label::paint() {
  ScopedPaint painting(window());
  const HDC dc = painting.dc();
  RECT area;
  GetClientRect(window(), &area);
  FillRect(dc, &area, GetSysColorBrush(COLOR_BTNFACE));

  const std::wstring caption = windowText(window());

  const HFONT font = font_ ? font_ : static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
  ScopedSelection selectFont(dc, font);
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, look_.textColour);
  // DrawText breaks lines at CR LF itself when not told to keep one line.
  const UINT format = look_.twoLines ? DT_LEFT | DT_TOP | DT_NOPREFIX
                                     : DT_LEFT | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX;
  DrawTextW(dc, caption.c_str(), static_cast<int>(caption.size()), &area, format);
}

}  // namespace tolvane
