// tolvane-calc: runs the calculate command once over an in-memory field store
// that starts from the main window's initial texts, and prints the fields.
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "calculate.hpp"
#include "command_line.hpp"
#include "fields.hpp"
#include "platform.hpp"
#include "printed_text.hpp"

namespace tolvane::calc {

namespace {

constexpr int kFieldCount = 16;

std::string fieldName(int number) { return "编辑框" + std::to_string(number); }

bool isFieldName(std::string_view name) {
  for (int number = 1; number <= kFieldCount; ++number) {
    if (name == fieldName(number)) return true;
  }
  return false;
}

Text assignedText(const Assignment& assignment, bool hex) {
  if (hex) {
    const auto bytes = fromHex(assignment.text);
    if (!bytes) throw UsageError("the text for " + assignment.name + " is not hex: " + assignment.text);
    if (bytes->find('\0') != std::string::npos) {
      throw UsageError("the text for " + assignment.name + " holds a zero byte, which no text can");
    }
    return *bytes;
  }
  const auto text = fieldTextFromArgument(assignment.text);
  if (!text) {
    throw UsageError("the text for " + assignment.name + " holds a character GBK cannot write (try --hex)");
  }
  return *text;
}

void applyAssignments(Fields& fields, const Options& options) {
  for (const Assignment& assignment : options.assignments) {
    if (!isFieldName(assignment.name)) {
      throw UsageError("unknown control name " + assignment.name + " (the fields are 编辑框1 to 编辑框16)");
    }
    fields.setFieldText(assignment.name, assignedText(assignment, options.hex));
  }
}

Bytes fileBytes(const std::string& utf8Path) {
  const std::filesystem::path path(std::u8string(utf8Path.begin(), utf8Path.end()));
  std::error_code error;
  std::ifstream file;
  if (!std::filesystem::is_directory(path, error)) file.open(path, std::ios::binary);
  if (!file.is_open()) throw UsageError("cannot read the page file " + utf8Path);
  Bytes bytes(std::istreambuf_iterator<char>(file), {});
  if (file.bad()) throw UsageError("cannot read the page file " + utf8Path);
  return bytes;
}

// Where the command's fetch gets its page: a file, a URL, or nowhere (a fetch
// that yields nothing, as when the server cannot be reached).
HttpRead quotePageRead(const Options& options) {
  if (options.pageFile) {
    return [page = fileBytes(*options.pageFile)](std::string_view) { return page; };
  }
  if (options.url) {
    const auto read = networkRead();
    if (!read) throw UsageError("fetching is not available in this build (use --page FILE)");
    return [read = *read, url = *options.url](std::string_view) { return read(url); };
  }
  return [](std::string_view) { return Bytes(); };
}

void printFields(const Fields& fields, bool hex) {
  writeStdoutAsBytes();
  for (int number = 1; number <= kFieldCount; ++number) {
    const std::string name = fieldName(number);
    const Text text = fields.fieldText(name);
    const std::string line = name + '\t' + (hex ? toHex(text) : escaped(text)) + '\n';
    std::fwrite(line.data(), 1, line.size(), stdout);
  }
}

int run(const std::vector<std::string>& arguments) {
  const Options options = parseCommandLine(arguments);
  if (options.help) {
    std::fputs(kUsage, stdout);
    return 0;
  }
  MemoryFields fields = MemoryFields::withInitialTexts();
  applyAssignments(fields, options);
  const HttpRead read = quotePageRead(options);
  calculate(fields, read);
  printFields(fields, options.hex);
  if (std::fflush(stdout) != 0) {
    std::fputs("tolvane-calc: cannot write the output\n", stderr);
    return 1;
  }
  return 0;
}

}  // namespace

}  // namespace tolvane::calc

int main(int argc, char** argv) {
  try {
    return tolvane::calc::run(tolvane::calc::utf8Arguments(argc, argv));
  } catch (const tolvane::calc::UsageError& error) {
    std::fprintf(stderr, "tolvane-calc: %s\n", error.what());
    return 2;
  }
}
