#include "app/print_controller.h"

#include <gtest/gtest.h>

namespace app {
namespace {

// The months of a queue are told apart: the name, then the year and month, then the format.
TEST(JobTitle, NamesTheMonthAndTheFormat) {
    pages::PrintState state;
    state.year = 2027;
    state.month = 1;
    state.format = pages::Format::kCalendar;
    EXPECT_EQ("Kalvorin 2027-01 暦", JobTitle(state));
    state.month = 12;
    state.format = pages::Format::kKikkyouNotes;
    EXPECT_EQ("Kalvorin 2027-12 吉凶解説", JobTitle(state));
    state.format = pages::Format::kDaily;
    EXPECT_EQ("Kalvorin 2027-12 日めくり", JobTitle(state));
}

} // namespace
} // namespace app
