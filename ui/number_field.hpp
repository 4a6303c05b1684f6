// 编辑框2's own behaviour on top of the standard edit control: typed
// characters are limited to digits, "-" and ".", and the text is rewritten as
// a short number whenever the field loses the focus.
#pragma once

#include <windows.h>

namespace tolvane {

// Installs the keyboard filter and the normalisation on an edit control.
void makeNumberField(HWND editBox);

// Whether a typed character may go into the field: control characters and
// digits, "-" and "."; nothing else, double-byte characters included.
bool acceptsTypedCharacter(WPARAM character);

// Rewrites the field's text as shortNumberText gives it, unless that is what
// it holds already; the caret goes where the selection started.
void normaliseNumberField(HWND editBox);

}  // namespace tolvane
