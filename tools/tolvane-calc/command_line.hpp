// The command line of tolvane-calc: its options, how they are read, and the
// help text.
#pragma once

#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

namespace tolvane::calc {

// A NAME=TEXT argument as typed: TEXT is still UTF-8, or hex with --hex.
struct Assignment {
  std::string name;
  std::string text;
};

struct Options {
  bool help = false;
  std::optional<std::string> pageFile;  // UTF-8 path
  std::optional<std::string> url;
  bool hex = false;
  std::vector<Assignment> assignments;
};

// A command line that cannot be run; the message is one line.
struct UsageError : std::runtime_error {
  using std::runtime_error::runtime_error;
};

// Reads the arguments after the program name (UTF-8); throws UsageError.
Options parseCommandLine(const std::vector<std::string>& arguments);

extern const char* const kUsage;

}  // namespace tolvane::calc
