// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include "app/NumberText.h"

namespace twistor {
namespace {

TEST(LeadingNumber, ReadsTheNumberAtTheStartOfABox) {
    EXPECT_EQ(LeadingNumber("3"), 3);
    EXPECT_EQ(LeadingNumber("  12"), 12);
    EXPECT_EQ(LeadingNumber("2x"), 2);
    EXPECT_EQ(LeadingNumber("x2"), 0);
    EXPECT_EQ(LeadingNumber(""), 0);
    EXPECT_EQ(LeadingNumber("-5"), -5);
    EXPECT_EQ(LeadingNumber("-"), 0);
    EXPECT_EQ(LeadingNumber("0,5"), 0.5);  // a decimal comma, as many players type it
    EXPECT_EQ(LeadingNumber(",5"), 0.5);
    EXPECT_EQ(LeadingNumber("1.5,5"), 1.5);
}

TEST(ScrambleCountFrom, StaysWithinWhatTheHistoryCanHold) {
    EXPECT_EQ(ScrambleCountFrom("3"), 3);
    EXPECT_EQ(ScrambleCountFrom("-7"), 0);
    EXPECT_EQ(ScrambleCountFrom("2.9"), 2);  // a fraction would never count down to 0
    EXPECT_EQ(ScrambleCountFrom("99"), 99);
    EXPECT_EQ(ScrambleCountFrom("123456"), 99);
    EXPECT_EQ(ScrambleCountFrom("abc"), 0);
}

}  // namespace
}  // namespace twistor
