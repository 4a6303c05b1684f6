// Taking windows over: the style replaces the window procedure of each push
// button, edit box and group box of the thread with styledControlProcedure,
// which keeps the control's state flags and paints it, and hands everything
// else to the procedure it replaced.
#include "visual_style.hpp"

#include <algorithm>
#include <optional>
#include <vector>

#include "colour_schemes.hpp"
#include "scoped_handles.hpp"
#include "style_painting.hpp"
#include "styled_control.hpp"

namespace tolvane {
namespace {

void unhook(HHOOK hook) { UnhookWindowsHookEx(hook); }
using ScopedHook = ScopedHandle<HHOOK, unhook>;

LRESULT CALLBACK styledControlProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

// The style of this thread. While scheme is null the style is off; records
// that remain then belong to windows whose procedure could not be given back
// (see giveBack) and only pass messages on.
struct ThreadStyle {
  ThreadStyle() = default;
  ThreadStyle(const ThreadStyle&) = delete;
  ThreadStyle& operator=(const ThreadStyle&) = delete;
  // Windows still alive when the thread ends are destroyed after its
  // thread-local data: they get their procedures back before the list goes.
  ~ThreadStyle() {
    for (const StyledControl& control : controls) {
      if (GetWindowLongPtrW(control.window, GWLP_WNDPROC) ==
          reinterpret_cast<LONG_PTR>(styledControlProcedure)) {
        SetWindowLongPtrW(control.window, GWLP_WNDPROC,
                          reinterpret_cast<LONG_PTR>(control.previousProcedure));
      }
    }
  }

  const ColourScheme* scheme = nullptr;
  ScopedHook creationHook;
  std::vector<StyledControl> controls;
};

thread_local ThreadStyle threadStyle;

// Records move when the list grows or shrinks, and any message sent can
// change the list: look a record up again after sending one, never keep it.
StyledControl* findControl(HWND window) {
  auto& controls = threadStyle.controls;
  auto found = std::find_if(controls.begin(), controls.end(),
                            [window](const StyledControl& control) { return control.window == window; });
  return found == controls.end() ? nullptr : &*found;
}

LRESULT passOn(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  const StyledControl* control = findControl(window);
  if (!control) return DefWindowProcW(window, message, wParam, lParam);
  return CallWindowProcW(control->previousProcedure, window, message, wParam, lParam);
}

// ---- Painting -------------------------------------------------------------

// Asks the parent for the control's button colours, as a button asks before it
// paints, and keeps the brush and text colour it gives.
void askParentForColours(HWND window, HDC dc) {
  const HWND parent = GetParent(window);
  if (!parent) return;
  const int saved = SaveDC(dc);
  auto brush = reinterpret_cast<HBRUSH>(SendMessageW(
      parent, WM_CTLCOLORBTN, reinterpret_cast<WPARAM>(dc), reinterpret_cast<LPARAM>(window)));
  const COLORREF textColour = GetTextColor(dc);
  RestoreDC(dc, saved);
  if (StyledControl* control = findControl(window)) {
    control->background = brush ? brush : GetSysColorBrush(COLOR_BTNFACE);
    control->textColour = textColour;
  }
}

// Paints a push button or group box whole into dc, a DC on its client area.
void paintWholeControl(HWND window, HDC dc) {
  const StyledControl* control = findControl(window);
  if (!control || !threadStyle.scheme) return;
  if (!control->background) {
    askParentForColours(window, dc);
    control = findControl(window);
    if (!control) return;
  }
  const StyledControl snapshot = *control;  // painting sends messages to the window
  if (snapshot.kind == ControlKind::PushButton) {
    paintPushButton(dc, snapshot, *threadStyle.scheme);
  } else {
    paintGroupBox(dc, snapshot);
  }
}

void paintEditBorderInto(HWND window, HDC dc) {
  const StyledControl* control = findControl(window);
  if (!control || !threadStyle.scheme) return;
  const StyledControl snapshot = *control;
  paintEditBorder(dc, snapshot, *threadStyle.scheme);
}

void paintEditBorderNow(HWND window) {
  ScopedWindowDc dc(window, ScopedWindowDc::Area::WholeWindow);
  if (dc.get()) paintEditBorderInto(window, dc.get());
}

// Shows a change of state at once.
void repaint(HWND window) {
  const StyledControl* control = findControl(window);
  if (!control || !threadStyle.scheme) return;
  if (control->kind == ControlKind::EditBox) {
    paintEditBorderNow(window);
  } else {
    RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
  }
}

// ---- State tracking -------------------------------------------------------

template <typename Change>
void changeState(HWND window, Change change) {
  if (StyledControl* control = findControl(window)) {
    change(control->state);
    repaint(window);
  }
}

void startHover(HWND window, WPARAM keys) {
  StyledControl* control = findControl(window);
  // A control does not light up under a mouse that is dragging with the left button.
  if (!control || control->state.hot || (keys & MK_LBUTTON)) return;
  control->state.hot = true;
  TRACKMOUSEEVENT leave{sizeof leave, TME_LEAVE, window, 0};
  TrackMouseEvent(&leave);
  repaint(window);
}

// Messages that change a state flag. The previous procedure handles them first
// (it may draw the control its own way); the flag follows and the style repaints.
std::optional<LRESULT> trackState(HWND window, ControlKind kind, UINT message, WPARAM wParam,
                                  LPARAM lParam) {
  const bool button = kind == ControlKind::PushButton;
  switch (message) {
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
    case WM_ENABLE:
    case WM_MOUSEMOVE:
    case WM_MOUSELEAVE:
      break;
    case BM_SETSTATE:
    case BM_SETSTYLE:
      if (!button) return std::nullopt;
      break;
    case EM_SETREADONLY:
      if (kind != ControlKind::EditBox) return std::nullopt;
      break;
    default:
      return std::nullopt;
  }

  const LRESULT result = passOn(window, message, wParam, lParam);
  switch (message) {
    case WM_SETFOCUS:
      changeState(window, [](ControlState& state) { state.focused = true; });
      break;
    case WM_KILLFOCUS:
      changeState(window, [](ControlState& state) { state.focused = false; });
      break;
    case WM_ENABLE:
      changeState(window, [wParam](ControlState& state) { state.disabled = !wParam; });
      break;
    case WM_MOUSEMOVE:
      startHover(window, wParam);
      break;
    case WM_MOUSELEAVE:
      changeState(window, [](ControlState& state) { state.hot = false; });
      break;
    case BM_SETSTATE:
      changeState(window, [wParam](ControlState& state) { state.pressed = wParam != 0; });
      break;
    case BM_SETSTYLE:
      changeState(window, [wParam](ControlState& state) {
        state.defaultButton = (wParam & BS_TYPEMASK) == BS_DEFPUSHBUTTON;
      });
      break;
    case EM_SETREADONLY:
      changeState(window, [wParam](ControlState& state) { state.readOnly = wParam != 0; });
      break;
  }
  return result;
}

// ---- Messages by kind -----------------------------------------------------

// Push buttons and group boxes are painted by the style alone.
LRESULT wholeControlMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_ERASEBKGND:
      askParentForColours(window, reinterpret_cast<HDC>(wParam));
      return 1;  // the paint covers every pixel
    case WM_PAINT: {
      ScopedPaint paint(window);
      paintWholeControl(window, paint.dc());
      return 0;
    }
    case WM_PRINTCLIENT:
      paintWholeControl(window, reinterpret_cast<HDC>(wParam));
      return 0;
    // The previous procedure may draw its own look straight onto the screen
    // after these; the style's look goes over it at once.
    case WM_SETTEXT:
    case WM_UPDATEUISTATE: {
      const LRESULT result = passOn(window, message, wParam, lParam);
      repaint(window);
      return result;
    }
    default:
      return passOn(window, message, wParam, lParam);
  }
}

// Edit boxes paint themselves; the style then draws its border over theirs.
LRESULT editBoxMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  const LRESULT result = passOn(window, message, wParam, lParam);
  switch (message) {
    case WM_PAINT:
    case WM_NCPAINT:
    case WM_HSCROLL:
    case WM_VSCROLL:
      paintEditBorderNow(window);
      break;
    case WM_PRINT:
      if (lParam & PRF_NONCLIENT) paintEditBorderInto(window, reinterpret_cast<HDC>(wParam));
      break;
  }
  return result;
}

// ---- Taking over and giving back ----------------------------------------

void redrawWhole(HWND window) {
  RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_UPDATENOW);
}

void takeOver(HWND window) {
  const std::optional<ControlKind> kind = styleableKind(window);
  if (!kind) return;
  if (StyledControl* known = findControl(window)) {
    // Still in its window's procedure chain from an earlier style: just wake it.
    known->state = currentState(window, *kind);
  } else {
    StyledControl record;
    record.window = window;
    record.kind = *kind;
    record.state = currentState(window, *kind);
    record.previousProcedure =
        reinterpret_cast<WNDPROC>(GetWindowLongPtrW(window, GWLP_WNDPROC));
    threadStyle.controls.push_back(record);
    SetWindowLongPtrW(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(styledControlProcedure));
  }
  redrawWhole(window);
}

void forget(HWND window) {
  std::erase_if(threadStyle.controls,
                [window](const StyledControl& control) { return control.window == window; });
}

// Gives the window its previous procedure back. When another procedure has
// replaced the style's since, putting the previous one back would cut that one
// out: the record then stays and only passes messages on until the window goes.
void giveBack(HWND window) {
  const StyledControl* control = findControl(window);
  if (!control) return;
  const auto current = reinterpret_cast<WNDPROC>(GetWindowLongPtrW(window, GWLP_WNDPROC));
  if (current == styledControlProcedure) {
    SetWindowLongPtrW(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(control->previousProcedure));
    forget(window);
  }
  redrawWhole(window);
}

LRESULT CALLBACK styledControlProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  const StyledControl* control = findControl(window);
  if (!control) return DefWindowProcW(window, message, wParam, lParam);
  if (message == WM_NCDESTROY) {
    const WNDPROC previous = control->previousProcedure;
    SetWindowLongPtrW(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(previous));
    forget(window);
    return CallWindowProcW(previous, window, message, wParam, lParam);
  }
  if (!threadStyle.scheme) return passOn(window, message, wParam, lParam);

  const ControlKind kind = control->kind;
  if (auto result = trackState(window, kind, message, wParam, lParam)) return *result;
  if (kind == ControlKind::EditBox) return editBoxMessage(window, message, wParam, lParam);
  return wholeControlMessage(window, message, wParam, lParam);
}

// ---- The thread's windows ---------------------------------------------------

BOOL CALLBACK takeOverChild(HWND window, LPARAM) {
  takeOver(window);
  return TRUE;
}

// EnumChildWindows walks the children's children as well.
BOOL CALLBACK takeOverTree(HWND topLevel, LPARAM) {
  takeOver(topLevel);
  EnumChildWindows(topLevel, takeOverChild, 0);
  return TRUE;
}

LRESULT CALLBACK creationHook(int code, WPARAM wParam, LPARAM lParam) {
  if (code == HC_ACTION) {
    const auto* call = reinterpret_cast<const CWPSTRUCT*>(lParam);
    if (call->message == WM_CREATE) takeOver(call->hwnd);
  }
  return CallNextHookEx(nullptr, code, wParam, lParam);
}

bool switchOff() {
  if (!threadStyle.scheme) return false;
  threadStyle.creationHook.reset();
  threadStyle.scheme = nullptr;
  std::vector<HWND> windows;
  for (const StyledControl& control : threadStyle.controls) windows.push_back(control.window);
  for (HWND window : windows) giveBack(window);
  return true;
}

}  // namespace

bool setVisualStyle(int scheme) {
  const bool removed = switchOff();
  const ColourScheme* colours = colourScheme(scheme);
  if (!colours) return removed;
  threadStyle.scheme = colours;
  EnumThreadWindows(GetCurrentThreadId(), takeOverTree, 0);
  threadStyle.creationHook.reset(
      SetWindowsHookExW(WH_CALLWNDPROC, creationHook, nullptr, GetCurrentThreadId()));
  return true;
}

}  // namespace tolvane
