// The visual style on real windows: controls are created, driven with window
// messages and read back pixel by pixel from what was drawn on the screen.
#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <cstdlib>
#include <optional>
#include <string>
#include <vector>

#include "scoped_handles.hpp"
#include "visual_style.hpp"

namespace tolvane {
namespace {

constexpr COLORREF kBlueButtonFrame = RGB(0, 60, 115);
constexpr COLORREF kBlueEditBorder = RGB(123, 158, 189);
constexpr COLORREF kGroupBoxFrame = RGB(191, 184, 191);
constexpr COLORREF kParentBrushColour = RGB(200, 220, 240);
constexpr COLORREF kParentTextColour = RGB(0, 0, 255);

COLORREF face() { return GetSysColor(COLOR_BTNFACE); }

COLORREF darkenedBy32(COLORREF colour) {
  auto channel = [](int value) { return value > 32 ? value - 32 : 0; };
  return RGB(channel(GetRValue(colour)), channel(GetGValue(colour)), channel(GetBValue(colour)));
}

bool closeTo(COLORREF actual, COLORREF expected, int tolerance) {
  return std::abs(GetRValue(actual) - GetRValue(expected)) <= tolerance &&
         std::abs(GetGValue(actual) - GetGValue(expected)) <= tolerance &&
         std::abs(GetBValue(actual) - GetBValue(expected)) <= tolerance;
}

std::string describe(COLORREF colour) {
  return "RGB(" + std::to_string(GetRValue(colour)) + ", " + std::to_string(GetGValue(colour)) +
         ", " + std::to_string(GetBValue(colour)) + ")";
}

#define EXPECT_COLOUR_NEAR(actual, expected, tolerance)                        \
  EXPECT_TRUE(closeTo((actual), (expected), (tolerance)))                         \
      << "got " << describe(actual) << ", expected " << describe(expected)

// What a window shows on the screen, frame included, copied in one BitBlt
// from its window DC.
class Snapshot {
 public:
  explicit Snapshot(HWND window) {
    RECT rect{};
    GetWindowRect(window, &rect);
    width_ = rect.right - rect.left;
    height_ = rect.bottom - rect.top;
    const HDC screen = GetWindowDC(window);
    dc_.reset(CreateCompatibleDC(screen));
    bitmap_.reset(CreateCompatibleBitmap(screen, width_, height_));
    selection_.emplace(dc_.get(), bitmap_.get());
    BitBlt(dc_.get(), 0, 0, width_, height_, screen, 0, 0, SRCCOPY);
    ReleaseDC(window, screen);
  }
  COLORREF at(int x, int y) const { return GetPixel(dc_.get(), x, y); }
  int width() const { return width_; }
  int height() const { return height_; }

 private:
  ScopedMemoryDc dc_;
  ScopedBitmap bitmap_;
  std::optional<ScopedSelection> selection_;
  int width_ = 0;
  int height_ = 0;
};

// A parent that answers the request for button colours with its own brush and text colour.
const ScopedBrush parentBrush(CreateSolidBrush(kParentBrushColour));

LRESULT CALLBACK parentProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_CTLCOLORBTN) {
    SetTextColor(reinterpret_cast<HDC>(wParam), kParentTextColour);
    return reinterpret_cast<LRESULT>(parentBrush.get());
  }
  return DefWindowProcW(window, message, wParam, lParam);
}

const wchar_t* parentClass() {
  static const bool registered = [] {
    WNDCLASSW wc{};
    wc.lpfnWndProc = parentProcedure;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.hbrBackground = GetSysColorBrush(COLOR_BTNFACE);
    wc.lpszClassName = L"TolvaneStyleTestParent";
    return RegisterClassW(&wc) != 0;
  }();
  EXPECT_TRUE(registered);
  return L"TolvaneStyleTestParent";
}

void pumpMessages() {
  MSG message;
  while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
    TranslateMessage(&message);
    DispatchMessageW(&message);
  }
}

// GDI objects alive in this process. Wine has no GetGuiResources; its handle
// table answers GetObjectType for a bare table index, so the table is walked.
int liveGdiObjects() {
  SetLastError(0);
  const DWORD counted = GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS);
  if (counted != 0 || GetLastError() != ERROR_CALL_NOT_IMPLEMENTED) return static_cast<int>(counted);
  int live = 0;
  for (ULONG_PTR index = 0; index < 0x10000; ++index) {
    if (GetObjectType(reinterpret_cast<HGDIOBJ>(index)) != 0) ++live;
  }
  return live;
}

class VisualStyleTest : public ::testing::Test {
 protected:
  static constexpr int kButtonWidth = 80;
  static constexpr int kButtonHeight = 30;

  // One top-level window serves every test: under Wine on Xvfb, hiding or
  // destroying a shown top-level window waits about two seconds. It stays on
  // top, below the centre of the screen where the program's windows open, so
  // that windows of tests running beside this one do not cover what it draws.
  static void SetUpTestSuite() {
    parent_ = CreateWindowExW(WS_EX_TOPMOST, parentClass(), L"style test", WS_POPUP | WS_VISIBLE,
                              20, 500, 360, 240, nullptr, nullptr, GetModuleHandleW(nullptr),
                              nullptr);
  }
  static void TearDownTestSuite() { DestroyWindow(parent_); }

  void SetUp() override {
    ASSERT_TRUE(parent_);
    // Keep the real pointer away from the test window so that only the test moves "the mouse".
    SetCursorPos(1010, 20);
    button_ = child(0, L"Button", L"OK", BS_PUSHBUTTON, 10, 10, kButtonWidth, kButtonHeight);
    other_ = child(0, L"Button", L"Other", BS_PUSHBUTTON, 100, 10, kButtonWidth, kButtonHeight);
    edit_ = child(WS_EX_CLIENTEDGE, L"Edit", L"12.5", ES_AUTOHSCROLL, 10, 60, 120, 24);
    group_ = child(0, L"Button", L"Group", BS_GROUPBOX, 10, 100, 200, 80);
    pumpMessages();
  }

  void TearDown() override {
    setVisualStyle(0);
    while (HWND control = GetWindow(parent_, GW_CHILD)) DestroyWindow(control);
    pumpMessages();
  }

  HWND child(DWORD exStyle, const wchar_t* className, const wchar_t* text, DWORD style, int x,
             int y, int width, int height) {
    return CreateWindowExW(exStyle, className, text, WS_CHILD | WS_VISIBLE | WS_TABSTOP | style, x,
                           y, width, height, parent_, nullptr, GetModuleHandleW(nullptr),
                           nullptr);
  }

  void styleOn(int scheme = 1) {
    ASSERT_TRUE(setVisualStyle(scheme));
    RedrawWindow(parent_, nullptr, nullptr,
                 RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
  }

  static inline HWND parent_ = nullptr;
  HWND button_ = nullptr;
  HWND other_ = nullptr;
  HWND edit_ = nullptr;
  HWND group_ = nullptr;
};

// ---- Push buttons -------------------------------------------------------

struct ButtonColours {
  COLORREF bandTop, bandBottom, faceTop, faceBottom;
};
constexpr ButtonColours kNormal{RGB(255, 255, 255), RGB(226, 223, 214), RGB(252, 252, 251),
                                RGB(236, 235, 230)};
constexpr ButtonColours kHot{RGB(255, 240, 207), RGB(229, 151, 0), RGB(252, 252, 251),
                             RGB(236, 235, 230)};
constexpr ButtonColours kFocused{RGB(206, 231, 255), RGB(105, 130, 238), RGB(252, 252, 251),
                                 RGB(236, 235, 230)};
constexpr ButtonColours kPressed{RGB(209, 204, 193), RGB(242, 241, 238), RGB(231, 227, 222),
                                 RGB(231, 227, 222)};

// Samples the band's top and bottom rows and the face's, in the middle column
// (left of the caption), and the frame on the left edge.
void expectButtonLook(HWND button, const ButtonColours& colours) {
  const Snapshot shot(button);
  const int x = 6;
  const int bottom = shot.height() - 1;
  // A gradient's last row stops one step short of its bottom colour.
  const int tolerance = 8;
  EXPECT_COLOUR_NEAR(shot.at(x, 2), colours.bandTop, 3);
  EXPECT_COLOUR_NEAR(shot.at(x, bottom - 2), colours.bandBottom, tolerance);
  EXPECT_COLOUR_NEAR(shot.at(x, 4), colours.faceTop, 3);
  EXPECT_COLOUR_NEAR(shot.at(x, bottom - 4), colours.faceBottom, tolerance);
  EXPECT_EQ(shot.at(0, 15), face());
  EXPECT_EQ(shot.at(1, 15), kBlueButtonFrame);
}

TEST_F(VisualStyleTest, PushButtonLooksFollowItsState) {
  styleOn();
  expectButtonLook(button_, kNormal);

  SendMessageW(button_, WM_MOUSEMOVE, 0, MAKELPARAM(5, 5));
  expectButtonLook(button_, kHot);
  SendMessageW(button_, WM_MOUSELEAVE, 0, 0);
  expectButtonLook(button_, kNormal);

  SendMessageW(button_, BM_SETSTATE, TRUE, 0);
  expectButtonLook(button_, kPressed);
  SendMessageW(button_, BM_SETSTATE, FALSE, 0);
  expectButtonLook(button_, kNormal);

  SendMessageW(button_, BM_SETSTYLE, BS_DEFPUSHBUTTON, TRUE);
  expectButtonLook(button_, kFocused);
  SendMessageW(button_, BM_SETSTYLE, BS_PUSHBUTTON, TRUE);
  expectButtonLook(button_, kNormal);
}

TEST_F(VisualStyleTest, HoverWhileFocusedReturnsToTheFocusBand) {
  styleOn();
  SetFocus(button_);
  expectButtonLook(button_, kFocused);
  SendMessageW(button_, WM_MOUSEMOVE, 0, MAKELPARAM(5, 5));
  expectButtonLook(button_, kHot);
  SendMessageW(button_, WM_MOUSELEAVE, 0, 0);
  expectButtonLook(button_, kFocused);
  SetFocus(other_);
  expectButtonLook(button_, kNormal);
}

TEST_F(VisualStyleTest, MouseDraggingWithTheLeftButtonDoesNotLightAButton) {
  styleOn();
  SendMessageW(button_, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(5, 5));
  expectButtonLook(button_, kNormal);
}

TEST_F(VisualStyleTest, PressedFaceHasItsCoolerTopRightCorner) {
  styleOn();
  SendMessageW(button_, BM_SETSTATE, TRUE, 0);
  const Snapshot shot(button_);
  EXPECT_COLOUR_NEAR(shot.at(shot.width() - 5, 4), RGB(231, 231, 231), 2);
  EXPECT_COLOUR_NEAR(shot.at(4, 4), RGB(231, 227, 222), 2);
}

// Rows 3 and height − 4 carry the dotted focus rectangle, which inverts the band.
int darkPixelsOnRow(const Snapshot& shot, int y) {
  int dark = 0;
  for (int x = 4; x < shot.width() - 4; ++x) {
    const COLORREF pixel = shot.at(x, y);
    if (GetRValue(pixel) + GetGValue(pixel) + GetBValue(pixel) < 3 * 128) ++dark;
  }
  return dark;
}

TEST_F(VisualStyleTest, FocusedButtonShowsTheFocusRectangle) {
  SetWindowTextW(button_, L"");  // no caption pixels in the rows looked at
  styleOn();
  EXPECT_EQ(darkPixelsOnRow(Snapshot(button_), 3), 0);
  SetFocus(button_);
  const Snapshot focused(button_);
  EXPECT_GT(darkPixelsOnRow(focused, 3), 10);
  EXPECT_GT(darkPixelsOnRow(focused, focused.height() - 4), 10);
}

TEST_F(VisualStyleTest, DisabledButtonIsFlatWithADarkenedFrame) {
  styleOn();
  EnableWindow(button_, FALSE);
  const Snapshot shot(button_);
  EXPECT_EQ(shot.at(1, 15), darkenedBy32(face()));
  EXPECT_EQ(shot.at(6, 2), RGB(245, 244, 234));       // where the band would be
  EXPECT_EQ(shot.at(6, 4), RGB(245, 244, 234));       // the face
  EXPECT_EQ(shot.at(6, shot.height() - 3), RGB(245, 244, 234));
}

// The frame is rounded by leaving its corner pixels to the parent's brush.
TEST_F(VisualStyleTest, ButtonCornersShowTheParentsBrush) {
  styleOn();
  const Snapshot shot(button_);
  EXPECT_EQ(shot.at(1, 1), kParentBrushColour);
  EXPECT_EQ(shot.at(shot.width() - 2, shot.height() - 2), kParentBrushColour);
  EXPECT_EQ(shot.at(2, 1), kBlueButtonFrame);
}

// The size of text in the control's font.
SIZE captionExtent(HWND control, const wchar_t* text) {
  const HDC dc = GetDC(control);
  const auto font = reinterpret_cast<HFONT>(SendMessageW(control, WM_GETFONT, 0, 0));
  const HGDIOBJ previous = font ? SelectObject(dc, font) : nullptr;
  SIZE extent{};
  GetTextExtentPoint32W(dc, text, lstrlenW(text), &extent);
  if (previous) SelectObject(dc, previous);
  ReleaseDC(control, dc);
  return extent;
}

struct InkBox {
  int left = 1 << 30, top = 1 << 30, right = -1, bottom = -1;
};

// The bounding box of the caption's black pixels.
InkBox captionInk(HWND button) {
  const Snapshot shot(button);
  InkBox box;
  for (int y = 4; y < shot.height() - 4; ++y) {
    for (int x = 4; x < shot.width() - 4; ++x) {
      const COLORREF pixel = shot.at(x, y);
      if (GetRValue(pixel) + GetGValue(pixel) + GetBValue(pixel) < 3 * 100) {
        box = {std::min(box.left, x), std::min(box.top, y), std::max(box.right, x),
               std::max(box.bottom, y)};
      }
    }
  }
  return box;
}

TEST_F(VisualStyleTest, PressedCaptionMovesOnePixelRightAndDown) {
  styleOn();
  const InkBox normal = captionInk(button_);
  ASSERT_GE(normal.right, normal.left) << "the caption drew no pixels";
  // Centred both ways within the face.
  EXPECT_LE(std::abs((normal.left - 4) - (kButtonWidth - 5 - normal.right)), 2);
  EXPECT_LE(std::abs((normal.top - 4) - (kButtonHeight - 5 - normal.bottom)), 3);
  SendMessageW(button_, BM_SETSTATE, TRUE, 0);
  const InkBox pressed = captionInk(button_);
  EXPECT_EQ(pressed.left, normal.left + 1);
  EXPECT_EQ(pressed.top, normal.top + 1);
}

int inkWidth(const InkBox& box) { return box.right - box.left + 1; }

TEST_F(VisualStyleTest, AmpersandIsNotDrawnAndDoubledDrawsOne) {
  styleOn();
  SetWindowTextW(button_, L"AB");
  const InkBox plain = captionInk(button_);
  SetWindowTextW(button_, L"A&B");
  const InkBox marked = captionInk(button_);
  SetWindowTextW(button_, L"A&&B");
  const InkBox doubled = captionInk(button_);
  SetWindowTextW(button_, L"AB&");
  const InkBox trailing = captionInk(button_);

  EXPECT_EQ(inkWidth(marked), inkWidth(plain));
  EXPECT_EQ(marked.bottom, plain.bottom) << "nothing is underlined";
  EXPECT_EQ(inkWidth(trailing), inkWidth(plain));
  EXPECT_GT(inkWidth(doubled), inkWidth(plain) + 3) << "\"&&\" draws an ampersand";
}

TEST_F(VisualStyleTest, CaptionChangeRepaintsTheButton) {
  styleOn();
  const InkBox shortCaption = captionInk(button_);
  SetWindowTextW(button_, L"OK OK OK");
  const InkBox longCaption = captionInk(button_);
  EXPECT_LT(longCaption.left, shortCaption.left);
  expectButtonLook(button_, kNormal);
}

TEST_F(VisualStyleTest, LongCaptionBreaksIntoLines) {
  SetWindowPos(button_, nullptr, 0, 0, kButtonWidth, 70, SWP_NOMOVE | SWP_NOZORDER);
  styleOn();
  SetWindowTextW(button_, L"OK");
  const InkBox oneLine = captionInk(button_);
  SetWindowTextW(button_, L"OK\r\nOK");
  const InkBox twoLines = captionInk(button_);
  EXPECT_GT(twoLines.bottom - twoLines.top, 2 * (oneLine.bottom - oneLine.top));

  const wchar_t* tooWide = L"Wide Words Here";
  ASSERT_GT(captionExtent(button_, tooWide).cx, kButtonWidth - 8) << "wider than the face";
  SetWindowTextW(button_, tooWide);
  const InkBox wrapped = captionInk(button_);
  EXPECT_GE(wrapped.bottom - wrapped.top, twoLines.bottom - twoLines.top - 1);
  EXPECT_GE(wrapped.left, 4);
  EXPECT_LT(wrapped.right, kButtonWidth - 4);
}

// ---- Edit boxes ---------------------------------------------------------

struct EditCase {
  const char* name;
  bool disabled;
  bool readOnly;
};

TEST_F(VisualStyleTest, EditBorderColoursFollowItsState) {
  styleOn();
  const EditCase cases[] = {
      {"writable", false, false}, {"read-only", false, true}, {"disabled", true, false}};
  for (const EditCase& c : cases) {
    SCOPED_TRACE(c.name);
    EnableWindow(edit_, c.disabled ? FALSE : TRUE);
    SendMessageW(edit_, EM_SETREADONLY, c.readOnly, 0);
    // The edit box's own repaints, frame included, must leave the style's border in place.
    RedrawWindow(edit_, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_UPDATENOW);
    const Snapshot shot(edit_);
    const COLORREF outer = c.disabled ? darkenedBy32(face()) : kBlueEditBorder;
    const COLORREF inner =
        c.disabled || c.readOnly ? face() : GetSysColor(COLOR_WINDOW);
    const int midY = shot.height() / 2;
    const int right = shot.width() - 1;
    const int bottom = shot.height() - 1;
    EXPECT_EQ(shot.at(0, midY), outer);
    EXPECT_EQ(shot.at(right, midY), outer);
    EXPECT_EQ(shot.at(60, 0), outer);
    EXPECT_EQ(shot.at(60, bottom), outer);
    EXPECT_EQ(shot.at(1, midY), inner);
    EXPECT_EQ(shot.at(right - 1, midY), inner);
    EXPECT_EQ(shot.at(60, 1), inner);
    EXPECT_EQ(shot.at(60, bottom - 1), inner);
  }
}

TEST_F(VisualStyleTest, EditKeepsItsTextAreaAndBorderSurvivesTyping) {
  styleOn();
  SetFocus(edit_);
  SendMessageW(edit_, WM_CHAR, L'7', 0);
  const Snapshot shot(edit_);
  EXPECT_EQ(shot.at(0, 5), kBlueEditBorder);
  EXPECT_EQ(shot.at(1, 5), GetSysColor(COLOR_WINDOW));
  // Right of the text the edit box's own background shows.
  EXPECT_EQ(shot.at(shot.width() - 6, shot.height() / 2), GetSysColor(COLOR_WINDOW));
}

TEST_F(VisualStyleTest, OtherSchemesChangeEditBorderAndButtonFrame) {
  struct Scheme {
    int number;
    COLORREF editBorder;
    COLORREF buttonFrame;
  };
  const Scheme schemes[] = {{2, RGB(164, 185, 127), RGB(55, 98, 6)},
                            {3, RGB(198, 197, 215), RGB(0, 60, 116)},
                            {1, kBlueEditBorder, kBlueButtonFrame}};
  for (const Scheme& scheme : schemes) {
    SCOPED_TRACE(scheme.number);
    styleOn(scheme.number);
    EXPECT_EQ(Snapshot(edit_).at(0, 10), scheme.editBorder);
    EXPECT_EQ(Snapshot(button_).at(1, 15), scheme.buttonFrame);
    EXPECT_EQ(Snapshot(group_).at(0, 40), kGroupBoxFrame);
  }
}

// ---- Group boxes ----------------------------------------------------------

TEST_F(VisualStyleTest, GroupBoxFrameIsBrokenBehindItsCaption) {
  styleOn();
  const Snapshot shot(group_);
  const SIZE caption = captionExtent(group_, L"Group");
  const int lineY = caption.cy / 2;
  const int right = shot.width() - 1;
  const int bottom = shot.height() - 1;

  EXPECT_EQ(shot.at(0, 40), kGroupBoxFrame);
  EXPECT_EQ(shot.at(right, 40), kGroupBoxFrame);
  EXPECT_EQ(shot.at(100, bottom), kGroupBoxFrame);
  EXPECT_EQ(shot.at(5, lineY), kGroupBoxFrame);               // left of the caption
  EXPECT_EQ(shot.at(9 + caption.cx + 5, lineY), kGroupBoxFrame);  // right of it
  EXPECT_EQ(shot.at(0, lineY), kParentBrushColour);            // rounded corner
  EXPECT_EQ(shot.at(0, lineY - 1), kParentBrushColour);        // above the frame
  EXPECT_EQ(shot.at(100, 40), kParentBrushColour);             // filled with the parent's brush

  int frameBehindCaption = 0;
  int captionInk = 0;
  for (int x = 9; x < 9 + caption.cx; ++x) {
    if (shot.at(x, lineY) == kGroupBoxFrame) ++frameBehindCaption;
    for (int y = 0; y < caption.cy; ++y) captionInk += shot.at(x, y) == kParentTextColour;
  }
  EXPECT_EQ(frameBehindCaption, 0);
  EXPECT_GT(captionInk, 0) << "the caption is drawn in the text colour the parent gave";
  EXPECT_EQ(shot.at(8, lineY - 2), kParentBrushColour);  // it starts 9 pixels in
}

// ---- Taking over and giving back -------------------------------------------

WNDPROC procedureOf(HWND window) {
  return reinterpret_cast<WNDPROC>(GetWindowLongPtrW(window, GWLP_WNDPROC));
}

WNDPROC classProcedureOf(HWND window) {
  return reinterpret_cast<WNDPROC>(GetClassLongPtrW(window, GCLP_WNDPROC));
}

TEST_F(VisualStyleTest, ControlsCreatedAfterSwitchingOnAreTakenOver) {
  styleOn();
  struct Created {
    const wchar_t* className;
    DWORD style;
    bool takenOver;
  };
  const Created cases[] = {
      {L"BUTTON", BS_PUSHBUTTON, true},     {L"button", BS_DEFPUSHBUTTON, true},
      {L"Button", BS_GROUPBOX, true},       {L"EDIT", 0, true},
      {L"Button", BS_AUTOCHECKBOX, false},  {L"Button", BS_AUTORADIOBUTTON, false},
      {L"Static", SS_LEFT, false},
  };
  for (const Created& c : cases) {
    SCOPED_TRACE(testing::Message() << c.className << " style " << c.style);
    const HWND created = child(WS_EX_CLIENTEDGE, c.className, L"new", c.style, 220, 10, 80, 30);
    ASSERT_TRUE(created);
    EXPECT_EQ(procedureOf(created) != classProcedureOf(created), c.takenOver);
    DestroyWindow(created);
  }

  const HWND late = child(0, L"Button", L"Late", BS_PUSHBUTTON, 220, 10, 80, 30);
  UpdateWindow(late);
  EXPECT_EQ(Snapshot(late).at(1, 15), kBlueButtonFrame);
}

TEST_F(VisualStyleTest, NestedHiddenAndEmptyControlsAreTakenOverWhenSwitchingOn) {
  const HWND inner = child(0, L"Button", L"Inner", BS_GROUPBOX, 220, 100, 120, 100);
  const HWND nested = CreateWindowExW(0, L"Button", L"In", WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON,
                                      10, 30, 60, 30, inner, nullptr, nullptr, nullptr);
  const HWND hidden = CreateWindowExW(WS_EX_CLIENTEDGE, L"Edit", L"", WS_CHILD, 10, 70, 60, 20,
                                      inner, nullptr, nullptr, nullptr);
  const HWND zeroWidth = child(WS_EX_CLIENTEDGE, L"Edit", L"", 0, 220, 210, 0, 20);
  styleOn();
  for (HWND control : {inner, nested, hidden, zeroWidth}) {
    EXPECT_NE(procedureOf(control), classProcedureOf(control));
  }
  EXPECT_EQ(Snapshot(nested).at(1, 15), kBlueButtonFrame);
  ShowWindow(hidden, SW_SHOW);
  UpdateWindow(hidden);
  EXPECT_EQ(Snapshot(hidden).at(0, 10), kBlueEditBorder);
}

TEST_F(VisualStyleTest, TopLevelWindowsAreLeftAlone) {
  ScopedWindow topLevelButton(CreateWindowExW(0, L"Button", L"top", WS_POPUP | BS_PUSHBUTTON, 0, 0,
                                              50, 20, nullptr, nullptr, nullptr, nullptr));
  styleOn();
  EXPECT_EQ(procedureOf(topLevelButton.get()), classProcedureOf(topLevelButton.get()));
  EXPECT_EQ(procedureOf(parent_), parentProcedure);
}

// A procedure of the test's own, put in place before the style.
int ncDestroysSeen = 0;
WNDPROC editClassProcedure = nullptr;
LRESULT CALLBACK testSubclass(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_NCDESTROY) ++ncDestroysSeen;
  return CallWindowProcW(editClassProcedure, window, message, wParam, lParam);
}

TEST_F(VisualStyleTest, SwitchingOffGivesThePreviousProcedureBack) {
  editClassProcedure = procedureOf(edit_);
  SetWindowLongPtrW(edit_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(testSubclass));
  const WNDPROC buttonProcedure = procedureOf(button_);

  styleOn();
  EXPECT_NE(procedureOf(edit_), testSubclass);
  EXPECT_NE(procedureOf(button_), buttonProcedure);
  EXPECT_TRUE(setVisualStyle(2)) << "switching to another scheme";
  EXPECT_TRUE(setVisualStyle(0)) << "a style was on";
  EXPECT_EQ(procedureOf(edit_), testSubclass);
  EXPECT_EQ(procedureOf(button_), buttonProcedure);
  EXPECT_FALSE(setVisualStyle(0)) << "nothing left to switch off";
  EXPECT_FALSE(setVisualStyle(4));

  // Back to the standard look, and no longer taken over at creation.
  UpdateWindow(parent_);
  EXPECT_NE(Snapshot(edit_).at(0, 10), kBlueEditBorder);
  EXPECT_NE(Snapshot(button_).at(1, 15), kBlueButtonFrame);
  const HWND late = child(0, L"Button", L"Late", BS_PUSHBUTTON, 220, 10, 80, 30);
  EXPECT_EQ(procedureOf(late), classProcedureOf(late));
}

TEST_F(VisualStyleTest, DestroyedControlGetsItsProcedureBackForItsLastMessage) {
  editClassProcedure = procedureOf(edit_);
  SetWindowLongPtrW(edit_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(testSubclass));
  styleOn();
  ncDestroysSeen = 0;
  DestroyWindow(edit_);
  EXPECT_EQ(ncDestroysSeen, 1);
}

// A procedure put in place after the style's: switching off must not cut it out.
WNDPROC styledButtonProcedure = nullptr;
LRESULT CALLBACK laterSubclass(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  return CallWindowProcW(styledButtonProcedure, window, message, wParam, lParam);
}

TEST_F(VisualStyleTest, SwitchingOffKeepsALaterReplacementInPlace) {
  styleOn();
  styledButtonProcedure = procedureOf(button_);
  SetWindowLongPtrW(button_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(laterSubclass));
  ASSERT_TRUE(setVisualStyle(0));
  EXPECT_EQ(procedureOf(button_), laterSubclass);
  RedrawWindow(button_, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
  EXPECT_NE(Snapshot(button_).at(1, 15), kBlueButtonFrame);
  styleOn();  // and the style comes back through the same chain
  EXPECT_EQ(Snapshot(button_).at(1, 15), kBlueButtonFrame);
  DestroyWindow(button_);
}

// ---- Resources ------------------------------------------------------------

TEST_F(VisualStyleTest, GdiObjectCountStaysFlatOverRepaintsAndHovering) {
  const int baseline = liveGdiObjects();
  {
    // The count is real: one more brush shows.
    ScopedBrush probe(CreateSolidBrush(RGB(1, 2, 3)));
    ASSERT_EQ(liveGdiObjects(), baseline + 1);
  }
  styleOn();
  const int styled = liveGdiObjects();
  for (int round = 0; round < 300; ++round) {
    SendMessageW(button_, WM_MOUSEMOVE, 0, MAKELPARAM(5, 5));
    SendMessageW(button_, BM_SETSTATE, TRUE, 0);
    SendMessageW(button_, BM_SETSTATE, FALSE, 0);
    SendMessageW(button_, WM_MOUSELEAVE, 0, 0);
    SetFocus(round % 2 ? button_ : edit_);
    RedrawWindow(parent_, nullptr, nullptr,
                 RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
  }
  EXPECT_EQ(liveGdiObjects(), styled);
  setVisualStyle(0);
  EXPECT_EQ(liveGdiObjects(), baseline);
}

}  // namespace
}  // namespace tolvane
