// SPDX-License-Identifier: GPL-3.0-or-later
#include "storage/Puzzle.h"

#include <algorithm>
#include <array>
#include <vector>

#include "cube/History.h"
#include "storage/NumberText.h"
#include "storage/PuzzleChecks.h"

namespace twistor::storage {

namespace {

std::string Shape(int n, long long moves) {
    return "a " + std::to_string(n) + "-cube with " + std::to_string(moves) +
           (moves == 1 ? " move" : " moves") + " has " +
           std::to_string(PuzzleLineCount(n, static_cast<int>(moves))) + " lines";
}

long long CountLines(std::string_view text) {
    const auto ends = std::count(text.begin(), text.end(), '\n');
    return ends + (!text.empty() && text.back() != '\n' ? 1 : 0);
}

bool IsBlank(std::string_view s) {
    return s.find_first_not_of(" \t\r\n") == std::string_view::npos;
}

// The lines of a text without their line ends; the last one may lack its LF.
class LineReader {
  public:
    explicit LineReader(std::string_view text) : text_(text) {}

    std::string_view Next() {
        const std::size_t end = std::min(text_.find('\n', pos_), text_.size());
        const std::string_view line = text_.substr(pos_, end - pos_);
        pos_ = std::min(end + 1, text_.size());
        ++number_;
        return line;
    }
    long long Number() const { return number_; }
    std::string_view Rest() const { return text_.substr(pos_); }

  private:
    std::string_view text_;
    std::size_t pos_ = 0;
    long long number_ = 0;
};

class Parser {
  public:
    Parser(std::string_view text, std::string_view fileName) : text_(text), file_(fileName) {}

    PuzzleRead Run() {
        PuzzleRead read;
        if (text_.empty()) {
            read.error = file_ + ": the file is empty";
            return read;
        }
        if (!CheckLineEnds() || !ReadHeader() || !CheckLineCount()) {
            read.error = std::move(error_);
            return read;
        }
        Puzzle puzzle{Cube(size_), View{face_, turn_}, axis_, {}};
        if (!ReadStickers(puzzle.cube) || !ReadHistory(puzzle.history) || !CheckNothingAfter()) {
            read.error = std::move(error_);
            return read;
        }
        if (!HistorySolves(puzzle.cube, puzzle.history)) {
            read.error = file_ + ": " + HistoryProblem(puzzle.history.size());
            return read;
        }
        read.puzzle = std::move(puzzle);
        return read;
    }

  private:
    bool Fail(const std::string& what) {
        error_ = file_ + ": " + what;
        return false;
    }
    bool FailAt(long long line, const std::string& what) {
        return Fail("line " + std::to_string(line) + ": " + what);
    }
    bool Check(long long line, const std::optional<std::string>& problem) {
        return problem ? FailAt(line, *problem) : true;
    }

    // The one value of a line. `value` stays empty for an empty line when
    // `mayBeEmpty`; `what` names the value for the messages.
    bool ReadLineValue(std::optional<long long>& value, const char* what, bool mayBeEmpty) {
        const std::string_view line = lines_.Next();
        ValueScanner scanner(line);
        const auto token = scanner.Next();
        value.reset();
        if (!token) {
            return mayBeEmpty || FailAt(lines_.Number(), std::string(what) + " is missing");
        }
        if (const auto extra = scanner.Next()) {
            return FailAt(lines_.Number(), "more than one value (" + Quote(*extra) + " follows " +
                                               Quote(*token) + ")");
        }
        return ParseValue(*token, what, value);
    }

    bool ParseValue(std::string_view token, const std::string& what,
                    std::optional<long long>& value) {
        const ParsedNumber<long long> number = ParseWhole(token);
        if (number.ok()) {
            value = number.value;
            return true;
        }
        return FailAt(lines_.Number(),
                      what + " " + Quote(token) +
                          (number.error == NumberError::OutOfRange ? " is out of range"
                                                                   : " is not a whole number"));
    }

    // Lines end in CR LF or LF. A CR alone would run lines together, which
    // is better said as such than as a line with too many values.
    bool CheckLineEnds() {
        for (std::size_t at = text_.find('\r'); at != std::string_view::npos;
             at = text_.find('\r', at + 1)) {
            if (at + 1 == text_.size() || text_[at + 1] == '\n') continue;
            if (text_.find('\n') == std::string_view::npos) {
                return Fail("the lines end in CR alone; a puzzle file's lines end in CR LF or LF");
            }
            return FailAt(1 + std::count(text_.begin(), text_.begin() + at, '\n'),
                          "a CR without an LF after it; lines end in CR LF or LF");
        }
        return true;
    }

    bool ReadHeader() {
        static constexpr const char* kNames[] = {
            "the cube size", "the front face", "the front turn", "the move count", "the move axis"};
        ValueScanner scanner(lines_.Next());
        std::array<long long, 5> v{0, 0, 0, 0, 0};
        int count = 0;
        while (const auto token = scanner.Next()) {
            if (count == 5) return FailAt(1, "the header holds more than five values");
            std::optional<long long> value;
            if (!ParseValue(*token, kNames[count], value)) return false;
            v[count++] = *value;
        }
        // The move axis may be left empty; it then reads as 0.
        if (count < 4) {
            return FailAt(1, "the header holds " + std::to_string(count) +
                                 " values; it needs the cube size, the front face, the front "
                                 "turn, the move count and the move axis");
        }
        if (!IsValidCubeSize(static_cast<int>(std::clamp(v[0], 0LL, 99LL)))) {
            return FailAt(1, "the cube size " + std::to_string(v[0]) + " is outside 2..20");
        }
        if (!Check(1, ViewProblem(v[1], v[2])) || !Check(1, MoveCountProblem(v[3])) ||
            !Check(1, AxisProblem(v[4]))) {
            return false;
        }
        size_ = static_cast<int>(v[0]);
        face_ = static_cast<int>(v[1]);
        turn_ = static_cast<int>(v[2]);
        moves_ = static_cast<int>(v[3]);
        axis_ = static_cast<int>(v[4]);
        return true;
    }

    // Checked before the values, so that a file cut short, a wrong move
    // count or a cube size that does not fit the stickers is named as such
    // rather than as a bad value on some line.
    bool CheckLineCount() {
        const long long lines = CountLines(text_);
        // A last copy line may be empty, and blank lines may follow.
        const std::size_t last = text_.find_last_not_of(" \t\r\n");
        const long long written =
            last == std::string_view::npos
                ? 0
                : 1 + std::count(text_.begin(), text_.begin() + static_cast<long>(last), '\n');
        const auto fits = [&](int n) {
            const long long expected = PuzzleLineCount(n, moves_);
            return written <= expected && expected <= lines;
        };
        for (int n = kMinCubeSize; n <= kMaxCubeSize && !fits(size_); ++n) {
            if (fits(n)) {
                return FailAt(1, "the cube size " + std::to_string(size_) +
                                     " does not fit the rest of the file: " + Shape(size_, moves_) +
                                     ", and the file holds those of a " + std::to_string(n) +
                                     "-cube");
            }
        }
        const long long expected = PuzzleLineCount(size_, moves_);
        if (lines < expected) {
            return Fail("the file ends after line " + std::to_string(lines) + "; " +
                        Shape(size_, moves_));
        }
        return true;
    }

    bool ReadStickers(Cube& cube) {
        ColourTally tally(size_);
        const int n = size_;
        for (int f = 1; f <= 6; ++f) {
            for (int j = 1; j <= n; ++j) {
                for (int i = 1; i <= n; ++i) {
                    std::optional<long long> sticker;
                    if (!ReadLineValue(sticker, "the sticker colour", false) ||
                        !Check(lines_.Number(), StickerProblem(*sticker))) {
                        return false;
                    }
                    const auto colour = static_cast<Colour>(*sticker);
                    tally.Add(colour, lines_.Number());
                    cube.SetSticker(i, j, f, colour);

                    std::optional<long long> copy;
                    if (!ReadLineValue(copy, "the sticker copy", true) ||
                        (copy && !Check(lines_.Number(), CopyProblem(*copy)))) {
                        return false;
                    }
                    cube.SetStickerCopy(i, j, f,
                                        copy ? static_cast<Colour>(*copy) : Cube::kNeverCopied);
                }
            }
        }
        if (const auto problem = tally.Finish()) {
            return problem->line > 0 ? FailAt(problem->line, problem->what) : Fail(problem->what);
        }
        return true;
    }

    bool ReadHistory(std::vector<Move>& history) {
        history.resize(static_cast<std::size_t>(moves_));
        for (int m = moves_; m >= 1; --m) {
            const long long firstLine = lines_.Number() + 1;
            std::optional<long long> axis, first, second;
            if (!ReadLineValue(axis, "the move's axis", false) ||
                !ReadLineValue(first, "the move's first value", false) ||
                !ReadLineValue(second, "the move's second value", false) ||
                !Check(firstLine, MoveProblem(m, *axis, *first, *second, size_))) {
                return false;
            }
            history[m - 1] =
                Move{static_cast<int>(*axis), static_cast<int>(*first), static_cast<int>(*second)};
        }
        return true;
    }

    // Blank lines may follow, as some editors leave them; nothing else may.
    bool CheckNothingAfter() {
        const std::string_view rest = lines_.Rest();
        if (IsBlank(rest)) return true;
        const std::size_t at = rest.find_first_not_of(" \t\r\n");
        const long long line =
            lines_.Number() + 1 + std::count(rest.begin(), rest.begin() + at, '\n');
        return FailAt(line, "text after the end of the puzzle; " + Shape(size_, moves_));
    }

    std::string_view text_;
    std::string file_;
    LineReader lines_{text_};
    std::string error_;
    int size_ = 0;
    int face_ = 0;
    int turn_ = 0;
    int moves_ = 0;
    int axis_ = 0;
};

}  // namespace

bool operator==(const Puzzle& a, const Puzzle& b) {
    if (!(a.cube == b.cube) || a.view != b.view || a.MoveAxis != b.MoveAxis ||
        a.history != b.history) {
        return false;
    }
    const int n = a.cube.CubeSize();
    for (int f = 1; f <= 6; ++f) {
        for (int j = 1; j <= n; ++j) {
            for (int i = 1; i <= n; ++i) {
                if (a.cube.StickerCopy(i, j, f) != b.cube.StickerCopy(i, j, f)) return false;
            }
        }
    }
    return true;
}

std::string FormatPuzzle(const Puzzle& p) {
    const int n = p.cube.CubeSize();
    const auto moves = static_cast<long long>(p.history.size());
    std::string out;
    out.reserve(static_cast<std::size_t>(32 + 12 * n * n * 6 + moves * 3 * 6));
    AppendNumber(out, static_cast<long long>(n));
    AppendNumber(out, static_cast<long long>(p.view.FrontFace));
    AppendNumber(out, static_cast<long long>(p.view.FrontTurn));
    AppendNumber(out, moves);
    AppendNumber(out, static_cast<long long>(p.MoveAxis));
    EndLine(out);
    for (int f = 1; f <= 6; ++f) {
        for (int j = 1; j <= n; ++j) {
            for (int i = 1; i <= n; ++i) {
                AppendNumber(out, static_cast<long long>(p.cube.Sticker(i, j, f)));
                EndLine(out);
                const Colour copy = p.cube.StickerCopy(i, j, f);
                if (copy != Cube::kNeverCopied) AppendNumber(out, static_cast<long long>(copy));
                EndLine(out);
            }
        }
    }
    for (auto m = p.history.rbegin(); m != p.history.rend(); ++m) {
        for (const int v : {m->axis, m->first, m->second}) {
            AppendNumber(out, static_cast<long long>(v));
            EndLine(out);
        }
    }
    return out;
}

PuzzleRead ParsePuzzle(std::string_view text, std::string_view fileName) {
    return Parser(WithoutByteOrderMark(text), fileName).Run();
}

PuzzleRead LoadPuzzle(const std::filesystem::path& path) {
    const FileRead file = ReadSmallFile(path, kMaxPuzzleFileBytes);
    if (!file.ok()) return {std::nullopt, file.error};
    return ParsePuzzle(file.bytes, path.string());
}

WriteStatus SavePuzzle(const std::filesystem::path& path, const Puzzle& puzzle) {
    if (const auto problem = CheckPuzzle(puzzle)) {
        return {"cannot save " + path.string() + ": " + *problem};
    }
    return WriteFileAtomically(path, FormatPuzzle(puzzle));
}

}  // namespace twistor::storage
