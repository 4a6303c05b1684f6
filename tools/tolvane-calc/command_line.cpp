#include "command_line.hpp"

#include <string_view>

namespace tolvane::calc {

const char* const kUsage =
    "Usage: tolvane-calc [--page FILE | --url URL] [--hex] [NAME=TEXT ...]\n"
    "\n"
    "Runs the calculate command once over the main window's fields, starting from\n"
    "their initial texts, and prints every field 编辑框1 ... 编辑框16, one a line:\n"
    "the name, a tab, and the text with \\, tab, CR and LF written as \\\\, \\t, \\r, \\n.\n"
    "\n"
    "  --page FILE  the bytes of FILE are the fetched quote page\n"
    "  --url URL    fetch the quote page from URL (Windows build with the HTTP read only)\n"
    "               with neither, the fetch gives nothing, as when the server is down\n"
    "  --hex        TEXT arguments are hex bytes, and the texts are printed as hex\n"
    "  NAME=TEXT    write TEXT into field NAME before the command runs, e.g. 编辑框12=6.8;\n"
    "               TEXT is converted to GBK (use --hex for exact bytes)\n"
    "  --help       this text\n"
    "\n"
    "Exit code 0, or 2 on bad arguments (with a one-line message on stderr).\n";

namespace {

std::string takeValue(const std::vector<std::string>& arguments, std::size_t& index) {
  const std::string& option = arguments[index];
  if (index + 1 >= arguments.size()) throw UsageError(option + " needs a value");
  return arguments[++index];
}

void setOnce(std::optional<std::string>& slot, const std::string& option, std::string value) {
  if (slot) throw UsageError(option + " is given twice");
  slot = std::move(value);
}

Assignment parseAssignment(const std::string& argument) {
  const auto equals = argument.find('=');
  if (equals == std::string::npos || equals == 0) {
    throw UsageError("\"" + argument + "\" is neither an option nor NAME=TEXT");
  }
  return {argument.substr(0, equals), argument.substr(equals + 1)};
}

}  // namespace

Options parseCommandLine(const std::vector<std::string>& arguments) {
  Options options;
  for (std::size_t i = 0; i < arguments.size(); ++i) {
    const std::string& argument = arguments[i];
    if (argument == "--help" || argument == "-h") {
      options.help = true;
    } else if (argument == "--page") {
      setOnce(options.pageFile, argument, takeValue(arguments, i));
    } else if (argument == "--url") {
      setOnce(options.url, argument, takeValue(arguments, i));
    } else if (argument == "--hex") {
      options.hex = true;
    } else if (argument.starts_with("-")) {
      throw UsageError("unknown option " + argument);
    } else {
      options.assignments.push_back(parseAssignment(argument));
    }
  }
  if (options.pageFile && options.url) throw UsageError("--page and --url exclude each other");
  return options;
}

}  // namespace tolvane::calc
