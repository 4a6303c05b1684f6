#include "colour_schemes.hpp"

namespace tolvane {
namespace {

constexpr Gradient vertical(COLORREF top, COLORREF bottom) { return {top, top, bottom, bottom}; }

// The face of an enabled button that is not pressed, in every scheme.
constexpr Gradient kRaisedFace = vertical(RGB(252, 252, 251), RGB(236, 235, 230));
// A pressed face is flat, with a slightly cooler top-right corner.
constexpr Gradient kPressedFace = {RGB(231, 227, 222), RGB(231, 231, 231), RGB(231, 227, 222),
                                   RGB(231, 227, 222)};
constexpr Gradient kPressedBand = vertical(RGB(209, 204, 193), RGB(242, 241, 238));
constexpr Gradient kHotBand = vertical(RGB(255, 240, 207), RGB(229, 151, 0));
constexpr Gradient kNormalBand = vertical(RGB(255, 255, 255), RGB(226, 223, 214));

// Indexed by scheme number − 1. Olive and silver differ from blue in their
// frames, edit borders and the focus band; the rest is shared.
constexpr std::array<ColourScheme, 3> kSchemes = {{
    {
        // 1: blue
        .buttonFrame = RGB(0, 60, 115),
        .editBorder = RGB(123, 158, 189),
        .buttonGradients = {{
            {kPressedBand, kPressedFace},
            {kHotBand, kRaisedFace},
            {vertical(RGB(206, 231, 255), RGB(105, 130, 238)), kRaisedFace},
            {kNormalBand, kRaisedFace},
        }},
    },
    {
        // 2: olive
        .buttonFrame = RGB(55, 98, 6),
        .editBorder = RGB(164, 185, 127),
        .buttonGradients = {{
            {kPressedBand, kPressedFace},
            {kHotBand, kRaisedFace},
            {vertical(RGB(222, 235, 184), RGB(143, 173, 76)), kRaisedFace},
            {kNormalBand, kRaisedFace},
        }},
    },
    {
        // 3: silver
        .buttonFrame = RGB(0, 60, 116),
        .editBorder = RGB(198, 197, 215),
        .buttonGradients = {{
            {kPressedBand, kPressedFace},
            {kHotBand, kRaisedFace},
            {vertical(RGB(236, 236, 244), RGB(158, 157, 185)), kRaisedFace},
            {vertical(RGB(255, 255, 255), RGB(214, 214, 224)), kRaisedFace},
        }},
    },
}};

}  // namespace

const ColourScheme* colourScheme(int number) {
  if (number < 1 || number > static_cast<int>(kSchemes.size())) return nullptr;
  return &kSchemes[static_cast<size_t>(number - 1)];
}

}  // namespace tolvane
