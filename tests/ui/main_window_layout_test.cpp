// The main window's layout, read back from the real windows.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>

#include "main_window_fixture.hpp"

namespace tolvane::testing {
namespace {

struct ExpectedControl {
  const char* name;
  char kind;           // E edit box, L label, G group box, B push button
  const char* parent;  // W the window, G1 分组框1, G2 分组框2
  int left, top, width, height;
  bool shown, tabStop;
  const wchar_t* text;
  int fontHeight;  // character height of the 宋体 font; 0 for the default GUI font
  int fontWeight;
};

// clang-format off
const ExpectedControl kExpected[] = {
    {"按钮1", 'B', "G2", 200, 44, 56, 22, true, true, L"汇率查看", 12, 400},
    {"编辑框16", 'E', "W", 192, 168, 80, 20, true, true, L"", 0, 0},
    {"标签17", 'L', "G1", 201, 13, 22, 24, true, false, L"元", 19, 700},
    {"标签16", 'L', "G1", 95, 11, 22, 24, true, false, L"元", 19, 700},
    {"标签15", 'L', "G1", 308, 14, 25, 24, true, false, L"元", 19, 700},
    {"编辑框15", 'E', "G2", 14, 80, 80, 20, false, true, L"", 0, 0},
    {"编辑框14", 'E', "G2", 70, 104, 0, 20, true, true, L"", 0, 0},
    {"编辑框13", 'E', "G2", 46, 80, 24, 36, false, true, L"", 0, 0},
    {"按钮2", 'B', "G2", 273, 45, 56, 22, true, true, L"计算", 12, 400},
    {"编辑框12", 'E', "G2", 133, 45, 56, 20, true, true, L"", 14, 700},
    {"标签13", 'L', "G2", 68, 43, 58, 24, true, false, L"美金汇率", 14, 700},
    {"标签12", 'L', "G2", 9, 43, 54, 24, true, false, L"国际金银", 12, 700},
    {"编辑框11", 'E', "G2", 262, 16, 46, 20, true, true, L"0.990", 14, 700},
    {"标签11", 'L', "G2", 128, 12, 24, 24, true, false, L"汇率", 12, 700},
    {"标签10", 'L', "G2", 223, 12, 24, 24, true, false, L"成色", 12, 700},
    {"标签9", 'L', "G2", 45, 12, 24, 24, true, false, L"加点", 12, 700},
    {"编辑框10", 'E', "G2", 164, 14, 41, 20, true, true, L"0.81", 14, 700},
    {"编辑框9", 'E', "G2", 74, 14, 39, 8, true, true, L"", 14, 700},
    {"标签8", 'L', "G2", 10, 12, 24, 24, true, false, L"港金", 12, 700},
    {"分组框2", 'G', "W", 2, 72, 336, 72, true, false, L"设置", 12, 700},
    {"标签7", 'L', "G1", 223, 11, 16, 24, true, false, L"白\r\n银", 12, 700},
    {"标签6", 'L', "G1", 117, 12, 16, 24, true, false, L"黄\r\n金", 12, 700},
    {"标签5", 'L', "G1", 8, 11, 16, 24, true, false, L"港\r\n金", 12, 700},
    {"编辑框8", 'E', "G1", 238, 12, 71, 24, true, true, L"", 24, 700},
    {"编辑框7", 'E', "G1", 132, 12, 71, 24, true, true, L"", 24, 700},
    {"编辑框5", 'E', "G1", 25, 11, 71, 24, true, true, L"", 24, 700},
    {"分组框1", 'G', "W", 2, 30, 335, 42, true, false, L"人民币", 12, 700},
    {"编辑框3", 'E', "W", 270, 1, 69, 29, true, true, L"", 24, 700},
    {"标签4", 'L', "W", 257, 3, 16, 24, true, false, L"汇\r\n率", 12, 700},
    {"标签3", 'L', "W", 172, 4, 16, 24, true, false, L"白\r\n银", 12, 700},
    {"标签2", 'L', "W", 87, 5, 16, 24, true, false, L"黄\r\n金", 12, 700},
    {"标签1", 'L', "W", 4, 5, 16, 24, true, false, L"港\r\n金", 12, 700},
    {"编辑框6", 'E', "W", 186, 1, 69, 29, true, true, L"", 24, 700},
    {"编辑框4", 'E', "W", 101, 1, 69, 29, true, true, L"", 24, 700},
    {"编辑框2", 'E', "W", 19, 1, 69, 29, true, true, L"", 24, 700},
    {"编辑框1", 'E', "W", 88, 192, 24, 16, false, true, L"", 0, 0},
};
// clang-format on

constexpr LONG kDisplayOnly = ES_RIGHT | ES_MULTILINE | ES_NOHIDESEL | ES_WANTRETURN |
                              ES_AUTOVSCROLL | ES_AUTOHSCROLL;

LOGFONTW fontOf(HWND window) {
  LOGFONTW font{};
  const auto handle = reinterpret_cast<HFONT>(SendMessageW(window, WM_GETFONT, 0, 0));
  GetObjectW(handle, sizeof font, &font);
  return font;
}

// Height of "吴" in the control's font, plus the sunken edge above and below.
int oneLineHeight(HWND editBox) {
  const HDC dc = GetDC(editBox);
  const HGDIOBJ previous =
      SelectObject(dc, reinterpret_cast<HFONT>(SendMessageW(editBox, WM_GETFONT, 0, 0)));
  SIZE extent{};
  GetTextExtentPoint32W(dc, L"吴", 1, &extent);
  SelectObject(dc, previous);
  ReleaseDC(editBox, dc);
  return extent.cy + 2 * GetSystemMetrics(SM_CYEDGE);
}

bool isSingleLineEdit(const ExpectedControl& c) {
  return c.kind == 'E' && std::string(c.name) != "编辑框1";
}

class MainWindowLayout : public MainWindowTest {
 protected:
  HWND parentOf(const ExpectedControl& c) {
    const std::string parent = c.parent;
    return parent == "W" ? mainWindow() : control(parent == "G1" ? "分组框1" : "分组框2");
  }
};

TEST_F(MainWindowLayout, EveryControlSitsInItsParentAtItsPlaceWithItsTextAndVisibility) {
  for (const auto& expected : kExpected) {
    SCOPED_TRACE(expected.name);
    const HWND window = control(expected.name);
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(GetParent(window), parentOf(expected));

    RECT place;
    GetWindowRect(window, &place);
    MapWindowPoints(nullptr, GetParent(window), reinterpret_cast<POINT*>(&place), 2);
    EXPECT_EQ(place.left, expected.left);
    EXPECT_EQ(place.top, expected.top);
    EXPECT_EQ(place.right - place.left, expected.width);
    const int height = isSingleLineEdit(expected)
                           ? std::max(expected.height, oneLineHeight(window))
                           : expected.height;
    EXPECT_EQ(place.bottom - place.top, height);

    EXPECT_EQ(IsWindowVisible(window) != FALSE, expected.shown);
    EXPECT_EQ((GetWindowLongW(window, GWL_STYLE) & WS_TABSTOP) != 0, expected.tabStop);
    EXPECT_FALSE(GetWindowLongW(window, GWL_STYLE) & WS_DISABLED);
    EXPECT_EQ(windowText(window), expected.text);
  }
}

TEST_F(MainWindowLayout, EveryControlReportsItsSongFontOrTheDefaultGuiFont) {
  for (const auto& expected : kExpected) {
    SCOPED_TRACE(expected.name);
    const HWND window = control(expected.name);
    if (expected.fontHeight == 0) {
      EXPECT_EQ(SendMessageW(window, WM_GETFONT, 0, 0),
                reinterpret_cast<LRESULT>(GetStockObject(DEFAULT_GUI_FONT)));
      continue;
    }
    const LOGFONTW font = fontOf(window);
    EXPECT_EQ(std::wstring(font.lfFaceName), L"宋体");
    EXPECT_EQ(font.lfHeight, -expected.fontHeight);
    EXPECT_EQ(font.lfWeight, expected.fontWeight);
    EXPECT_FALSE(font.lfItalic || font.lfUnderline || font.lfStrikeOut);
    EXPECT_EQ(font.lfCharSet, DEFAULT_CHARSET);
    EXPECT_EQ(font.lfQuality, PROOF_QUALITY);
  }
}

TEST_F(MainWindowLayout, TheSecondPremiumFieldGrowsToOneLineOfItsFont) {
  RECT place;
  GetWindowRect(control("编辑框9"), &place);
  const int height = place.bottom - place.top;
  EXPECT_EQ(height, oneLineHeight(control("编辑框9")));
  // One F14 line and its edge: 18 on Windows, a pixel more with Wine's Song face.
  EXPECT_GE(height, 17);
  EXPECT_LE(height, 20);
}

TEST_F(MainWindowLayout, EditBoxesHaveTheirEdgeAlignmentAndLimit) {
  const std::map<std::string, LONG> kOwnStyles = {
      {"编辑框2", ES_RIGHT | ES_AUTOHSCROLL},
      {"编辑框6", ES_RIGHT | ES_AUTOHSCROLL | ES_NOHIDESEL},
      {"编辑框9", ES_RIGHT | ES_AUTOHSCROLL},
      {"编辑框12", ES_RIGHT | ES_AUTOHSCROLL},
      {"编辑框1", ES_MULTILINE | ES_WANTRETURN | ES_AUTOVSCROLL | ES_AUTOHSCROLL},  // no wrapping
      {"编辑框4", ES_AUTOHSCROLL},
      {"编辑框16", ES_AUTOHSCROLL},
  };
  for (const auto& [name, styles] : kOwnStyles) {
    SCOPED_TRACE(name);
    const HWND editBox = control(name);
    const LONG style = GetWindowLongW(editBox, GWL_STYLE);
    EXPECT_EQ(style & kDisplayOnly, styles);
    EXPECT_FALSE(style & (WS_VSCROLL | WS_HSCROLL | ES_READONLY | ES_PASSWORD | ES_UPPERCASE |
                          ES_LOWERCASE | ES_NUMBER));
    EXPECT_TRUE(GetWindowLongW(editBox, GWL_EXSTYLE) & WS_EX_CLIENTEDGE);
    // Far beyond anything typed: the limit was lifted to the control's maximum.
    EXPECT_GE(static_cast<unsigned long>(SendMessageW(editBox, EM_GETLIMITTEXT, 0, 0)), 0x7FFFFFFEul);
    DWORD start = 1, end = 1;
    SendMessageW(editBox, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
    EXPECT_EQ(start, 0u);
    EXPECT_EQ(end, 0u);
  }
}

TEST_F(MainWindowLayout, ButtonsAreCentredMultiLinePushButtonsNeitherTheDefault) {
  for (const char* name : {"按钮1", "按钮2"}) {
    const LONG style = GetWindowLongW(control(name), GWL_STYLE);
    EXPECT_EQ(style & BS_TYPEMASK, BS_PUSHBUTTON) << name;
    EXPECT_EQ(style & (BS_MULTILINE | BS_CENTER | BS_VCENTER), BS_MULTILINE | BS_CENTER | BS_VCENTER);
  }
  for (const char* name : {"分组框1", "分组框2"})
    EXPECT_EQ(GetWindowLongW(control(name), GWL_STYLE) & BS_TYPEMASK, BS_GROUPBOX) << name;
}

TEST_F(MainWindowLayout, TheWindowIsCentredWithItsTitleOuterSizeAndFixedFrame) {
  RECT outer;
  GetWindowRect(mainWindow(), &outer);
  EXPECT_EQ(outer.right - outer.left, 348);
  EXPECT_EQ(outer.bottom - outer.top, 174);
  EXPECT_EQ(outer.left, (GetSystemMetrics(SM_CXSCREEN) - 348) / 2);
  EXPECT_EQ(outer.top, (GetSystemMetrics(SM_CYSCREEN) - 174) / 2);
  EXPECT_EQ(windowText(mainWindow()), L"Tolvane  by:vokm");

  const LONG style = GetWindowLongW(mainWindow(), GWL_STYLE);
  const LONG expected = WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_MAXIMIZEBOX | WS_VISIBLE;
  EXPECT_EQ(style & expected, expected);
  EXPECT_FALSE(style & (WS_THICKFRAME | WS_MINIMIZE | WS_MAXIMIZE));
  const LONG exStyle = GetWindowLongW(mainWindow(), GWL_EXSTYLE);
  EXPECT_TRUE(exStyle & WS_EX_APPWINDOW);
  EXPECT_FALSE(exStyle & (WS_EX_TOPMOST | WS_EX_TOOLWINDOW));
  EXPECT_EQ(GetWindow(mainWindow(), GW_OWNER), nullptr);
  EXPECT_EQ(GetClassLongPtrW(mainWindow(), GCLP_HBRBACKGROUND),
            reinterpret_cast<LONG_PTR>(GetSysColorBrush(COLOR_BTNFACE)));
}

TEST_F(MainWindowLayout, FocusGoesFirstToTheHongKongGoldFieldThenBackWhereItWas) {
  EXPECT_EQ(GetFocus(), control("编辑框2"));

  SetFocus(control("编辑框10"));
  // Another window of the thread takes the activation, then gives it back.
  const HWND other = CreateWindowExW(0, L"STATIC", L"other", WS_POPUP | WS_VISIBLE, 0, 0, 50, 50,
                                     nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
  SetActiveWindow(other);
  pumpMessages();
  EXPECT_NE(GetFocus(), control("编辑框10"));
  SetActiveWindow(mainWindow());
  pumpMessages();
  EXPECT_EQ(GetFocus(), control("编辑框10"));
  DestroyWindow(other);
}

TEST_F(MainWindowLayout, TabVisitsTheFieldsFromTheTopRowDown) {
  ASSERT_EQ(GetFocus(), control("编辑框2"));
  const char* const order[] = {"编辑框4", "编辑框6", "编辑框3", "编辑框5", "编辑框7", "编辑框8",
                               "编辑框9", "编辑框10", "编辑框11", "编辑框12", "按钮2"};
  for (const char* next : order) {
    EXPECT_EQ(GetNextDlgTabItem(mainWindow(), GetFocus(), FALSE), control(next)) << next;
    SetFocus(control(next));
  }
}

}  // namespace
}  // namespace tolvane::testing
