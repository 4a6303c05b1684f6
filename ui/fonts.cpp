#include "fonts.hpp"

namespace tolvane {
namespace {

struct FontDescription {
  FontName name;
  int characterHeight;  // pixels, asked for as a negative height
  int weight;
};

constexpr FontDescription kFontTable[] = {
    {FontName::F24, 24, FW_BOLD},  {FontName::F19, 19, FW_BOLD},    {FontName::F14, 14, FW_BOLD},
    {FontName::F12B, 12, FW_BOLD}, {FontName::F12, 12, FW_NORMAL},
};

constexpr const wchar_t* kFace = L"宋体";

HFONT createSongFont(const FontDescription& font) {
  // The character set is left to the system; proof quality, default pitch.
  return CreateFontW(-font.characterHeight, 0, 0, 0, font.weight, FALSE, FALSE, FALSE,
                     DEFAULT_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, PROOF_QUALITY,
                     DEFAULT_PITCH, kFace);
}

}  // namespace

Fonts::Fonts() {
  for (const auto& font : kFontTable) owned_[static_cast<size_t>(font.name)].reset(createSongFont(font));
}

HFONT Fonts::get(FontName name) const {
  if (name == FontName::DefaultGui) return static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
  return owned_[static_cast<size_t>(name)].get();
}

}  // namespace tolvane
