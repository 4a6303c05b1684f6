#include "style_painting.hpp"

#include <optional>
#include <string>

#include "offscreen_canvas.hpp"
#include "scoped_handles.hpp"

namespace tolvane {
namespace {

constexpr COLORREF kCaptionColour = RGB(0, 0, 0);
constexpr int kDisabledDarkening = 32;
constexpr int kMaxCaptionLength = 255;
constexpr int kGroupCaptionIndent = 9;       // from the left edge
constexpr int kGroupCaptionRightIndent = 10;  // for right-aligned captions

COLORREF faceColour() { return GetSysColor(COLOR_BTNFACE); }

COLORREF darkened(COLORREF colour, int amount) {
  auto channel = [amount](int value) { return static_cast<BYTE>(value > amount ? value - amount : 0); };
  return RGB(channel(GetRValue(colour)), channel(GetGValue(colour)), channel(GetBValue(colour)));
}

RECT inset(RECT rect, int by) {
  InflateRect(&rect, -by, -by);
  return rect;
}

bool isEmpty(const RECT& rect) { return rect.right <= rect.left || rect.bottom <= rect.top; }

// A solid fill that needs no brush: an opaque ExtTextOut of no text.
void fillSolid(HDC dc, const RECT& rect, COLORREF colour) {
  if (isEmpty(rect)) return;
  SetBkColor(dc, colour);
  ExtTextOutW(dc, 0, 0, ETO_OPAQUE, &rect, nullptr, 0, nullptr);
}

// A 1-pixel frame on the edge of rect. With rounded corners the four corner
// pixels are left out, which rounds each corner by one pixel.
void drawFrame(HDC dc, const RECT& rect, COLORREF colour, bool rounded = false) {
  const int cut = rounded ? 1 : 0;
  fillSolid(dc, {rect.left + cut, rect.top, rect.right - cut, rect.top + 1}, colour);
  fillSolid(dc, {rect.left + cut, rect.bottom - 1, rect.right - cut, rect.bottom}, colour);
  fillSolid(dc, {rect.left, rect.top + 1, rect.left + 1, rect.bottom - 1}, colour);
  fillSolid(dc, {rect.right - 1, rect.top + 1, rect.right, rect.bottom - 1}, colour);
}

TRIVERTEX vertex(LONG x, LONG y, COLORREF colour) {
  return {x, y, static_cast<COLOR16>(GetRValue(colour) << 8),
          static_cast<COLOR16>(GetGValue(colour) << 8),
          static_cast<COLOR16>(GetBValue(colour) << 8), 0};
}

// Two triangles, so that each of the four corners can have its own colour.
void fillGradient(HDC dc, const RECT& rect, const Gradient& gradient) {
  if (isEmpty(rect)) return;
  TRIVERTEX corners[] = {
      vertex(rect.left, rect.top, gradient.topLeft),
      vertex(rect.right, rect.top, gradient.topRight),
      vertex(rect.left, rect.bottom, gradient.bottomLeft),
      vertex(rect.right, rect.bottom, gradient.bottomRight),
  };
  GRADIENT_TRIANGLE halves[] = {{0, 1, 2}, {1, 3, 2}};
  GradientFill(dc, corners, 4, halves, 2, GRADIENT_FILL_TRIANGLE);
}

std::wstring caption(HWND window) {
  wchar_t text[kMaxCaptionLength + 1] = {};
  const int length = GetWindowTextW(window, text, kMaxCaptionLength + 1);
  return std::wstring(text, length > 0 ? static_cast<size_t>(length) : 0);
}

// Selects the control's own font; a control without one keeps the DC's
// default, the system font, as the standard controls do.
// The caption as drawn: a "&" marks the next character and is not drawn
// itself; "&&" draws one "&".
std::wstring withoutMnemonicMarks(const std::wstring& text) {
  std::wstring drawn;
  drawn.reserve(text.size());
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] == L'&' && ++i == text.size()) break;
    drawn += text[i];
  }
  return drawn;
}

std::optional<ScopedSelection> selectControlFont(HDC dc, HWND window) {
  auto font = reinterpret_cast<HFONT>(SendMessageW(window, WM_GETFONT, 0, 0));
  if (!font) return std::nullopt;
  return std::optional<ScopedSelection>(std::in_place, dc, font);
}

ButtonLook lookOf(const ControlState& state) {
  if (state.pressed) return ButtonLook::Pressed;
  if (state.hot) return ButtonLook::Hot;
  if (state.focused || state.defaultButton) return ButtonLook::Focused;
  return ButtonLook::Normal;
}

UINT horizontalAlignment(LONG style) {
  switch (style & BS_CENTER) {
    case BS_LEFT:
      return DT_LEFT;
    case BS_RIGHT:
      return DT_RIGHT;
    default:
      return DT_CENTER;  // BS_CENTER, and push buttons without an alignment style
  }
}

// Places the caption's lines inside area by the button's vertical alignment
// (centred unless it asks for top or bottom).
RECT placeVertically(RECT area, int textHeight, LONG style) {
  switch (style & BS_VCENTER) {
    case BS_TOP:
      break;
    case BS_BOTTOM:
      area.top = area.bottom - textHeight;
      break;
    default:
      area.top += (area.bottom - area.top - textHeight) / 2;
  }
  return area;
}

// Broken into lines at CR LF and where a line would pass the face.
void drawButtonCaption(HDC dc, const StyledControl& button, RECT area) {
  const std::wstring text = withoutMnemonicMarks(caption(button.window));
  if (text.empty()) return;
  const auto font = selectControlFont(dc, button.window);
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, button.state.disabled ? kDisabledCaption : kCaptionColour);
  if (button.state.pressed) OffsetRect(&area, 1, 1);

  const LONG style = GetWindowLongW(button.window, GWL_STYLE);
  const UINT format = DT_WORDBREAK | DT_NOPREFIX | horizontalAlignment(style);
  RECT measured = area;
  DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &measured, format | DT_CALCRECT);
  RECT placed = placeVertically(area, measured.bottom - measured.top, style);
  DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &placed, format);
}

HBRUSH backgroundBrush(const StyledControl& control) {
  return control.background ? control.background : GetSysColorBrush(COLOR_BTNFACE);
}

bool hasBorder(HWND edit) {
  const LONG style = GetWindowLongW(edit, GWL_STYLE);
  const LONG exStyle = GetWindowLongW(edit, GWL_EXSTYLE);
  return (style & WS_BORDER) || (exStyle & (WS_EX_CLIENTEDGE | WS_EX_STATICEDGE));
}

// Where a group box's caption starts, by its alignment style.
int groupCaptionLeft(LONG style, int boxWidth, int captionWidth) {
  switch (style & BS_CENTER) {
    case BS_CENTER:
      return (boxWidth - captionWidth) / 2;
    case BS_RIGHT:
      return boxWidth - kGroupCaptionRightIndent - captionWidth;
    default:
      return kGroupCaptionIndent;
  }
}

}  // namespace

void paintPushButton(HDC target, const StyledControl& button, const ColourScheme& scheme) {
  RECT bounds{};
  GetClientRect(button.window, &bounds);
  OffscreenCanvas canvas(target, bounds.right, bounds.bottom);
  if (!canvas) return;
  const HDC dc = canvas.dc();
  const ControlState& state = button.state;

  FillRect(dc, &bounds, backgroundBrush(button));
  drawFrame(dc, bounds, faceColour());
  drawFrame(dc, inset(bounds, 1),
            state.disabled ? darkened(faceColour(), kDisabledDarkening) : scheme.buttonFrame,
            /*rounded=*/true);
  if (state.disabled) {
    fillSolid(dc, inset(bounds, 2), kDisabledButtonFill);
  } else {
    const ButtonGradients& gradients = scheme.gradientsFor(lookOf(state));
    fillGradient(dc, inset(bounds, 2), gradients.band);
    fillGradient(dc, inset(bounds, 4), gradients.face);
  }
  if (state.focused) {
    const RECT focus = inset(bounds, 3);
    DrawFocusRect(dc, &focus);
  }
  drawButtonCaption(dc, button, inset(bounds, 4));
  canvas.copyTo(target);
}

void paintGroupBox(HDC target, const StyledControl& groupBox) {
  RECT bounds{};
  GetClientRect(groupBox.window, &bounds);
  OffscreenCanvas canvas(target, bounds.right, bounds.bottom);
  if (!canvas) return;
  const HDC dc = canvas.dc();
  const HBRUSH background = backgroundBrush(groupBox);
  FillRect(dc, &bounds, background);

  const std::wstring text = withoutMnemonicMarks(caption(groupBox.window));
  const auto font = selectControlFont(dc, groupBox.window);
  constexpr UINT kFormat = DT_SINGLELINE | DT_NOPREFIX | DT_LEFT | DT_TOP;
  RECT captionRect{};
  DrawTextW(dc, text.empty() ? L" " : text.c_str(), -1, &captionRect, kFormat | DT_CALCRECT);
  const int captionHeight = captionRect.bottom;

  drawFrame(dc, {0, captionHeight / 2, bounds.right, bounds.bottom}, kGroupBoxFrame,
            /*rounded=*/true);
  if (!text.empty()) {
    const LONG style = GetWindowLongW(groupBox.window, GWL_STYLE);
    OffsetRect(&captionRect, groupCaptionLeft(style, bounds.right, captionRect.right), 0);
    FillRect(dc, &captionRect, background);  // breaks the frame line behind the caption
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, groupBox.textColour);
    DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &captionRect, kFormat);
  }
  canvas.copyTo(target);
}

void paintEditBorder(HDC target, const StyledControl& edit, const ColourScheme& scheme) {
  if (!hasBorder(edit.window)) return;
  RECT window{};
  GetWindowRect(edit.window, &window);
  const int width = window.right - window.left;
  const int height = window.bottom - window.top;
  OffscreenCanvas canvas(target, width, height);
  if (!canvas) return;

  const ControlState& state = edit.state;
  const COLORREF outer =
      state.disabled ? darkened(faceColour(), kDisabledDarkening) : scheme.editBorder;
  const COLORREF inner =
      state.disabled || state.readOnly ? faceColour() : GetSysColor(COLOR_WINDOW);
  const RECT bounds{0, 0, width, height};
  drawFrame(canvas.dc(), bounds, outer);
  drawFrame(canvas.dc(), inset(bounds, 1), inner);

  // Only the 2-pixel ring goes to the screen: inside it the edit box's own painting stays.
  const int saved = SaveDC(target);
  const RECT textArea = inset(bounds, 2);
  ExcludeClipRect(target, textArea.left, textArea.top, textArea.right, textArea.bottom);
  canvas.copyTo(target);
  RestoreDC(target, saved);
}

}  // namespace tolvane
