#include "almanac/commentary_texts.h"

namespace almanac {

// Placeholder until the content is written.
const std::array<ColoredLine, 104> KikkyouCommentary = {};

} // namespace almanac
