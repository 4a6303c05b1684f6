#include "edit_box_fields.hpp"

#include "gbk.hpp"

namespace tolvane {

void EditBoxFields::add(std::string_view name, HWND editBox) {
  fields_.insert_or_assign(std::string(name), Field{editBox, std::nullopt});
}

EditBoxFields::Field* EditBoxFields::find(std::string_view name) {
  const auto found = fields_.find(name);
  return found == fields_.end() ? nullptr : &found->second;
}

const EditBoxFields::Field* EditBoxFields::find(std::string_view name) const {
  const auto found = fields_.find(name);
  return found == fields_.end() ? nullptr : &found->second;
}

Text EditBoxFields::fieldText(std::string_view name) const {
  const Field* field = find(name);
  if (!field) return {};
  if (field->written) return *field->written;
  return toGbk(windowText(field->editBox));
}

void EditBoxFields::setFieldText(std::string_view name, std::string_view text) {
  Field* field = find(name);
  if (!field) return;
  // WM_SETTEXT is not cut by the typing limit. Its own EN_CHANGE depends on
  // the control (a multi-line edit sends none), so it is swallowed and the
  // event raised once below, whatever the control did.
  field->writing = true;
  SendMessageW(field->editBox, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(fromGbk(text).c_str()));
  field->writing = false;
  field->written = Text(text);
  written_(name);
}

bool EditBoxFields::takeChangeNotification(HWND editBox) {
  for (auto& [name, field] : fields_) {
    if (field.editBox != editBox) continue;
    if (field.writing) return false;
    field.written.reset();
    return true;
  }
  return true;
}

}  // namespace tolvane
