// The colour schemes of the visual style: blue (1), olive (2) and silver (3).
#pragma once

#include <windows.h>

#include <array>

namespace tolvane {

// A gradient given by the colours of its four corners; it runs from top to bottom.
struct Gradient {
  COLORREF topLeft;
  COLORREF topRight;
  COLORREF bottomLeft;
  COLORREF bottomRight;
};

// The looks of an enabled push button, in the order in which they are chosen:
// the first that applies wins.
enum class ButtonLook { Pressed, Hot, Focused, Normal };

// The 2-pixel band inside a push button's frame, and the face inside the band.
struct ButtonGradients {
  Gradient band;
  Gradient face;
};

// Colours every scheme shares.
inline constexpr COLORREF kGroupBoxFrame = RGB(191, 184, 191);
inline constexpr COLORREF kDisabledButtonFill = RGB(245, 244, 234);
inline constexpr COLORREF kDisabledCaption = RGB(165, 162, 148);

struct ColourScheme {
  COLORREF buttonFrame;
  COLORREF editBorder;
  std::array<ButtonGradients, 4> buttonGradients;  // indexed by ButtonLook

  const ButtonGradients& gradientsFor(ButtonLook look) const {
    return buttonGradients[static_cast<size_t>(look)];
  }
};

// The scheme with that number, or nullptr when the number names none.
const ColourScheme* colourScheme(int number);

}  // namespace tolvane
