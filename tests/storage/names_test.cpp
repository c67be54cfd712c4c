#include "storage/Names.h"

#include <gtest/gtest.h>

#include "TestFiles.h"

namespace twistor::storage {
namespace {

using Kind = PuzzleName::Kind;
using testing::TempFolder;
using testing::WriteBytes;

struct NameCase {
    std::string_view box;
    Kind kind;
    const char* fileName;
};

class NameRule : public ::testing::TestWithParam<NameCase> {};

TEST_P(NameRule, GivesTheFileInTheCurrentFolder) {
    const PuzzleName name = PuzzleFileName(GetParam().box);
    EXPECT_EQ(name.kind, GetParam().kind);
    EXPECT_EQ(name.fileName, GetParam().fileName);
    EXPECT_EQ(name.message.empty(), GetParam().kind != Kind::Refused) << name.message;
}

INSTANTIATE_TEST_SUITE_P(
    Texts, NameRule,
    ::testing::Values(
        NameCase{"lake", Kind::File, "lake.cube"},
        NameCase{"lake.cube", Kind::File, "lake.cube"},  // picked from a list
        NameCase{"  lake", Kind::File, "lake.cube"},
        NameCase{"  lake.cube", Kind::File, "lake.cube"},
        NameCase{"lake  ", Kind::File, "lake  .cube"},
        NameCase{"my.lake.cube", Kind::File, "my.cube"}, NameCase{"a.b", Kind::File, "a.cube"},
        NameCase{"Lake Two", Kind::File, "Lake Two.cube"},
        NameCase{"s\xc3\xb8", Kind::File, "s\xc3\xb8.cube"}, NameCase{"", Kind::Nothing, ""},
        NameCase{"   ", Kind::File, ".cube"}, NameCase{".x", Kind::File, ".cube"},
        NameCase{".", Kind::File, ".cube"}, NameCase{"..", Kind::File, ".cube"},
        NameCase{"../x", Kind::Refused, ""}, NameCase{"a/b", Kind::Refused, ""},
        NameCase{"/etc/passwd", Kind::Refused, ""}, NameCase{"a\\b", Kind::Refused, ""},
        NameCase{"lake\t", Kind::Refused, ""}, NameCase{"lake\n", Kind::Refused, ""},
        NameCase{std::string_view("la\0ke", 5), Kind::Refused, ""},
        NameCase{"del\x7f", Kind::Refused, ""}));

// The first and last character of each length of UTF-8 load; one step beyond
// (overlong, a surrogate, above U+10FFFF, a stray or cut sequence) is refused.
TEST(NameRule, TakesUtf8UpToEachEdgeOfItsForms) {
    for (const char* good : {"\xc2\x80", "\xdf\xbf", "\xe0\xa0\x80", "\xed\x9f\xbf", "\xef\xbf\xbf",
                             "\xf0\x90\x80\x80", "\xf4\x8f\xbf\xbf"}) {
        EXPECT_EQ(PuzzleFileName(good).fileName, good + std::string(".cube"));
    }
    for (const char* bad : {"\x80", "\xc1\xbf", "\xe0\x9f\xbf", "\xed\xa0\x80", "\xf0\x8f\xbf\xbf",
                            "\xf4\x90\x80\x80", "\xf5\x80\x80\x80", "\xc2\x7f", "\xc2\xc0",
                            "\xe1\x80\xc0", "s\xc3", "\xf1\x80\x80"}) {
        EXPECT_EQ(PuzzleFileName(bad).kind, Kind::Refused) << bad;
    }
}

TEST(NameRule, NameTooLongForTheFileSystemIsRefused) {
    EXPECT_EQ(PuzzleFileName(std::string(250, 'a')).kind, Kind::File);
    const PuzzleName name = PuzzleFileName(std::string(251, 'a'));
    EXPECT_EQ(name.kind, Kind::Refused);
    EXPECT_NE(name.message.find("250"), std::string::npos) << name.message;
    // Only the base name counts.
    EXPECT_EQ(PuzzleFileName("a." + std::string(300, 'b')).fileName, "a.cube");
}

TEST(PuzzleList, ShowsPuzzleFilesThatOpenUnderTheirOwnName) {
    TempFolder folder;
    for (const char* name :
         {"lake.cube", "Apple.cube", "b.cube", ".cube", "my.lake.cube", " lead.cube", "notes.txt",
          "x.CUBE", "lake.cube.bak", ".twistor-1-1.tmp", "s\xf8.cube"}) {
        WriteBytes(folder / name, "x");
    }
    std::filesystem::create_directory(folder / "dir.cube");
    std::filesystem::create_symlink("lake.cube", folder / "link.cube");
    std::filesystem::create_symlink("missing", folder / "dangling.cube");

    EXPECT_EQ(
        ListPuzzleFiles(folder.Path()),
        (std::vector<std::string>{".cube", "Apple.cube", "b.cube", "lake.cube", "link.cube"}));
}

}  // namespace
}  // namespace twistor::storage
