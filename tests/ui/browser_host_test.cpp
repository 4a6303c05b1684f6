// HtmlViewer under Wine: the browser control inside the program's own OLE
// container. Wine here has no HTML engine, so pages stay blank; what the tests
// read back comes from the control through IWebBrowser2 and its windows.
#include <gtest/gtest.h>

#include <fstream>
#include <string>

#include "browser_host.hpp"
#include "browser_probe.hpp"

namespace tolvane {
namespace {

using namespace testing_support;

SIZE clientSize(HWND window) {
  RECT client;
  GetClientRect(window, &client);
  return {client.right - client.left, client.bottom - client.top};
}

// Visible top-level windows that are dialogs, of any process on the desktop
// (an installer prompt would come from a helper process), or that belong to
// this process.
int visibleForeignOrDialogWindows(HWND ours) {
  struct Search {
    HWND ours;
    int found = 0;
  } search{ours};
  EnumWindows(
      [](HWND window, LPARAM context) -> BOOL {
        auto& search = *reinterpret_cast<Search*>(context);
        if (window == search.ours || !IsWindowVisible(window)) return TRUE;
        wchar_t className[64] = L"";
        GetClassNameW(window, className, 64);
        DWORD process = 0;
        GetWindowThreadProcessId(window, &process);
        if (std::wstring(className) == L"#32770" || process == GetCurrentProcessId())
          ++search.found;
        return TRUE;
      },
      reinterpret_cast<LPARAM>(&search));
  return search.found;
}

class HtmlViewerTest : public testing::Test {
 protected:
  HtmlViewerTest()
      : frame_(CreateWindowExW(0, L"STATIC", L"frame", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 10, 10,
                               420, 300, nullptr, nullptr, GetModuleHandleW(nullptr), nullptr)) {}

  static constexpr HtmlViewer::Place place{0, 0, 376, 216};

  ScopedOle ole_;
  ScopedWindow frame_;
};

TEST_F(HtmlViewerTest, ContainerIsAWhiteChildAtItsPlaceClippingItsSiblings) {
  HtmlViewer viewer;
  ASSERT_TRUE(viewer.create(frame_.get(), {5, 7, 300, 200}, {}));
  RECT outer;
  GetWindowRect(viewer.window(), &outer);
  MapWindowPoints(nullptr, frame_.get(), reinterpret_cast<POINT*>(&outer), 2);
  EXPECT_EQ(outer.left, 5);
  EXPECT_EQ(outer.top, 7);
  EXPECT_EQ(outer.right - outer.left, 300);
  EXPECT_EQ(outer.bottom - outer.top, 200);
  const LONG_PTR style = GetWindowLongPtrW(viewer.window(), GWL_STYLE);
  EXPECT_TRUE(style & WS_CHILD);
  EXPECT_TRUE(style & WS_CLIPSIBLINGS);
  EXPECT_TRUE(style & WS_VISIBLE);
  EXPECT_TRUE(style & WS_TABSTOP);
  EXPECT_EQ(GetParent(viewer.window()), frame_.get());
  EXPECT_EQ(reinterpret_cast<HGDIOBJ>(GetClassLongPtrW(viewer.window(), GCLP_HBRBACKGROUND)),
            GetStockObject(WHITE_BRUSH));
}

TEST_F(HtmlViewerTest, BrowserFillsTheContainerAndFollowsItsSize) {
  HtmlViewer viewer;
  ASSERT_TRUE(viewer.create(frame_.get(), place, {}));
  ASSERT_NE(viewer.browser(), nullptr);
  const HWND browser = browserWindow(viewer.browser());
  ASSERT_NE(browser, nullptr);
  EXPECT_TRUE(IsChild(viewer.window(), browser));
  EXPECT_TRUE(IsWindowVisible(browser));

  for (const SIZE size : {SIZE{376, 216}, SIZE{200, 90}, SIZE{410, 280}}) {
    MoveWindow(viewer.window(), 0, 0, size.cx, size.cy, TRUE);
    const SIZE container = clientSize(viewer.window());
    RECT browserOuter;
    GetWindowRect(browser, &browserOuter);
    MapWindowPoints(nullptr, viewer.window(), reinterpret_cast<POINT*>(&browserOuter), 2);
    EXPECT_EQ(browserOuter.left, 0);
    EXPECT_EQ(browserOuter.top, 0);
    EXPECT_EQ(browserOuter.right, container.cx) << "container width " << size.cx;
    EXPECT_EQ(browserOuter.bottom, container.cy) << "container height " << size.cy;
  }
}

TEST_F(HtmlViewerTest, FocusGivenToTheContainerGoesToTheBrowser) {
  HtmlViewer viewer;
  ASSERT_TRUE(viewer.create(frame_.get(), place, {}));
  const HWND other = CreateWindowExW(0, L"EDIT", L"", WS_CHILD | WS_VISIBLE, 0, 230, 100, 20,
                                     frame_.get(), nullptr, GetModuleHandleW(nullptr), nullptr);
  SetActiveWindow(frame_.get());
  for (int time = 0; time < 2; ++time) {  // the first focus UI-activates the browser
    SetFocus(other);
    ASSERT_EQ(GetFocus(), other);
    SetFocus(viewer.window());
    const HWND focus = GetFocus();
    EXPECT_NE(focus, viewer.window()) << "time " << time;
    EXPECT_TRUE(IsChild(viewer.window(), focus)) << "time " << time;
  }
}

TEST_F(HtmlViewerTest, SettingsReachTheBrowser) {
  struct Case {
    HtmlViewer::Settings settings;
  };
  const Case cases[] = {
      {{L"http://127.0.0.1:9/first.aspx", 2, false, false}},
      {{L"http://127.0.0.1:9/second.aspx?a=1", 0, true, true}},
      {{L"http://127.0.0.1:9/third", 4, false, true}},
  };
  for (const Case& c : cases) {
    HtmlViewer viewer;
    ASSERT_TRUE(viewer.create(frame_.get(), place, c.settings));
    ASSERT_NE(viewer.browser(), nullptr);
    VARIANT_BOOL offline = VARIANT_FALSE, silent = VARIANT_FALSE;
    viewer.browser()->get_Offline(&offline);
    viewer.browser()->get_Silent(&silent);
    EXPECT_EQ(offline != VARIANT_FALSE, c.settings.Offline) << c.settings.url;
    EXPECT_EQ(silent != VARIANT_FALSE, c.settings.Silent) << c.settings.url;
    EXPECT_EQ(locationUrl(viewer.browser()), c.settings.url);
  }
}

TEST_F(HtmlViewerTest, WithoutAddressNothingIsNavigated) {
  HtmlViewer viewer;
  ASSERT_TRUE(viewer.create(frame_.get(), place, {}));
  ASSERT_NE(viewer.browser(), nullptr);
  EXPECT_EQ(locationUrl(viewer.browser()), L"");
}

// Closing the container gives back every reference the program took. Without
// an address nothing is loading, so the test's own references are then the
// last ones. (Raw pointers, because the counts that Release returns are what
// is checked.)
TEST_F(HtmlViewerTest, DestroyingTheContainerReleasesTheBrowserAndTheSite) {
  IWebBrowser2* browser = nullptr;
  IOleClientSite* site = nullptr;
  {
    HtmlViewer viewer;
    ASSERT_TRUE(viewer.create(frame_.get(), place, {}));
    ASSERT_NE(viewer.browser(), nullptr);
    browser = viewer.browser();
    browser->AddRef();
    ComPtr<IOleObject> object;
    browser->QueryInterface(IID_IOleObject, reinterpret_cast<void**>(object.put()));
    object->GetClientSite(&site);
    ASSERT_NE(site, nullptr);
    pumpMessagesFor(100);
    DestroyWindow(viewer.window());
    EXPECT_EQ(viewer.browser(), nullptr);
    ComPtr<IOleClientSite> siteAfterClose;
    object->GetClientSite(siteAfterClose.put());
    EXPECT_FALSE(siteAfterClose);
  }
  EXPECT_EQ(site->Release(), 0u);
  EXPECT_EQ(browser->Release(), 0u);
}

// A container closed while its page is still loading gives back its own
// references all the same.
TEST_F(HtmlViewerTest, ClosingWhileLoadingReleasesTheSite) {
  HtmlViewer viewer;
  ASSERT_TRUE(viewer.create(frame_.get(), place, {L"http://127.0.0.1:9/page", 2, false, false}));
  ASSERT_NE(viewer.browser(), nullptr);
  const BrowserReferences references(viewer.browser());
  ASSERT_TRUE(references.siteReceived());
  DestroyWindow(viewer.window());
  EXPECT_EQ(references.siteReferencesKept(), 0u);
  EXPECT_GE(references.browserReferencesGivenBack(), 2u);
}

// Wine here has no HTML engine. A page that really arrives (a local file)
// makes the control look for one; no installer prompt may appear and nothing
// may hang.
TEST_F(HtmlViewerTest, LoadingAPageWithoutHtmlEngineShowsNoPrompt) {
  wchar_t folder[MAX_PATH];
  GetTempPathW(MAX_PATH, folder);
  const std::wstring path = std::wstring(folder) + L"tolvane-browser-test.html";
  std::ofstream(path.c_str()) << "<html><body>rates</body></html>";
  const int before = visibleForeignOrDialogWindows(frame_.get());

  HtmlViewer viewer;
  ASSERT_TRUE(viewer.create(frame_.get(), place, {L"file:///" + path, 2, false, false}));
  pumpMessagesFor(1500);
  EXPECT_EQ(visibleForeignOrDialogWindows(frame_.get()), before);
  DeleteFileW(path.c_str());
}

}  // namespace
}  // namespace tolvane
