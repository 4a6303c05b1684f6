// Creation of the standard controls of the layout: edit boxes, push buttons
// and group boxes, each a child window at its layout place with its font.
#pragma once

#include <windows.h>

#include "layout.hpp"

namespace tolvane {

HWND createEditBox(HWND parent, const ControlLayout& layout, int id, HFONT font);
HWND createButton(HWND parent, const ControlLayout& layout, int id, HFONT font);
// A group box passes its children's notifications and colour requests on to
// its own parent, the window, as a dialog would receive them.
HWND createGroupBox(HWND parent, const ControlLayout& layout, int id, HFONT font);

// The layout's place and size as a rectangle in the parent's client area.
RECT layoutRectangle(const ControlLayout& layout);

// The lowest height of a single-line edit box: the height of "吴" in its font
// plus the sunken edge above and below.
int minimumEditHeight(HWND editBox, HFONT font);

}  // namespace tolvane
