// SPDX-License-Identifier: GPL-3.0-or-later
#include "storage/Settings.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <span>
#include <utility>

#include "cube/Cube.h"
#include "storage/NumberText.h"

namespace twistor::storage {

namespace {

constexpr int kColourSlots = 6;
constexpr int kValuesOnLine = 10;  // the tenth is always empty

// A number in a message: as short as it reads.
std::string Shown(double v) {
    char text[64];
    const auto end = std::to_chars(std::begin(text), std::end(text), v).ptr;
    return std::string(text, end);
}

bool IsWhole(double v) {
    return std::isfinite(v) && std::floor(v) == v;
}

// Each returns why a value cannot be the field, or an empty string when it can.
std::string ColourProblem(double v) {
    if (IsWhole(v) && IsFaceColour(static_cast<int>(std::clamp(v, -1.0, 16.0)))) return {};
    return Shown(v) + " is not one of the fourteen face colours (1..15 except 7)";
}

std::string SizeProblem(double v) {
    if (!IsWhole(v)) return Shown(v) + " is not a whole number";
    if (v < kMinCubeSize || v > kMaxCubeSize) return Shown(v) + " is outside 2..20";
    return {};
}

std::string CountProblem(double v) {
    if (!IsWhole(v)) return Shown(v) + " is not a whole number";
    if (v < 0 || v > kMaxScrambleCount) return Shown(v) + " is outside 0..99";
    return {};
}

std::string TimeProblem(double v) {
    if (!std::isfinite(v)) return Shown(v) + " is not a number";
    // The option's box holds two characters.
    if (v < kLowestTurnTime || v > kHighestTurnTime) return Shown(v) + " is outside -9..99";
    return {};
}

std::string ColourList(std::span<const int, kColourSlots> colours) {
    std::string list;
    for (int c : colours) list += (list.empty() ? "" : ", ") + std::to_string(c);
    return list;
}

// Sets the setting that value `position` (1..9) stands for to v, unless
// `problem` already says why not or v does not fit it; then `problem` says
// why. Returns the setting's name and the default it keeps instead.
std::pair<std::string, std::string> TakeValue(Settings& s, int position, double v,
                                              std::string& problem) {
    const Settings defaults;
    if (position <= kColourSlots) {
        const int slot = position - 1;
        if (problem.empty()) problem = ColourProblem(v);
        if (problem.empty()) s.FaceColor[slot] = static_cast<int>(v);
        return {"colour " + std::to_string(position), std::to_string(defaults.FaceColor[slot])};
    }
    if (position == 7) {
        if (problem.empty()) problem = SizeProblem(v);
        if (problem.empty()) s.CubeSize = static_cast<int>(v);
        return {"cube size", std::to_string(defaults.CubeSize)};
    }
    if (position == 8) {
        if (problem.empty()) problem = CountProblem(v);
        if (problem.empty()) s.ScrambleCount = static_cast<int>(v);
        return {"scramble count", std::to_string(defaults.ScrambleCount)};
    }
    if (problem.empty()) problem = TimeProblem(v);
    if (problem.empty()) s.MinTurnTime = v;
    return {"rotation time", Shown(defaults.MinTurnTime)};
}

}  // namespace

std::string FormatSettings(const Settings& s) {
    std::string line;
    for (int c : s.FaceColor) AppendNumber(line, static_cast<long long>(c));
    AppendNumber(line, static_cast<long long>(s.CubeSize));
    AppendNumber(line, static_cast<long long>(s.ScrambleCount));
    AppendNumber(line, s.MinTurnTime);
    EndLine(line);
    return line;
}

SettingsRead ParseSettings(std::string_view fileText, std::string_view fileName) {
    const std::string_view text = WithoutByteOrderMark(fileText);
    SettingsRead read;
    read.found = true;
    Settings& s = read.settings;
    const Settings defaults;
    const std::string file(fileName);

    ValueScanner scanner(text);
    int position = 0;
    while (const auto token = scanner.Next()) {
        ++position;
        if (position > kValuesOnLine) {
            read.problems.push_back(file + ": values after the tenth are ignored");
            break;
        }
        if (position == kValuesOnLine) continue;  // a scratch value, never used

        std::string problem;
        const ParsedNumber<double> number = ParseDecimal(*token);
        if (number.error == NumberError::NotANumber) problem = Quote(*token) + " is not a number";
        if (number.error == NumberError::OutOfRange) problem = Quote(*token) + " is out of range";
        const auto [field, fallback] = TakeValue(s, position, number.value, problem);
        if (!problem.empty()) {
            const auto line = 1 + std::count(text.data(), token->data(), '\n');
            read.problems.push_back(file + ", line " + std::to_string(line) + ", value " +
                                    std::to_string(position) + " (" + field + "): " + problem +
                                    "; using " + fallback);
        }
    }

    if (position == 0) {
        read.problems.push_back(file +
                                ": the file holds no values; every setting keeps its default");
    } else if (position < kValuesOnLine - 1) {
        read.problems.push_back(file + ": the file ends after value " + std::to_string(position) +
                                "; the settings after it keep their defaults");
    }
    // A repeated colour would leave a face without a colour of its own. The
    // message is appended in two parts: copied as one, its tail leaves the
    // fragment "defaul" in the binary, which lintian reads as a misspelling.
    if (!IsValidColourSet(s.FaceColor)) {
        read.problems.push_back(file + ": the colours " + ColourList(s.FaceColor) +
                                " are not six different colours" + "; using the default colours");
        s.FaceColor = defaults.FaceColor;
    }
    return read;
}

SettingsRead ReadSettings(const std::filesystem::path& path) {
    const FileRead file = ReadSmallFile(path, kMaxSettingsFileBytes);
    if (!file.ok()) {
        SettingsRead read;
        read.found = file.found;
        if (file.found) read.problems.push_back(file.error + "; using the default settings");
        return read;
    }
    return ParseSettings(file.bytes, path.string());
}

std::vector<std::string> CheckSettings(const Settings& s) {
    std::vector<std::string> problems;
    auto check = [&problems](const std::string& field, const std::string& problem) {
        if (!problem.empty()) problems.push_back(field + " " + problem);
    };
    for (int k = 0; k < kColourSlots; ++k) {
        check("colour " + std::to_string(k + 1) + ":", ColourProblem(s.FaceColor[k]));
    }
    if (problems.empty() && !IsValidColourSet(s.FaceColor)) {
        problems.push_back("the colours " + ColourList(s.FaceColor) +
                           " are not six different colours");
    }
    check("cube size:", SizeProblem(s.CubeSize));
    check("scramble count:", CountProblem(s.ScrambleCount));
    check("rotation time:", TimeProblem(s.MinTurnTime));
    return problems;
}

WriteStatus SaveSettings(const std::filesystem::path& path, const Settings& settings) {
    const std::vector<std::string> problems = CheckSettings(settings);
    if (!problems.empty()) return {"cannot save " + path.string() + ": " + problems.front()};
    return WriteFileAtomically(path, FormatSettings(settings));
}

}  // namespace twistor::storage
