// 编辑框2: its keyboard filter and the short number it tidies its text into
// when it loses the focus, driven with real window messages.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>

#include "main_window_fixture.hpp"
#include "short_number.hpp"

namespace tolvane::testing {
namespace {

TEST(ShortNumberText, RoundsToSingleThenToSixDigits) {
  const struct {
    const char* text;
    const char* shortened;
  } cases[] = {
      {"12345.678", "12345.7"},
      {"10005.55", "10005.5"},  // single precision: 10005.5498...
      {"1234567", "1.23457e+006"},
      {".5", "0.5"},
      {"0", ""},
      {"abc", ""},
      {"", ""},
      {"-0", ""},
      {"999999.5", "1e+006"},  // half up by the seventh digit, with a carry
      {"999999", "999999"},
      {"123456", "123456"},
      {"-12.5", "-12.5"},
      {"0.0001", "0.0001"},
      {"0.00001", "1e-005"},
      {"0.000123456789", "0.000123457"},
      {"1e20", "1e+020"},
      {"1e-40", "9.99995e-041"},  // a subnormal single
      {"1e39", "1.#INF"},
      {"-1e39", "-1.#INF"},
      {"  7.25xyz", "7.25"},
      {"1D2", "100"},
      {"\xA3\xB1\xA3\xB2", ""},  // full-width digits are not folded here
      {"18770", "18770"},
      {"2015.30", "2015.3"},
  };
  for (const auto& c : cases) EXPECT_EQ(shortNumberText(c.text), c.shortened) << c.text;
}

using NumberField = MainWindowTest;

TEST_F(NumberField, TakesDigitsSignsAndPointsButNoOtherCharacter) {
  SetFocus(control("编辑框2"));
  type("编辑框2", L"1a-.B 汉,+9");
  EXPECT_EQ(text("编辑框2"), L"1-.9");
  SendMessageW(control("编辑框2"), WM_IME_CHAR, L'汉', 1);
  EXPECT_EQ(text("编辑框2"), L"1-.9");
  type("编辑框2", L"\b");  // Backspace is a control character and passes
  EXPECT_EQ(text("编辑框2"), L"1-.");
}

TEST_F(NumberField, PastedTextIsNotFiltered) {
  ASSERT_TRUE(OpenClipboard(mainWindow()));
  EmptyClipboard();
  const std::wstring pasted = L"ab汉";
  const HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, (pasted.size() + 1) * sizeof(wchar_t));
  memcpy(GlobalLock(memory), pasted.c_str(), (pasted.size() + 1) * sizeof(wchar_t));
  GlobalUnlock(memory);
  SetClipboardData(CF_UNICODETEXT, memory);
  CloseClipboard();

  SetFocus(control("编辑框2"));
  SendMessageW(control("编辑框2"), WM_PASTE, 0, 0);
  EXPECT_EQ(text("编辑框2"), L"ab汉");
}

TEST_F(NumberField, LosingTheFocusTidiesTheNumber) {
  const struct {
    const wchar_t* typed;
    const wchar_t* shown;
  } cases[] = {
      {L"12345.678", L"12345.7"}, {L"10005.55", L"10005.5"}, {L"1234567", L"1.23457e+006"},
      {L".5", L"0.5"},            {L"0", L""},               {L"", L""},
      {L"-.5-", L"-0.5"},
  };
  for (const auto& c : cases) {
    SetFocus(control("编辑框2"));
    SetWindowTextW(control("编辑框2"), L"");
    type("编辑框2", c.typed);
    SetFocus(control("编辑框4"));
    pumpMessages();
    EXPECT_EQ(text("编辑框2"), c.shown) << c.typed;
  }
  SendMessageW(control("编辑框2"), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L"abc"));
  SetFocus(control("编辑框2"));
  SetFocus(control("编辑框4"));
  EXPECT_EQ(text("编辑框2"), L"") << "pasted letters";
}

TEST_F(NumberField, TheCaretGoesWhereTheSelectionStarted) {
  SetFocus(control("编辑框2"));
  type("编辑框2", L"12345.678");
  SendMessageW(control("编辑框2"), EM_SETSEL, 3, 7);
  SetFocus(control("编辑框4"));
  EXPECT_EQ(text("编辑框2"), L"12345.7");
  DWORD start = 0, end = 0;
  SendMessageW(control("编辑框2"), EM_GETSEL, reinterpret_cast<WPARAM>(&start),
               reinterpret_cast<LPARAM>(&end));
  EXPECT_EQ(start, 3u);
  EXPECT_EQ(end, 3u);
}

TEST_F(NumberField, AnUnchangedNumberIsLeftAsItIs) {
  int changes = 0;
  window_->onTextChanged("编辑框2", [&] { ++changes; });
  SetFocus(control("编辑框2"));
  type("编辑框2", L"18770");
  changes = 0;
  SetFocus(control("编辑框4"));
  EXPECT_EQ(text("编辑框2"), L"18770");
  EXPECT_EQ(changes, 0);
}

TEST_F(NumberField, TheProgramsWritesWaitForTheNextFocusLoss) {
  fields().setFieldText("编辑框2", "18770.25");
  EXPECT_EQ(fields().fieldText("编辑框2"), "18770.25");
  SetFocus(control("编辑框2"));
  SetFocus(control("编辑框4"));
  EXPECT_EQ(fields().fieldText("编辑框2"), "18770.3");  // 18770.25 is exact in single precision; half up
}

TEST_F(NumberField, ACalculateClickTidiesTheFieldFirst) {
  SetFocus(control("编辑框2"));
  type("编辑框2", L"12345.678");
  click("按钮2");
  EXPECT_EQ(text("编辑框2"), L"12345.7");
  // Formula 3 read the tidied text: 12345.7 plus an empty premium.
  EXPECT_EQ(fields().fieldText("编辑框13"), "12345.7");
}

TEST_F(NumberField, OtherFieldsKeepWhatIsTyped) {
  SetFocus(control("编辑框4"));
  type("编辑框4", L"12345.678abc");
  SetFocus(control("编辑框2"));
  EXPECT_EQ(text("编辑框4"), L"12345.678abc");
}

}  // namespace
}  // namespace tolvane::testing
