// The calculate command: fetch the quote page, extract the quotes, compute the
// prices in yuan per gram, all through the field texts.
#pragma once

#include <functional>
#include <string_view>

#include "fields.hpp"
#include "text.hpp"

namespace tolvane {

// Reads one URL and gives back the reply body; "" when nothing could be read.
using HttpRead = std::function<Bytes(std::string_view url)>;

// The quote page address this build was configured with.
std::string_view quotePageUrl();

void calculate(Fields& fields, const HttpRead& httpRead);

}  // namespace tolvane
