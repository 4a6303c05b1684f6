#include "layout.hpp"

namespace tolvane {
namespace {

using enum LayoutKind;
using enum ParentName;
using enum FontName;
using enum Colours;
using enum Alignment;

constexpr auto W = Window;
constexpr auto G1 = GroupBox1;
constexpr auto G2 = GroupBox2;

constexpr WindowLayout kWindow{L"Tolvane  by:vokm", 348, 174};

// clang-format off
constexpr ControlLayout kControls[] = {
//  name         kind      parent left top  width height shown  tab    text          font        colours       align  traits
  {"按钮1",     Button,   G2,   200,  44,  56,  22,  true,  true,  L"汇率查看",  F12,        System,       Left,  kNoTraits},
  {"编辑框16",  EditBox,  W,    192, 168,  80,  20,  true,  true,  L"",          DefaultGui, BlackOnWhite, Left,  kNoTraits},
  {"标签17",    Label,    G1,   201,  13,  22,  24,  true,  false, L"元",        F19,        Red,          Left,  kNoTraits},
  {"标签16",    Label,    G1,    95,  11,  22,  24,  true,  false, L"元",        F19,        Red,          Left,  kNoTraits},
  {"标签15",    Label,    G1,   308,  14,  25,  24,  true,  false, L"元",        F19,        Red,          Left,  kNoTraits},
  {"编辑框15",  EditBox,  G2,    14,  80,  80,  20,  false, true,  L"",          DefaultGui, BlackOnWhite, Left,  kNoTraits},
  {"编辑框14",  EditBox,  G2,    70, 104,   0,  20,  true,  true,  L"",          DefaultGui, BlackOnWhite, Left,  kNoTraits},
  {"编辑框13",  EditBox,  G2,    46,  80,  24,  36,  false, true,  L"",          DefaultGui, BlackOnWhite, Left,  kNoTraits},
  {"按钮2",     Button,   G2,   273,  45,  56,  22,  true,  true,  L"计算",      F12,        System,       Left,  kNoTraits},
  {"编辑框12",  EditBox,  G2,   133,  45,  56,  20,  true,  true,  L"",          F14,        Display,      Right, kNoTraits},
  {"标签13",    Label,    G2,    68,  43,  58,  24,  true,  false, L"美金汇率",  F14,        Red,          Left,  kNoTraits},
  {"标签12",    Label,    G2,     9,  43,  54,  24,  true,  false, L"国际金银",  F12B,       Blue,         Left,  kNoTraits},
  {"编辑框11",  EditBox,  G2,   262,  16,  46,  20,  true,  true,  L"0.990",     F14,        Display,      Right, kNoTraits},
  {"标签11",    Label,    G2,   128,  12,  24,  24,  true,  false, L"汇率",      F12B,       Red,          Left,  kNoTraits},
  {"标签10",    Label,    G2,   223,  12,  24,  24,  true,  false, L"成色",      F12B,       Red,          Left,  kNoTraits},
  {"标签9",     Label,    G2,    45,  12,  24,  24,  true,  false, L"加点",      F12B,       Red,          Left,  kNoTraits},
  {"编辑框10",  EditBox,  G2,   164,  14,  41,  20,  true,  true,  L"0.81",      F14,        Display,      Right, kNoTraits},
  {"编辑框9",   EditBox,  G2,    74,  14,  39,   8,  true,  true,  L"",          F14,        Display,      Right, kNoTraits},
  {"标签8",     Label,    G2,    10,  12,  24,  24,  true,  false, L"港金",      F12B,       Blue,         Left,  kNoTraits},
  {"分组框2",   GroupBox, W,      2,  72, 336,  72,  true,  false, L"设置",      F12B,       Blue,         Left,  kNoTraits},
  {"标签7",     Label,    G1,   223,  11,  16,  24,  true,  false, L"白\r\n银",  F12B,       Blue,         Left,  kTwoLines},
  {"标签6",     Label,    G1,   117,  12,  16,  24,  true,  false, L"黄\r\n金",  F12B,       Blue,         Left,  kTwoLines},
  {"标签5",     Label,    G1,     8,  11,  16,  24,  true,  false, L"港\r\n金",  F12B,       Blue,         Left,  kTwoLines},
  {"编辑框8",   EditBox,  G1,   238,  12,  71,  24,  true,  true,  L"",          F24,        Display,      Left,  kNoTraits},
  {"编辑框7",   EditBox,  G1,   132,  12,  71,  24,  true,  true,  L"",          F24,        Display,      Left,  kNoTraits},
  {"编辑框5",   EditBox,  G1,    25,  11,  71,  24,  true,  true,  L"",          F24,        Display,      Left,  kNoTraits},
  {"分组框1",   GroupBox, W,      2,  30, 335,  42,  true,  false, L"人民币",    F12B,       Blue,         Left,  kNoTraits},
  {"编辑框3",   EditBox,  W,    270,   1,  69,  29,  true,  true,  L"",          F24,        Display,      Left,  kNoTraits},
  {"标签4",     Label,    W,    257,   3,  16,  24,  true,  false, L"汇\r\n率",  F12B,       Blue,         Left,  kTwoLines},
  {"标签3",     Label,    W,    172,   4,  16,  24,  true,  false, L"白\r\n银",  F12B,       Blue,         Left,  kTwoLines},
  {"标签2",     Label,    W,     87,   5,  16,  24,  true,  false, L"黄\r\n金",  F12B,       Blue,         Left,  kTwoLines},
  {"标签1",     Label,    W,      4,   5,  16,  24,  true,  false, L"港\r\n金",  F12B,       Blue,         Left,  kTwoLines},
  {"编辑框6",   EditBox,  W,    186,   1,  69,  29,  true,  true,  L"",          F24,        Display,      Right, kKeepsSelection},
  {"编辑框4",   EditBox,  W,    101,   1,  69,  29,  true,  true,  L"",          F24,        Display,      Left,  kNoTraits},
  {"编辑框2",   EditBox,  W,     19,   1,  69,  29,  true,  true,  L"",          F24,        Display,      Right, kNumberField},
  {"编辑框1",   EditBox,  W,     88, 192,  24,  16,  false, true,  L"",          DefaultGui, BlackOnWhite, Left,  kMultiLine},
};
// clang-format on

// The layout attaches these handlers; each does nothing.
constexpr IgnoredEvent kIgnoredEvents[] = {
    {"编辑框4", LayoutEvent::TextChanged},
    {"标签2", LayoutEvent::Notification},
    {"分组框1", LayoutEvent::LeftButtonDown},
    {"分组框2", LayoutEvent::LeftButtonDown},
};

}  // namespace

const WindowLayout& mainWindowLayout() { return kWindow; }
std::span<const ControlLayout> mainWindowControls() { return kControls; }
std::span<const IgnoredEvent> mainWindowIgnoredEvents() { return kIgnoredEvents; }

}  // namespace tolvane
