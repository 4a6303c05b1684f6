// What tolvane-calc does differently on Windows and on POSIX systems.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "calculate.hpp"
#include "text.hpp"

namespace tolvane::calc {

// The arguments after the program name, in UTF-8. (On Windows they come from
// the wide command line: the narrow argv is in the ANSI code page, which cannot
// hold the Chinese control names under most locales.)
std::vector<std::string> utf8Arguments(int argc, char** argv);

// A TEXT argument as a field text: converted to GBK on Windows, where the
// command line is Unicode; the bytes as given elsewhere. Nothing when the text
// holds a character that GBK cannot write.
std::optional<Text> fieldTextFromArgument(std::string_view utf8);

// Makes stdout write bytes unchanged (no CR added before LF).
void writeStdoutAsBytes();

// The HTTP read this build has, if any.
std::optional<HttpRead> networkRead();

}  // namespace tolvane::calc
