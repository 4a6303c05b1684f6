// Label: a window of the program's own that paints its caption itself. It
// fills its rectangle with the button-face colour and draws the caption
// transparently in its font and colour: on one line centred vertically, or
// broken at CR LF into lines drawn from the top. It takes no focus and does
// nothing with input beyond the default handling.
#pragma once

#include <windows.h>

#include "base_window.hpp"

namespace tolvane {

class Label : public BaseWindow<Label> {
 public:
  struct Look {
    COLORREF textColour;
    bool twoLines;
  };

  static const wchar_t* className() { return L"TolvaneLabel"; }

  // A child window of parent; shown when WS_VISIBLE is in style.
  HWND create(HWND parent, const wchar_t* caption, DWORD style, const RECT& place, int id,
              const Look& look);

 private:
  friend class BaseWindow<Label>;

  LRESULT handleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
  void paint();

  Look look_{};
  HFONT font_ = nullptr;
};

}  // namespace tolvane
