// SPDX-License-Identifier: GPL-3.0-or-later
// Any bytes as a puzzle file: the parser must refuse with a message or return
// a sound puzzle, and a puzzle it returns must write out and parse back the
// same, byte for byte.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string_view>

#include "storage/Puzzle.h"

using namespace twistor::storage;

namespace {

[[noreturn]] void Fault(const char* what) {
    std::fprintf(stderr, "puzzle_fuzz: %s\n", what);
    std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const PuzzleRead read = ParsePuzzle(text, "fuzz.cube");
    if (!read.puzzle) {
        if (read.error.empty()) Fault("refused without a message");
        return 0;
    }
    if (!read.error.empty()) Fault("a message with an accepted puzzle");
    if (CheckPuzzle(*read.puzzle)) Fault("accepted a puzzle that cannot be saved");

    const std::string written = FormatPuzzle(*read.puzzle);
    const PuzzleRead again = ParsePuzzle(written, "fuzz.cube");
    if (!again.puzzle) Fault("a written puzzle does not parse");
    if (!(*again.puzzle == *read.puzzle)) Fault("the puzzle changed on the way through a file");
    if (FormatPuzzle(*again.puzzle) != written) Fault("writing is not stable");
    return 0;
}
