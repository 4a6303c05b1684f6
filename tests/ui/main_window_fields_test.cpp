// The fields over the edit boxes: what the program writes comes back byte for
// byte, each write raises the text-changed event once, typing takes over.
#include <gtest/gtest.h>
#include <windows.h>

#include <map>
#include <string>

#include "main_window_fixture.hpp"

namespace tolvane::testing {
namespace {

const char* const kAllFields[] = {"编辑框1",  "编辑框2",  "编辑框3",  "编辑框4",
                                  "编辑框5",  "编辑框6",  "编辑框7",  "编辑框8",
                                  "编辑框9",  "编辑框10", "编辑框11", "编辑框12",
                                  "编辑框13", "编辑框14", "编辑框15", "编辑框16"};

// 100 000 bytes of lines with GBK characters, CR, LF, a bare CR, and bytes
// that are not GBK at all (0x80, 0xFF, a lead byte before a control byte).
std::string pageOf100000Bytes() {
  const std::string line = "HKG18770/\xBB\xC6\xBD\xF0 \x80\xFF\x81\x0D\x0A LLG\x0D 2015.30/\x0A";
  std::string page;
  while (page.size() + line.size() <= 100000) page += line;
  page.append(100000 - page.size(), 'x');
  return page;
}

class MainWindowFields : public MainWindowTest {
 protected:
  void SetUp() override {
    MainWindowTest::SetUp();
    for (const char* name : kAllFields)
      window_->onTextChanged(name, [this, name] { ++changes_[name]; });
  }
  std::map<std::string, int> changes_;
};

TEST_F(MainWindowFields, OpenWithTheLayoutsInitialTexts) {
  for (const char* name : kAllFields) {
    const std::string expected = std::string(name) == "编辑框10"   ? "0.81"
                                 : std::string(name) == "编辑框11" ? "0.990"
                                                                    : "";
    EXPECT_EQ(fields().fieldText(name), expected) << name;
  }
}

TEST_F(MainWindowFields, TextsComeBackByteForByteAndShowAsGbk) {
  const std::string texts[] = {"", "0.990", "\xBB\xC6\xBD\xF0 389.4", "\x80\xFF\x81", "a\r\nb\rc\nd"};
  for (const char* name : kAllFields) {
    for (const auto& text : texts) {
      fields().setFieldText(name, text);
      EXPECT_EQ(fields().fieldText(name), text) << name;
    }
  }
  fields().setFieldText("编辑框4", "\xBB\xC6\xBD\xF0");  // 黄金
  EXPECT_EQ(text("编辑框4"), L"黄金");
}

TEST_F(MainWindowFields, TheWholePageOf100000BytesComesBackUnchanged) {
  const std::string page = pageOf100000Bytes();
  ASSERT_EQ(page.size(), 100000u);
  for (const char* name : {"编辑框1", "编辑框2"}) {
    fields().setFieldText(name, page);
    EXPECT_EQ(fields().fieldText(name), page) << name;
    // The control holds the whole text too: no write of the program is cut.
    EXPECT_GE(GetWindowTextLengthW(control(name)), 90000) << name;
  }
}

TEST_F(MainWindowFields, EachWriteRaisesTheTextChangedEventOnce) {
  for (const char* name : kAllFields) {
    changes_.clear();
    fields().setFieldText(name, "12");
    pumpMessages();
    EXPECT_EQ(changes_[name], 1) << name << ", a new text";
    fields().setFieldText(name, "12");
    pumpMessages();
    EXPECT_EQ(changes_[name], 2) << name << ", the same text again";
    fields().setFieldText(name, "");
    pumpMessages();
    EXPECT_EQ(changes_[name], 3) << name << ", the empty text";
    EXPECT_EQ(changes_.size(), 1u) << name << ": no other field's event";
  }
}

TEST_F(MainWindowFields, TypingTakesOverFromTheWrittenBytes) {
  fields().setFieldText("编辑框4", "12\x80");  // not GBK: the control shows something else
  EXPECT_EQ(fields().fieldText("编辑框4"), "12\x80");
  changes_.clear();

  SetFocus(control("编辑框4"));
  SendMessageW(control("编辑框4"), EM_SETSEL, 0, -1);
  type("编辑框4", L"3汉");
  EXPECT_EQ(fields().fieldText("编辑框4"), "3\xBA\xBA");
  EXPECT_EQ(changes_["编辑框4"], 2);  // one per typed character
}

TEST_F(MainWindowFields, UnknownNamesAreNeitherWrittenNorRead) {
  fields().setFieldText("编辑框17", "1");
  EXPECT_EQ(fields().fieldText("编辑框17"), "");
  EXPECT_TRUE(changes_.empty());
}

}  // namespace
}  // namespace tolvane::testing
