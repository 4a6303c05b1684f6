// How the visual style draws the controls it has taken over. Every painter
// draws into an off-screen bitmap of the window's size and copies it in one step.
#pragma once

#include <windows.h>

#include "colour_schemes.hpp"
#include "styled_control.hpp"

namespace tolvane {

// The whole button into target, a device context on its client area.
void paintPushButton(HDC target, const StyledControl& button, const ColourScheme& scheme);

// The whole group box into target, a device context on its client area; the
// same in every scheme.
void paintGroupBox(HDC target, const StyledControl& groupBox);

// The edit box's border into target, a device context on the whole window
// (non-client area included); its text area is left as the edit box drew it.
// Edit boxes without a border are left alone.
void paintEditBorder(HDC target, const StyledControl& edit, const ColourScheme& scheme);

}  // namespace tolvane
