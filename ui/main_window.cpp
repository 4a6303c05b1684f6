#include "main_window.hpp"

#include <ranges>

#include "controls.hpp"
#include "rate_window.hpp"
#include "visual_style.hpp"

namespace tolvane {
namespace {

constexpr int kFirstControlId = 100;
constexpr int kIconResource = 1;

HICON loadIcon(int size) {
  return static_cast<HICON>(LoadImageW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(kIconResource),
                                       IMAGE_ICON, size, size, LR_SHARED));
}

// Text and background colours of the kinds of edit box.
struct EditColours {
  COLORREF text;
  COLORREF background;
};
constexpr EditColours kDisplayColours{kDisplayText, kDisplayBackground};
constexpr EditColours kBlackOnWhite{RGB(0, 0, 0), RGB(255, 255, 255)};

COLORREF labelColour(Colours colours) { return colours == Colours::Red ? kRed : kBlue; }

}  // namespace

MainWindow::MainWindow(Application& application, HttpRead httpRead)
    : application_(application),
      httpRead_(std::move(httpRead)),
      displayBrush_(CreateSolidBrush(kDisplayColours.background)),
      whiteBrush_(CreateSolidBrush(kBlackOnWhite.background)),
      fields_([this](std::string_view field) { raiseTextChanged(field); }) {
  for (const auto& ignored : mainWindowIgnoredEvents()) {
    // The label's notification and the group boxes' button presses are not
    // dispatched at all: the default handling of those controls is all there is.
    if (ignored.event == LayoutEvent::TextChanged) onTextChanged(ignored.control, [] {});
  }
}

MainWindow::~MainWindow() {
  // The controls refer to the fonts, brushes and labels that go with this object.
  if (window()) DestroyWindow(window());
}

bool MainWindow::create() {
  registerClass(0, GetSysColorBrush(COLOR_BTNFACE), loadIcon(48),
                loadIcon(GetSystemMetrics(SM_CXSMICON)));
  const WindowLayout& layout = mainWindowLayout();
  // Centred on the screen; integer division truncates toward zero.
  const int left = (GetSystemMetrics(SM_CXSCREEN) - layout.width) / 2;
  const int top = (GetSystemMetrics(SM_CYSCREEN) - layout.height) / 2;
  const DWORD style = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_MAXIMIZEBOX;
  if (!BaseWindow::create(WS_EX_APPWINDOW | WS_EX_CONTROLPARENT, layout.title, style, left, top,
                          layout.width, layout.height, nullptr))
    return false;
  if (!createControls()) {
    DestroyWindow(window());
    return false;
  }
  raiseCreatedEvent();
  return true;
}

void MainWindow::show() { ShowWindow(window(), SW_SHOWNORMAL); }

// In reverse layout order, so that each group box exists before the controls
// inside it, and Tab follows the layout from its end: 编辑框2 comes first.
bool MainWindow::createControls() {
  const auto layout = mainWindowControls();
  for (size_t index = layout.size(); index-- > 0;) {
    const ControlLayout& row = layout[index];
    const HWND parent = row.parent == ParentName::Window ? window()
                        : row.parent == ParentName::GroupBox1 ? control("分组框1")
                                                              : control("分组框2");
    const HWND created = parent ? createControl(row, parent, kFirstControlId + static_cast<int>(index))
                                : nullptr;
    if (!created) return false;
    controls_.insert_or_assign(std::string(row.name), Control{&row, created});
    if (row.kind == LayoutKind::EditBox) fields_.add(row.name, created);
  }
  return true;
}

HWND MainWindow::createControl(const ControlLayout& layout, HWND parent, int id) {
  const HFONT font = fonts_.get(layout.font);
  switch (layout.kind) {
    case LayoutKind::EditBox:
      return createEditBox(parent, layout, id, font);
    case LayoutKind::Button:
      return createButton(parent, layout, id, font);
    case LayoutKind::GroupBox:
      return createGroupBox(parent, layout, id, font);
    case LayoutKind::Label: {
      auto label = std::make_unique<Label>();
      const Label::Look look{labelColour(layout.colours), (layout.traits & kTwoLines) != 0};
      const HWND created = label->create(parent, layout.text, layout.shown ? WS_VISIBLE : 0,
                                         layoutRectangle(layout), id, look);
      if (!created) return nullptr;
      SendMessageW(created, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
      labels_.push_back(std::move(label));
      return created;
    }
  }
  return nullptr;
}

void MainWindow::raiseCreatedEvent() { setVisualStyle(1); }

HWND MainWindow::control(std::string_view name) const {
  const auto found = controls_.find(name);
  return found == controls_.end() ? nullptr : found->second.window;
}

const MainWindow::Control* MainWindow::find(HWND window) const {
  for (const auto& [name, control] : controls_)
    if (control.window == window) return &control;
  return nullptr;
}

void MainWindow::onTextChanged(std::string_view field, std::function<void()> handler) {
  textChangedHandlers_.emplace(std::string(field), std::move(handler));
}

void MainWindow::raiseTextChanged(std::string_view field) {
  const auto [first, last] = textChangedHandlers_.equal_range(field);
  for (auto handler = first; handler != last; ++handler) handler->second();
}

// The visible, enabled tab stop with the lowest tab-order value; all have the
// same, and a tie goes to the control that comes last in the layout.
HWND MainWindow::initialFocus() const {
  for (const auto& row : std::views::reverse(mainWindowControls())) {
    const HWND candidate = control(row.name);
    if (row.tabStop && IsWindowVisible(candidate) && IsWindowEnabled(candidate)) return candidate;
  }
  return nullptr;
}

void MainWindow::onCommand(WORD code, HWND control) {
  const Control* source = find(control);
  if (!source) return;
  if (code == EN_CHANGE && source->layout->kind == LayoutKind::EditBox) {
    if (fields_.takeChangeNotification(control)) raiseTextChanged(source->layout->name);
  } else if (code == BN_CLICKED && source->layout->name == "按钮2") {
    // The mouse press moved the focus to the button, so 编辑框2 has tidied its
    // number already when it had the focus.
    calculate(fields_, httpRead_);
  } else if (code == BN_CLICKED && source->layout->name == "按钮1") {
    openRateWindow(application_);
  }
}

LRESULT MainWindow::onControlColour(UINT message, HDC dc, HWND control) {
  const Control* source = find(control);
  if (!source) return defaultHandling(message, reinterpret_cast<WPARAM>(dc), reinterpret_cast<LPARAM>(control));
  const ControlLayout& layout = *source->layout;
  if (layout.kind == LayoutKind::EditBox) {
    const bool display = layout.colours == Colours::Display;
    const EditColours& colours = display ? kDisplayColours : kBlackOnWhite;
    SetTextColor(dc, colours.text);
    SetBkColor(dc, colours.background);
    return reinterpret_cast<LRESULT>(display ? displayBrush_.get() : whiteBrush_.get());
  }
  if (layout.kind == LayoutKind::GroupBox) {
    SetTextColor(dc, kBlue);
    SetBkColor(dc, GetSysColor(COLOR_BTNFACE));
    return reinterpret_cast<LRESULT>(GetSysColorBrush(COLOR_BTNFACE));
  }
  return defaultHandling(message, reinterpret_cast<WPARAM>(dc), reinterpret_cast<LPARAM>(control));
}

LRESULT MainWindow::handleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_CREATE:
      application_.addWindow(window());
      return 0;
    case WM_DESTROY:
      application_.removeWindow(window());
      return 0;
    case WM_COMMAND:
      if (lParam) onCommand(HIWORD(wParam), reinterpret_cast<HWND>(lParam));
      return 0;
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORSTATIC:  // a standard group box asks with this one
    case WM_CTLCOLORBTN:     // the visual style asks with this one when it paints
      return onControlColour(message, reinterpret_cast<HDC>(wParam), reinterpret_cast<HWND>(lParam));
    case WM_ACTIVATE:
      if (LOWORD(wParam) == WA_INACTIVE) {
        const HWND focus = GetFocus();
        if (focus && IsChild(window(), focus)) focusWhenDeactivated_ = focus;
      }
      return defaultHandling(message, wParam, lParam);
    case WM_SETFOCUS: {
      const HWND target = focusWhenDeactivated_ && IsWindow(focusWhenDeactivated_)
                              ? focusWhenDeactivated_
                              : initialFocus();
      if (target) SetFocus(target);
      return 0;
    }
    case WM_GETFONT:
      return reinterpret_cast<LRESULT>(GetStockObject(DEFAULT_GUI_FONT));
    default:
      return defaultHandling(message, wParam, lParam);
  }
}

}  // namespace tolvane
