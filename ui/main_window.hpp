// The main window: the 36 controls of the layout, the fields over its edit
// boxes, and the two buttons' clicks.
#pragma once

#include <windows.h>

#include <functional>
#include <map>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "application.hpp"
#include "base_window.hpp"
#include "calculate.hpp"
#include "edit_box_fields.hpp"
#include "fonts.hpp"
#include "label.hpp"
#include "layout.hpp"
#include "scoped_handles.hpp"

namespace tolvane {

class MainWindow : public BaseWindow<MainWindow> {
 public:
  static const wchar_t* className() { return L"TolvaneMainWindow"; }

  // httpRead is what 按钮2's calculate command fetches the quote page with.
  MainWindow(Application& application, HttpRead httpRead);
  ~MainWindow() override;

  // Creates the window hidden, centred, with all its controls, then raises
  // its created event (which switches the visual style on). False when the
  // window or one of its controls could not be created.
  bool create();
  // Shows the window at its normal size.
  void show();

  // The fields over the sixteen edit boxes.
  Fields& fields() { return fields_; }
  // The control with this layout name; null for an unknown name.
  HWND control(std::string_view name) const;

  // Adds a handler to a field's text-changed event, which typing raises and
  // each write of the program raises once.
  void onTextChanged(std::string_view field, std::function<void()> handler);

 private:
  friend class BaseWindow<MainWindow>;

  struct Control {
    const ControlLayout* layout;
    HWND window;
  };

  LRESULT handleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
  bool createControls();
  HWND createControl(const ControlLayout& layout, HWND parent, int id);
  void raiseCreatedEvent();
  void raiseTextChanged(std::string_view field);
  const Control* find(HWND window) const;
  HWND initialFocus() const;

  void onCommand(WORD code, HWND control);
  LRESULT onControlColour(UINT message, HDC dc, HWND control);

  Application& application_;
  HttpRead httpRead_;
  Fonts fonts_;
  ScopedBrush displayBrush_;
  ScopedBrush whiteBrush_;
  std::vector<std::unique_ptr<Label>> labels_;
  std::map<std::string, Control, std::less<>> controls_;
  std::multimap<std::string, std::function<void()>, std::less<>> textChangedHandlers_;
  EditBoxFields fields_;
  HWND focusWhenDeactivated_ = nullptr;
};

}  // namespace tolvane
