// The five Song-face fonts of the main window, created once and freed with
// their owner.
#pragma once

#include <windows.h>

#include <array>

#include "scoped_handles.hpp"

namespace tolvane {

enum class FontName {
  F24,
  F19,
  F14,
  F12B,
  F12,
  DefaultGui,  // the system's default GUI font, not owned
};

class Fonts {
 public:
  Fonts();  // creates the five fonts

  HFONT get(FontName name) const;

 private:
  std::array<ScopedFont, 5> owned_;
};

}  // namespace tolvane
