#include "almanac/commentary_texts.h"

#include <gtest/gtest.h>

namespace almanac {
namespace {

TEST(CommentaryTexts, TablesHaveTheirSizes) {
    EXPECT_EQ(72u, PentadTexts.size());
    EXPECT_EQ(104u, KikkyouCommentary.size());
}

} // namespace
} // namespace almanac
