#include <gtest/gtest.h>

#include "app/Captions.h"

namespace twistor {
namespace {

TEST(Captions, TitleModeAndNumbersWithoutBlanks) {
    EXPECT_EQ(PracticeCaption(), "Twistor Cube (Practice-mode)");
    EXPECT_EQ(GameCaption(3), "Twistor Cube (Solving \"3 by 3 by 3\" Twistor-cubes)");
    EXPECT_EQ(GameCaption(12), "Twistor Cube (Solving \"12 by 12 by 12\" Twistor-cubes)");
    EXPECT_EQ(CubesSolvedText(0), "Number of cubes solved: 0");
    EXPECT_EQ(CubesSolvedText(15), "Number of cubes solved: 15");
    EXPECT_EQ(DifficultyText(14), "Difficulty level: 14");
}

}  // namespace
}  // namespace twistor
