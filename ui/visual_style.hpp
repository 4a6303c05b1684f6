// The visual style: a redrawn, flat, rounded look for the push buttons, edit
// boxes and group boxes of the UI thread, in one of three colour schemes.
#pragma once

namespace tolvane {

// With 1 (blue), 2 (olive) or 3 (silver): switches the style off if it was on,
// then on with that scheme, and returns true. It then covers every window the
// thread has and every window it creates later. With any other number:
// switches the style off and returns whether one was on. UI thread only.
bool setVisualStyle(int scheme);

}  // namespace tolvane
