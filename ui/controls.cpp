#include "controls.hpp"

#include <commctrl.h>

#include "number_field.hpp"
#include "scoped_handles.hpp"

namespace tolvane {
namespace {

DWORD commonStyle(const ControlLayout& layout) {
  return WS_CHILD | (layout.shown ? WS_VISIBLE : 0) | (layout.tabStop ? WS_TABSTOP : 0);
}

DWORD editStyle(const ControlLayout& layout) {
  // ES_AUTOHSCROLL on the multi-line field as well: it turns word wrapping
  // off. Wrapping a 100 000-character page at 24 pixels takes the edit control
  // seconds per write (minutes for one long line); lines broken only at CR LF
  // take milliseconds. The field is never seen, so nothing shows the difference.
  DWORD style = commonStyle(layout) | ES_AUTOHSCROLL |
                (layout.alignment == Alignment::Right ? ES_RIGHT : ES_LEFT);
  if (layout.traits & kMultiLine) style |= ES_MULTILINE | ES_WANTRETURN | ES_AUTOVSCROLL;
  if (layout.traits & kKeepsSelection) style |= ES_NOHIDESEL;
  return style;
}

HWND createChild(const wchar_t* windowClass, DWORD exStyle, DWORD style, HWND parent,
                 const ControlLayout& layout, int id, HFONT font) {
  const RECT place = layoutRectangle(layout);
  const HWND control = CreateWindowExW(
      exStyle, windowClass, layout.text, style, place.left, place.top, place.right - place.left,
      place.bottom - place.top, parent, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
      GetModuleHandleW(nullptr), nullptr);
  if (control) SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
  return control;
}

// Keeps the place and width, raises the height to one line of the font.
void growToOneLine(HWND editBox, const ControlLayout& layout, HFONT font) {
  const int minimum = minimumEditHeight(editBox, font);
  if (layout.height >= minimum) return;
  SetWindowPos(editBox, nullptr, 0, 0, layout.width, minimum,
               SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

constexpr UINT_PTR kForwardingSubclassId = 1;

LRESULT CALLBACK forwardToParent(HWND groupBox, UINT message, WPARAM wParam, LPARAM lParam,
                                 UINT_PTR, DWORD_PTR) {
  switch (message) {
    case WM_COMMAND:
    case WM_NOTIFY:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORBTN:
      return SendMessageW(GetParent(groupBox), message, wParam, lParam);
    case WM_NCDESTROY:
      RemoveWindowSubclass(groupBox, forwardToParent, kForwardingSubclassId);
      break;
  }
  return DefSubclassProc(groupBox, message, wParam, lParam);
}

}  // namespace

RECT layoutRectangle(const ControlLayout& layout) {
  return {layout.left, layout.top, layout.left + layout.width, layout.top + layout.height};
}

int minimumEditHeight(HWND editBox, HFONT font) {
  ScopedWindowDc dc(editBox);
  ScopedSelection selectFont(dc.get(), font);
  SIZE extent{};
  GetTextExtentPoint32W(dc.get(), L"吴", 1, &extent);
  return extent.cy + 2 * GetSystemMetrics(SM_CYEDGE);
}

HWND createEditBox(HWND parent, const ControlLayout& layout, int id, HFONT font) {
  const HWND editBox =
      createChild(L"EDIT", WS_EX_CLIENTEDGE, editStyle(layout), parent, layout, id, font);
  if (!editBox) return nullptr;
  // 0 lifts the typing limit to the control's maximum.
  SendMessageW(editBox, EM_SETLIMITTEXT, 0, 0);
  if (!(layout.traits & kMultiLine)) growToOneLine(editBox, layout, font);
  if (layout.traits & kNumberField) makeNumberField(editBox);
  return editBox;
}

HWND createButton(HWND parent, const ControlLayout& layout, int id, HFONT font) {
  // A plain push button, never the default one; the caption centred both ways.
  const DWORD style = commonStyle(layout) | BS_PUSHBUTTON | BS_MULTILINE | BS_CENTER | BS_VCENTER;
  return createChild(L"BUTTON", 0, style, parent, layout, id, font);
}

HWND createGroupBox(HWND parent, const ControlLayout& layout, int id, HFONT font) {
  // WS_EX_CONTROLPARENT lets Tab move into the controls inside.
  const HWND groupBox = createChild(L"BUTTON", WS_EX_CONTROLPARENT,
                                    commonStyle(layout) | BS_GROUPBOX, parent, layout, id, font);
  if (groupBox) SetWindowSubclass(groupBox, forwardToParent, kForwardingSubclassId, 0);
  return groupBox;
}

}  // namespace tolvane
