#include "fields.hpp"

namespace tolvane {

MemoryFields MemoryFields::withInitialTexts() {
  MemoryFields fields;
  fields.setFieldText("编辑框10", "0.81");
  fields.setFieldText("编辑框11", "0.990");
  return fields;
}

Text MemoryFields::fieldText(std::string_view name) const {
  const auto found = texts_.find(name);
  return found == texts_.end() ? Text() : found->second;
}

void MemoryFields::setFieldText(std::string_view name, std::string_view text) {
  texts_.insert_or_assign(std::string(name), Text(text));
}

}  // namespace tolvane
