// SPDX-License-Identifier: GPL-3.0-or-later
#include "storage/Names.h"

#include <gtest/gtest.h>

#include "TestFiles.h"

namespace twistor::storage {
namespace {

using Kind = PuzzleName::Kind;
using testing::TempFolder;
using testing::WriteBytes;

// The file each text in the name box names in the current folder ("lake.cube"
// as picked from a list); nothing where the text is refused, with a message
// that says why.
TEST(NameRule, GivesTheFileInTheCurrentFolderOrRefuses) {
    // clang-format off
    const std::pair<std::string_view, std::string_view> names[] = {
        {"lake", "lake.cube"}, {"lake.cube", "lake.cube"}, {"  lake", "lake.cube"},
        {"  lake.cube", "lake.cube"}, {"lake  ", "lake  .cube"}, {"my.lake.cube", "my.cube"},
        {"a.b", "a.cube"}, {"Lake Two", "Lake Two.cube"}, {"s\xc3\xb8", "s\xc3\xb8.cube"},
        {"   ", ".cube"}, {".x", ".cube"}, {".", ".cube"}, {"..", ".cube"},
        {"../x", ""}, {"a/b", ""}, {"/etc/passwd", ""}, {"a\\b", ""}, {"lake\t", ""},
        {"lake\n", ""}, {std::string_view("la\0ke", 5), ""}, {"del\x7f", ""}};
    // clang-format on
    for (const auto& [box, file] : names) {
        const PuzzleName name = PuzzleFileName(box);
        EXPECT_EQ(name.kind, file.empty() ? Kind::Refused : Kind::File) << box;
        EXPECT_EQ(name.fileName, file) << box;
        EXPECT_EQ(name.message.empty(), !file.empty()) << name.message;
    }
    EXPECT_EQ(PuzzleFileName("").kind, Kind::Nothing);
    EXPECT_EQ(PuzzleFileName("").message, "");
}

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
