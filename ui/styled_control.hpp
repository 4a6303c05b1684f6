// The record the visual style keeps for each window it has taken over, and
// which windows it takes over.
#pragma once

#include <windows.h>

#include <optional>

namespace tolvane {

enum class ControlKind { PushButton, EditBox, GroupBox };

struct ControlState {
  bool disabled = false;
  bool focused = false;
  bool hot = false;  // the mouse is over the control
  bool pressed = false;
  bool defaultButton = false;
  bool readOnly = false;  // edit boxes only
};

struct StyledControl {
  HWND window = nullptr;
  ControlKind kind = ControlKind::PushButton;
  WNDPROC previousProcedure = nullptr;  // gets every message the style does not handle itself
  ControlState state;
  // What the parent last gave when asked for the control's button colours. The
  // brush belongs to the parent (or is a system brush); null until asked.
  HBRUSH background = nullptr;
  COLORREF textColour = RGB(0, 0, 0);
};

// The kind the style gives a window, or nothing for a window it leaves alone:
// child windows of the class "Button" with the push-button, default-push-button
// or group-box style, and child windows of the class "Edit".
std::optional<ControlKind> styleableKind(HWND window);

// The state flags as the window shows them now (hot and pressed start off).
ControlState currentState(HWND window, ControlKind kind);

}  // namespace tolvane
