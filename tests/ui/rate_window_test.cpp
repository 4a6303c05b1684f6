// The exchange-rate window under Wine: opened from a stand-in main window, it
// is inspected from a timer that fires inside its modal loop and then closed
// the way the close box closes it (WM_CLOSE).
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "browser_probe.hpp"
#include "rate_window.hpp"

namespace tolvane {
namespace {

using namespace testing_support;

// --- running code inside the modal loop -----------------------------------

// Runs an action once from a thread timer, that is from whichever message loop
// is running when it fires.
class TimerAction {
 public:
  TimerAction(UINT delay, std::function<void()> action) {
    action_ = std::move(action);
    id_ = SetTimer(nullptr, 0, delay, fire);
  }
  ~TimerAction() {
    KillTimer(nullptr, id_);
    action_ = nullptr;
  }
  TimerAction(const TimerAction&) = delete;
  TimerAction& operator=(const TimerAction&) = delete;

 private:
  static void CALLBACK fire(HWND, UINT, UINT_PTR id, DWORD) {
    KillTimer(nullptr, id);
    if (auto action = std::exchange(action_, nullptr)) action();
  }

  static inline std::function<void()> action_;
  UINT_PTR id_;
};

// Opens the window; once the modal loop has run for a moment, hands the open
// window to inspect and then closes it with WM_CLOSE (unless told not to).
// True when inspect ran.
enum class Closing { byCloseBox, byTheInspection };

bool openAndInspect(Application& app, const std::function<void(RateWindow&)>& inspect,
                    Closing closing = Closing::byCloseBox, UINT delay = 200) {
  bool inspected = false;
  TimerAction timer(delay, [&] {
    RateWindow* open = RateWindow::current();
    if (!open) return;
    inspect(*open);
    inspected = true;
    if (closing == Closing::byCloseBox && RateWindow::current())
      PostMessageW(open->window(), WM_CLOSE, 0, 0);
  });
  openRateWindow(app);
  return inspected;
}

// --- the stand-in main window --------------------------------------------

// A plain top-level window with two edit boxes, in the application's list
// like the real main window. It notes whether the exchange-rate window was
// still on the screen when it was enabled again.
class StandInMainWindow {
 public:
  explicit StandInMainWindow(Application& app) : app_(app) {
    static const bool registered = [] {
      WNDCLASSW windowClass{};
      windowClass.lpfnWndProc = procedure;
      windowClass.hInstance = GetModuleHandleW(nullptr);
      windowClass.lpszClassName = L"TolvaneStandInMain";
      return RegisterClassW(&windowClass) != 0;
    }();
    (void)registered;
    window_.reset(CreateWindowExW(0, L"TolvaneStandInMain", L"main", WS_OVERLAPPEDWINDOW | WS_VISIBLE,
                                  20, 20, 400, 300, nullptr, nullptr, GetModuleHandleW(nullptr),
                                  nullptr));
    for (int row = 0; row < 2; ++row)
      fields_.push_back(CreateWindowExW(0, L"EDIT", row == 0 ? L"6.8" : L"0.81",
                                        WS_CHILD | WS_VISIBLE, 10, 10 + 30 * row, 120, 22,
                                        window_.get(), nullptr, GetModuleHandleW(nullptr), nullptr));
    app_.addWindow(window_.get());
  }
  ~StandInMainWindow() { app_.removeWindow(window_.get()); }

  HWND window() const { return window_.get(); }

  std::vector<std::wstring> fieldTexts() const {
    std::vector<std::wstring> texts;
    for (HWND field : fields_) {
      wchar_t text[64] = L"";
      GetWindowTextW(field, text, 64);
      texts.emplace_back(text);
    }
    return texts;
  }

  static inline bool rateWindowVisibleWhenEnabled = false;

 private:
  static LRESULT CALLBACK procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_ENABLE && wParam)
      rateWindowVisibleWhenEnabled =
          RateWindow::current() && IsWindowVisible(RateWindow::current()->window());
    return DefWindowProcW(window, message, wParam, lParam);
  }

  Application& app_;
  ScopedWindow window_;
  std::vector<HWND> fields_;
};

// --- helpers ----------------------------------------------------------------

RECT outerRect(HWND window) {
  RECT rect;
  GetWindowRect(window, &rect);
  return rect;
}

RECT rectInParentClient(HWND window) {
  RECT rect = outerRect(window);
  MapWindowPoints(nullptr, GetParent(window), reinterpret_cast<POINT*>(&rect), 2);
  return rect;
}

int windowsOfThisThread() {
  int count = 0;
  const auto countOne = [](HWND window, LPARAM context) -> BOOL {
    auto& total = *reinterpret_cast<int*>(context);
    ++total;
    EnumChildWindows(
        window, [](HWND, LPARAM inner) -> BOOL { return ++*reinterpret_cast<int*>(inner), TRUE; },
        context);
    return TRUE;
  };
  EnumThreadWindows(GetCurrentThreadId(), countOne, reinterpret_cast<LPARAM>(&count));
  return count;
}

class RateWindowTest : public testing::Test {
 protected:
  void TearDown() override {
    EXPECT_EQ(RateWindow::current(), nullptr);
    MSG quit;  // no test leaves a quit message behind for the next one
    EXPECT_FALSE(PeekMessageW(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
  }

  ScopedOle ole_;
  Application app_;
  StandInMainWindow main_{app_};
};

// --- the window ------------------------------------------------------------

TEST_F(RateWindowTest, HasTheLayoutsSizePlaceStylesTitleAndOwner) {
  ASSERT_TRUE(openAndInspect(app_, [&](RateWindow& rate) {
    const HWND window = rate.window();
    const RECT outer = outerRect(window);
    EXPECT_EQ(outer.right - outer.left, 380);
    EXPECT_EQ(outer.bottom - outer.top, 250);
    EXPECT_EQ(outer.left, (GetSystemMetrics(SM_CXSCREEN) - 380) / 2);
    EXPECT_EQ(outer.top, (GetSystemMetrics(SM_CYSCREEN) - 250) / 2);

    const LONG_PTR style = GetWindowLongPtrW(window, GWL_STYLE);
    EXPECT_EQ(style & WS_CAPTION, WS_CAPTION);
    EXPECT_TRUE(style & WS_SYSMENU);
    EXPECT_TRUE(style & WS_VISIBLE);
    for (const DWORD absent : {DWORD{WS_MINIMIZEBOX}, DWORD{WS_MAXIMIZEBOX}, DWORD{WS_THICKFRAME}, DWORD{WS_CHILD}, DWORD{WS_POPUP}})
      EXPECT_FALSE(style & absent) << std::hex << absent;
    const LONG_PTR exStyle = GetWindowLongPtrW(window, GWL_EXSTYLE);
    EXPECT_FALSE(exStyle & WS_EX_TOPMOST);
    EXPECT_FALSE(exStyle & WS_EX_APPWINDOW);

    EXPECT_EQ(GetWindowTextLengthW(window), 0);
    EXPECT_EQ(GetWindow(window, GW_OWNER), app_.ownerWindow());
    EXPECT_NE(GetWindow(window, GW_OWNER), main_.window());
    EXPECT_EQ(GetAncestor(window, GA_PARENT), GetDesktopWindow());
    EXPECT_EQ(reinterpret_cast<HGDIOBJ>(SendMessageW(window, WM_GETFONT, 0, 0)),
              GetStockObject(DEFAULT_GUI_FONT));
    EXPECT_EQ(GetClassLongPtrW(window, GCLP_HBRBACKGROUND), static_cast<ULONG_PTR>(COLOR_BTNFACE + 1));
    EXPECT_NE(std::find(app_.windows().begin(), app_.windows().end(), window),
              app_.windows().end());
  }));
}

TEST_F(RateWindowTest, ContainerHoldsTheBrowserSentToTheBankAddress) {
  std::unique_ptr<BrowserReferences> references;
  ASSERT_TRUE(openAndInspect(app_, [&](RateWindow& rate) {
    const HWND container = rate.htmlViewer().window();
    ASSERT_NE(container, nullptr);
    EXPECT_EQ(GetParent(container), rate.window());
    const RECT place = rectInParentClient(container);
    EXPECT_EQ(place.left, 0);
    EXPECT_EQ(place.top, 0);
    EXPECT_EQ(place.right - place.left, 376);
    EXPECT_EQ(place.bottom - place.top, 216);
    EXPECT_TRUE(GetWindowLongPtrW(container, GWL_STYLE) & WS_CLIPSIBLINGS);

    IWebBrowser2* browser = rate.htmlViewer().browser();
    ASSERT_NE(browser, nullptr);
    references = std::make_unique<BrowserReferences>(browser);
    EXPECT_EQ(locationUrl(browser), L"" TOLVANE_BANK_URL);
    VARIANT_BOOL offline = VARIANT_TRUE, silent = VARIANT_TRUE;
    browser->get_Offline(&offline);
    browser->get_Silent(&silent);
    EXPECT_EQ(offline, VARIANT_FALSE);
    EXPECT_EQ(silent, VARIANT_FALSE);
    EXPECT_TRUE(IsChild(container, browserWindow(browser)));
  }));
  ASSERT_TRUE(references);
  ASSERT_TRUE(references->siteReceived());
  EXPECT_EQ(references->siteReferencesKept(), 0u);
  // The container's two: the object it runs in place and its IWebBrowser2.
  EXPECT_GE(references->browserReferencesGivenBack(), 2u);
}

// Loading the page gets as far as Wine goes without an HTML engine; no prompt
// to install one may appear, in this process or another.
TEST_F(RateWindowTest, NoOtherWindowAppearsWhileTheBrowserLoads) {
  ASSERT_TRUE(openAndInspect(
      app_,
      [&](RateWindow& rate) {
        struct Search {
          HWND rate, main;
          std::vector<std::wstring> unexpected;
        } search{rate.window(), main_.window(), {}};
        EnumWindows(
            [](HWND window, LPARAM context) -> BOOL {
              auto& search = *reinterpret_cast<Search*>(context);
              if (window == search.rate || window == search.main || !IsWindowVisible(window))
                return TRUE;
              wchar_t className[64] = L"";
              GetClassNameW(window, className, 64);
              DWORD process = 0;
              GetWindowThreadProcessId(window, &process);
              if (process == GetCurrentProcessId() || std::wstring(className) == L"#32770")
                search.unexpected.emplace_back(className);
              return TRUE;
            },
            reinterpret_cast<LPARAM>(&search));
        EXPECT_TRUE(search.unexpected.empty()) << "first: " << testing::PrintToString(
            search.unexpected.empty() ? std::wstring() : search.unexpected.front());
      },
      Closing::byCloseBox, 1500));
}

// --- modality ----------------------------------------------------------------

TEST_F(RateWindowTest, MainWindowIsDisabledWhileOpenThenEnabledWithItsFieldsUnchanged) {
  const auto textsBefore = main_.fieldTexts();
  StandInMainWindow::rateWindowVisibleWhenEnabled = false;
  HWND rateWindow = nullptr;
  bool returned = false;
  ASSERT_TRUE(openAndInspect(app_, [&](RateWindow& rate) {
    rateWindow = rate.window();
    EXPECT_FALSE(IsWindowEnabled(main_.window()));
    EXPECT_TRUE(IsWindowEnabled(rate.window()));
    EXPECT_FALSE(returned);
  }));
  returned = true;
  EXPECT_FALSE(IsWindow(rateWindow)) << "returned before the window was closed";
  EXPECT_TRUE(IsWindowEnabled(main_.window()));
  EXPECT_TRUE(StandInMainWindow::rateWindowVisibleWhenEnabled)
      << "the main window must be enabled before the exchange-rate window goes";
  EXPECT_EQ(main_.fieldTexts(), textsBefore);
  EXPECT_EQ(app_.windows(), std::vector<HWND>{main_.window()});
}

TEST_F(RateWindowTest, EachWindowGetsBackItsOwnEnabledState) {
  // A second main window that was disabled before, and an owned window, which
  // takes no part.
  const ScopedWindow disabledBefore(CreateWindowExW(0, L"STATIC", L"other", WS_OVERLAPPEDWINDOW |
                                                    WS_VISIBLE | WS_DISABLED, 30, 30, 200, 100,
                                                    nullptr, nullptr, nullptr, nullptr));
  const ScopedWindow owned(CreateWindowExW(0, L"STATIC", L"owned", WS_OVERLAPPEDWINDOW | WS_VISIBLE,
                                           40, 40, 200, 100, main_.window(), nullptr, nullptr,
                                           nullptr));
  app_.addWindow(disabledBefore.get());
  app_.addWindow(owned.get());
  ASSERT_TRUE(openAndInspect(app_, [&](RateWindow&) {
    EXPECT_FALSE(IsWindowEnabled(main_.window()));
    EXPECT_FALSE(IsWindowEnabled(disabledBefore.get()));
    EXPECT_TRUE(IsWindowEnabled(owned.get()));
    EXPECT_TRUE(IsWindowEnabled(app_.ownerWindow()));
  }));
  EXPECT_TRUE(IsWindowEnabled(main_.window()));
  EXPECT_FALSE(IsWindowEnabled(disabledBefore.get()));
  EXPECT_TRUE(IsWindowEnabled(owned.get()));
  app_.removeWindow(disabledBefore.get());
  app_.removeWindow(owned.get());
}

TEST_F(RateWindowTest, QuitMessageEndsTheModalLoopAndIsPostedAgain) {
  HWND rateWindow = nullptr;
  ASSERT_TRUE(openAndInspect(
      app_,
      [&](RateWindow& rate) {
        rateWindow = rate.window();
        PostQuitMessage(7);
      },
      Closing::byTheInspection));
  EXPECT_FALSE(IsWindow(rateWindow));
  EXPECT_TRUE(IsWindowEnabled(main_.window()));
  EXPECT_EQ(app_.windows(), std::vector<HWND>{main_.window()});
  MSG quit;
  ASSERT_TRUE(PeekMessageW(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
  EXPECT_EQ(quit.wParam, 7u);
}

TEST_F(RateWindowTest, OpeningAgainWhileOpenBringsTheWindowToTheFront) {
  ASSERT_TRUE(openAndInspect(app_, [&](RateWindow& rate) {
    ShowWindow(rate.window(), SW_MINIMIZE);
    ASSERT_TRUE(IsIconic(rate.window()));
    openRateWindow(app_);  // returns at once: a nested loop would never end here
    EXPECT_FALSE(IsIconic(rate.window()));
    EXPECT_EQ(RateWindow::current(), &rate);

    const ScopedWindow other(CreateWindowExW(0, L"STATIC", L"other", WS_OVERLAPPEDWINDOW | WS_VISIBLE,
                                             50, 50, 200, 100, nullptr, nullptr, nullptr, nullptr));
    SetActiveWindow(other.get());
    ASSERT_EQ(GetActiveWindow(), other.get());
    openRateWindow(app_);
    EXPECT_EQ(GetActiveWindow(), rate.window());
    EXPECT_EQ(app_.windows().size(), 2u);
  }));
}

// --- failure and resources ---------------------------------------------------

// Refuses the creation of windows of one class, as a system out of resources
// would.
class CreationBlocker {
 public:
  explicit CreationBlocker(const wchar_t* className) {
    blockedClass_ = className;
    activations_ = 0;
    hook_ = SetWindowsHookExW(WH_CBT, procedure, nullptr, GetCurrentThreadId());
  }
  ~CreationBlocker() { UnhookWindowsHookEx(hook_); }
  CreationBlocker(const CreationBlocker&) = delete;
  CreationBlocker& operator=(const CreationBlocker&) = delete;
  static int activations() { return activations_; }

 private:
  static bool ofBlockedClass(HWND window) {
    wchar_t className[64] = L"";
    GetClassNameW(window, className, 64);
    return blockedClass_ == className;
  }
  static LRESULT CALLBACK procedure(int code, WPARAM wParam, LPARAM lParam) {
    if (code == HCBT_CREATEWND && ofBlockedClass(reinterpret_cast<HWND>(wParam))) return 1;
    if (code == HCBT_ACTIVATE) ++activations_;
    return CallNextHookEx(nullptr, code, wParam, lParam);
  }

  static inline std::wstring blockedClass_;
  static inline int activations_ = 0;
  HHOOK hook_;
};

TEST_F(RateWindowTest, WindowThatCannotBeCreatedChangesNothing) {
  for (const wchar_t* blocked : {RateWindow::className(), HtmlViewer::className()}) {
    const int windowsBefore = windowsOfThisThread();
    bool loopRan = false;
    {
      const CreationBlocker blocker(blocked);
      loopRan = openAndInspect(app_, [](RateWindow&) {});
      EXPECT_EQ(CreationBlocker::activations(), 0) << "something was shown: " << blocked;
    }
    EXPECT_FALSE(loopRan) << blocked;
    EXPECT_TRUE(IsWindowEnabled(main_.window())) << blocked;
    EXPECT_EQ(app_.windows(), std::vector<HWND>{main_.window()}) << blocked;
    EXPECT_EQ(windowsOfThisThread(), windowsBefore) << blocked;
  }
}

TEST_F(RateWindowTest, TwentyOpeningsLeaveNoWindowsOrGuiObjectsBehind) {
  struct Counts {
    DWORD user, gdi;
    int windows;
  };
  // Wine reports 0 for GetGuiResources; the count of windows bites there too.
  const auto counts = [] {
    return Counts{GetGuiResources(GetCurrentProcess(), GR_USEROBJECTS),
                  GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS), windowsOfThisThread()};
  };
  // Opens and closes the window; false when it kept a reference to its
  // browser or to the browser's site.
  const auto openAndClose = [&] {
    std::unique_ptr<BrowserReferences> references;
    openAndInspect(app_, [&](RateWindow& rate) {
      references = std::make_unique<BrowserReferences>(rate.htmlViewer().browser());
    });
    return references && references->siteReceived() && references->siteReferencesKept() == 0 &&
           references->browserReferencesGivenBack() >= 2;
  };
  ASSERT_TRUE(openAndClose());  // the first opening loads the browser's DLLs and caches
  const Counts before = counts();
  for (int opening = 0; opening < 20; ++opening)
    ASSERT_TRUE(openAndClose()) << "opening " << opening;
  const Counts after = counts();
  EXPECT_EQ(after.user, before.user);
  EXPECT_EQ(after.gdi, before.gdi);
  EXPECT_EQ(after.windows, before.windows);
}

}  // namespace
}  // namespace tolvane
