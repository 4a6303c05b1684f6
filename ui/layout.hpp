// The main window's layout: the window's own properties and one row per
// control, in the layout's order. Places are relative to the parent's client
// area; controls whose parent is a group box are that group box's children.
#pragma once

#include <windows.h>

#include <span>
#include <string_view>

#include "fonts.hpp"

namespace tolvane {

enum class LayoutKind { EditBox, Label, Button, GroupBox };

enum class ParentName { Window, GroupBox1, GroupBox2 };

// Text and background colours of a control.
enum class Colours {
  System,        // the kind's usual colours (push buttons)
  Display,       // RGB(4, 251, 251) on black: the visible fields
  BlackOnWhite,  // the fields the user is not meant to see
  Red,           // label text
  Blue,          // label text, group box titles
};

enum class Alignment { Left, Right };

// Further properties, combined with |.
enum ControlTraits : unsigned {
  kNoTraits = 0,
  kMultiLine = 1 << 0,      // edit box: Enter starts a line, scrolls vertically, no scroll bars
  kKeepsSelection = 1 << 1, // edit box: the selection stays visible without the focus
  kNumberField = 1 << 2,    // edit box: keyboard filter and number normalisation
  kTwoLines = 1 << 3,       // label: the caption broken at CR LF, drawn from the top
};

struct ControlLayout {
  std::string_view name;  // the layout name, also the field name: "编辑框2"
  LayoutKind kind;
  ParentName parent;
  int left, top, width, height;
  bool shown;
  bool tabStop;
  const wchar_t* text;
  FontName font;
  Colours colours;
  Alignment alignment;
  unsigned traits;
};

struct WindowLayout {
  const wchar_t* title;
  int width, height;  // outer size
};

// Events that the layout attaches a handler to which does nothing.
enum class LayoutEvent { TextChanged, Notification, LeftButtonDown };
struct IgnoredEvent {
  std::string_view control;
  LayoutEvent event;
};

const WindowLayout& mainWindowLayout();
std::span<const ControlLayout> mainWindowControls();
std::span<const IgnoredEvent> mainWindowIgnoredEvents();

// Display colours of the visible fields, and the label colours.
constexpr COLORREF kDisplayText = RGB(4, 251, 251);
constexpr COLORREF kDisplayBackground = RGB(0, 0, 0);
constexpr COLORREF kRed = RGB(255, 0, 0);
constexpr COLORREF kBlue = RGB(0, 0, 255);

}  // namespace tolvane
