// A click on 计算 runs the calculate command over the window's fields with the
// WinInet read: against the quote server that with_quote_server.sh started,
// and against an address where nothing listens.
#include <gtest/gtest.h>
#include <windows.h>

#include <cstdlib>
#include <string>

#include "http_read.hpp"
#include "main_window_fixture.hpp"

namespace tolvane::testing {
namespace {

// The quote server's page (quote_page.txt): HKG10005/, LLG1200.5/, LLS18.25/.
class CalculateWithQuoteServer : public MainWindowTest {
 protected:
  HttpRead quotePageRead() override {
    const char* url = std::getenv("TOLVANE_TEST_QUOTE_URL");
    EXPECT_NE(url, nullptr) << "run through with_quote_server.sh";
    return [address = std::string(url ? url : "")](std::string_view) { return httpRead(address); };
  }
};

TEST_F(CalculateWithQuoteServer, TheClickFillsInTheQuotesAndPrices) {
  SetFocus(control("编辑框12"));
  type("编辑框12", L"6.8");
  click("按钮2");

  const struct {
    const char* field;
    const char* text;
  } expected[] = {
      {"编辑框2", "10005"},           {"编辑框4", "1200.5"},          {"编辑框6", "18.25"},
      {"编辑框3", "6.8"},             {"编辑框7", "262.4593690976"},  {"编辑框8", "3.989907110397"},
      {"编辑框13", "10005"},          {"编辑框14", "216.5179406343"}, {"编辑框15", "214.352761228"},
      {"编辑框5", "214.352761228"},
  };
  for (const auto& e : expected) EXPECT_EQ(fields().fieldText(e.field), e.text) << e.field;
  EXPECT_NE(fields().fieldText("编辑框1").find("HKG10005/"), std::string::npos);
  // The texts show in the controls as well.
  EXPECT_EQ(text("编辑框7"), L"262.4593690976");
  EXPECT_EQ(text("编辑框5"), L"214.352761228");
}

class CalculateWithoutServer : public MainWindowTest {
 protected:
  HttpRead quotePageRead() override {
    // Port 1 on loopback: nothing listens there, the connection is refused.
    return [](std::string_view) { return httpRead("http://127.0.0.1:1/wcpq_hkd.php"); };
  }
};

TEST_F(CalculateWithoutServer, TheFirstClickWritesZerosAndLeavesTheQuotesEmpty) {
  click("按钮2");
  for (const char* field : {"编辑框1", "编辑框3", "编辑框2", "编辑框4", "编辑框6"})
    EXPECT_EQ(fields().fieldText(field), "") << field;
  for (const char* field : {"编辑框7", "编辑框8", "编辑框13", "编辑框14", "编辑框15", "编辑框5"})
    EXPECT_EQ(fields().fieldText(field), "0") << field;
  EXPECT_EQ(fields().fieldText("编辑框10"), "0.81");
  EXPECT_EQ(fields().fieldText("编辑框11"), "0.990");
}

}  // namespace
}  // namespace tolvane::testing
