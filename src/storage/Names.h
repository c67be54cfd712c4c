// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace twistor::storage {

inline constexpr std::string_view kPuzzleExtension = ".cube";

// What a puzzle panel's name box asks for.
struct PuzzleName {
    enum class Kind {
        Nothing,  // the box is empty: no file is touched
        File,     // fileName is the puzzle file in the current folder
        Refused   // message says why the text cannot name a puzzle file
    };
    Kind kind = Kind::Nothing;
    std::string fileName;
    std::string message;
};

// Leading blanks are dropped and the name ends at its first ".", so a name
// copied from the file list ("lake.cube") and a typed one ("lake") give the
// same file, lake.cube; an empty name gives ".cube". Names are names in the
// current folder, never paths: a separator or a control character refuses,
// and so do bytes that are not UTF-8 text.
PuzzleName PuzzleFileName(std::string_view boxText);

// The puzzle files in `folder` as the file lists show them: regular files
// whose name the name rule maps back to themselves, so every entry picked
// opens the file it names (a name that is not UTF-8 is left out: the list
// could only show it changed). Sorted alphabetically, ignoring case. Empty when
// the folder cannot be read. Never throws.
std::vector<std::string> ListPuzzleFiles(const std::filesystem::path& folder);

}  // namespace twistor::storage
