// The fields over the main window's edit boxes.
//
// A wide-character edit control cannot hold every GBK byte string (bytes that
// are not valid GBK do not survive the conversion), so each field keeps the
// bytes the program wrote into it and gives them back until the user changes
// the text; from then on the text is read from the control.
#pragma once

#include <windows.h>

#include <functional>
#include <map>
#include <optional>
#include <string>

#include "fields.hpp"

namespace tolvane {

class EditBoxFields : public Fields {
 public:
  // Called once after each write, as the field's text-changed event.
  using TextChangedEvent = std::function<void(std::string_view name)>;
  explicit EditBoxFields(TextChangedEvent written) : written_(std::move(written)) {}

  void add(std::string_view name, HWND editBox);

  Text fieldText(std::string_view name) const override;
  void setFieldText(std::string_view name, std::string_view text) override;

  // The window passes every EN_CHANGE on. Returns false for the control's own
  // notifications during a write, which the write replaces by exactly one
  // event of its own; otherwise the user (or the field itself) changed the
  // text, and the kept bytes no longer apply.
  bool takeChangeNotification(HWND editBox);

 private:
  struct Field {
    HWND editBox;
    std::optional<Text> written;  // the program's bytes, while they are what the field shows
    bool writing = false;
  };

  Field* find(std::string_view name);
  const Field* find(std::string_view name) const;

  std::map<std::string, Field, std::less<>> fields_;
  TextChangedEvent written_;
};

}  // namespace tolvane
