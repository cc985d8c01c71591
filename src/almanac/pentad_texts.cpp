#include "almanac/commentary_texts.h"

namespace almanac {

// Placeholder until the content is written.
const std::array<std::string_view, 72> PentadTexts = {};

} // namespace almanac
