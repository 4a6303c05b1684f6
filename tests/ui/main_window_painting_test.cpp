// What the main window paints: display fields black with cyan digits, red and
// blue label captions, labels on the button face.
#include <gtest/gtest.h>
#include <windows.h>

#include <functional>

#include "main_window_fixture.hpp"

namespace tolvane::testing {
namespace {

// The pixels of a window's client area, copied from its device context.
class Capture {
 public:
  explicit Capture(HWND window) {
    RECT area;
    GetClientRect(window, &area);
    width_ = area.right;
    height_ = area.bottom;
    const HDC source = GetDC(window);
    const HDC memory = CreateCompatibleDC(source);
    BITMAPINFO info{};
    info.bmiHeader = {sizeof(BITMAPINFOHEADER), width_, -height_, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    void* bits = nullptr;
    const HBITMAP bitmap = CreateDIBSection(memory, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    const HGDIOBJ previous = SelectObject(memory, bitmap);
    BitBlt(memory, 0, 0, width_, height_, source, 0, 0, SRCCOPY);
    const auto* pixels = static_cast<const DWORD*>(bits);
    pixels_.assign(pixels, pixels + width_ * height_);
    SelectObject(memory, previous);
    DeleteObject(bitmap);
    DeleteDC(memory);
    ReleaseDC(window, source);
  }

  COLORREF at(int x, int y) const {
    const DWORD p = pixels_[static_cast<size_t>(y * width_ + x)];
    return RGB((p >> 16) & 0xFF, (p >> 8) & 0xFF, p & 0xFF);
  }

  int count(const std::function<bool(COLORREF)>& matches) const {
    int n = 0;
    for (int y = 0; y < height_; ++y)
      for (int x = 0; x < width_; ++x) n += matches(at(x, y));
    return n;
  }

  int width() const { return width_; }
  int height() const { return height_; }

 private:
  int width_ = 0, height_ = 0;
  std::vector<DWORD> pixels_;
};

bool isCyan(COLORREF c) { return GetRValue(c) < 80 && GetGValue(c) > 180 && GetBValue(c) > 180; }
bool isRed(COLORREF c) { return GetRValue(c) > 180 && GetGValue(c) < 80 && GetBValue(c) < 80; }
bool isBlue(COLORREF c) { return GetRValue(c) < 80 && GetGValue(c) < 80 && GetBValue(c) > 180; }

class MainWindowPainting : public MainWindowTest {
 protected:
  Capture painted(const char* name) {
    RedrawWindow(mainWindow(), nullptr, nullptr,
                 RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
    pumpMessages();
    return Capture(control(name));
  }
};

TEST_F(MainWindowPainting, ADisplayFieldIsBlackWithCyanDigits) {
  const Capture empty = painted("编辑框7");
  EXPECT_EQ(empty.at(empty.width() / 2, empty.height() / 2), RGB(0, 0, 0));
  EXPECT_EQ(empty.count(isCyan), 0);

  fields().setFieldText("编辑框7", "888.8");
  const Capture shown = painted("编辑框7");
  EXPECT_EQ(shown.at(shown.width() - 2, shown.height() / 2), RGB(0, 0, 0));
  EXPECT_GT(shown.count(isCyan), 40);
  EXPECT_GT(shown.count([](COLORREF c) { return c == RGB(4, 251, 251); }), 0);
}

TEST_F(MainWindowPainting, LabelsShowTheirCaptionsInRedAndBlueOnTheButtonFace) {
  const COLORREF face = GetSysColor(COLOR_BTNFACE);
  const Capture yuan = painted("标签15");  // 元
  EXPECT_EQ(yuan.at(0, 0), face);
  EXPECT_GT(yuan.count(isRed), 15);
  EXPECT_EQ(yuan.count(isBlue), 0);

  const Capture hongKong = painted("标签1");  // 港 over 金
  EXPECT_EQ(hongKong.at(hongKong.width() - 1, hongKong.height() - 1), face);
  EXPECT_GT(hongKong.count(isBlue), 15);
  EXPECT_EQ(hongKong.count(isRed), 0);
  // Two lines from the top: ink in the upper and in the lower half.
  int upper = 0, lower = 0;
  for (int y = 0; y < hongKong.height(); ++y)
    for (int x = 0; x < hongKong.width(); ++x)
      if (isBlue(hongKong.at(x, y))) ++(y < hongKong.height() / 2 ? upper : lower);
  EXPECT_GT(upper, 5);
  EXPECT_GT(lower, 5);
}

TEST_F(MainWindowPainting, TheUnseenFieldsAreBlackOnWhite) {
  // 编辑框16 lies below the client area; a taller window brings it into view,
  // as maximising the window does.
  SetWindowPos(mainWindow(), nullptr, 0, 0, 348, 260, SWP_NOMOVE | SWP_NOZORDER);
  fields().setFieldText("编辑框16", "8888");
  const Capture field = painted("编辑框16");
  EXPECT_EQ(field.at(field.width() - 3, field.height() / 2), RGB(255, 255, 255));
  // Black text, smoothed: every pixel that is not white is a grey.
  const auto ink = [](COLORREF c) { return c != RGB(255, 255, 255); };
  const auto grey = [](COLORREF c) { return GetRValue(c) == GetGValue(c) && GetGValue(c) == GetBValue(c); };
  EXPECT_GT(field.count(ink), 20);
  EXPECT_EQ(field.count([&](COLORREF c) { return ink(c) && !grey(c); }), 0);
}

}  // namespace
}  // namespace tolvane::testing
