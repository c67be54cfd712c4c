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
        NameCase{"del\x7f", Kind::Refused, ""},
        // not UTF-8: a lone byte, an overlong "/", a surrogate, a cut sequence
        NameCase{"s\xf8", Kind::Refused, ""},
        NameCase{"a\xc0\xaf"
                 "b",
                 Kind::Refused, ""},
        NameCase{"\xed\xa0\x80", Kind::Refused, ""}, NameCase{"s\xc3", Kind::Refused, ""},
        NameCase{"\xf0\x9f\x8e\xb2", Kind::File, "\xf0\x9f\x8e\xb2.cube"}));

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
