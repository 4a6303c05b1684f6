// The named texts the calculate command works on: the main window's edit boxes
// in the program, an in-memory map in tests and tools.
#pragma once

#include <map>
#include <string>
#include <string_view>

#include "text.hpp"

namespace tolvane {

class Fields {
 public:
  virtual ~Fields() = default;
  // The field's text, byte for byte as last written; "" when it is empty.
  virtual Text fieldText(std::string_view name) const = 0;
  virtual void setFieldText(std::string_view name, std::string_view text) = 0;
};

// A map of named texts. A field never written reads as "".
class MemoryFields : public Fields {
 public:
  // The main window's texts when it opens: "0.81" in 编辑框10, "0.990" in 编辑框11.
  static MemoryFields withInitialTexts();

  Text fieldText(std::string_view name) const override;
  void setFieldText(std::string_view name, std::string_view text) override;

 private:
  std::map<std::string, Text, std::less<>> texts_;
};

}  // namespace tolvane
