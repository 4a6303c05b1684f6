#include "styled_control.hpp"

#include <iterator>

namespace tolvane {
namespace {

bool isClass(const wchar_t* className, const wchar_t* wanted) {
  return CompareStringOrdinal(className, -1, wanted, -1, TRUE) == CSTR_EQUAL;
}

}  // namespace

std::optional<ControlKind> styleableKind(HWND window) {
  const LONG style = GetWindowLongW(window, GWL_STYLE);
  // Top-level windows keep their own look, whatever their class.
  if (!(style & WS_CHILD)) return std::nullopt;

  wchar_t className[64] = {};
  if (!GetClassNameW(window, className, static_cast<int>(std::size(className)))) {
    return std::nullopt;
  }
  if (isClass(className, L"Edit")) return ControlKind::EditBox;
  if (!isClass(className, L"Button")) return std::nullopt;
  switch (style & BS_TYPEMASK) {
    case BS_PUSHBUTTON:
    case BS_DEFPUSHBUTTON:
      return ControlKind::PushButton;
    case BS_GROUPBOX:
      return ControlKind::GroupBox;
    default:
      return std::nullopt;  // check boxes, radio buttons, owner-drawn buttons
  }
}

ControlState currentState(HWND window, ControlKind kind) {
  const LONG style = GetWindowLongW(window, GWL_STYLE);
  ControlState state;
  state.disabled = (style & WS_DISABLED) != 0;
  state.focused = GetFocus() == window;
  state.readOnly = kind == ControlKind::EditBox && (style & ES_READONLY) != 0;
  state.defaultButton =
      kind == ControlKind::PushButton && (style & BS_TYPEMASK) == BS_DEFPUSHBUTTON;
  return state;
}

}  // namespace tolvane
