// SPDX-License-Identifier: GPL-3.0-or-later
#include "TestFiles.h"

#include <algorithm>
#include <array>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <stdexcept>

#include "cube/History.h"
#include "cube/Random.h"
#include "cube/Scrambler.h"

namespace twistor::storage {

void PrintTo(const Puzzle& p, std::ostream* os) {
    *os << p.cube.CubeSize() << "-cube, view (" << p.view.FrontFace << ", " << p.view.FrontTurn
        << "), axis " << p.MoveAxis << ", " << p.history.size() << " moves";
}

void PrintTo(const Settings& s, std::ostream* os) {
    *os << "colours";
    for (int c : s.FaceColor) *os << ' ' << c;
    *os << ", size " << s.CubeSize << ", scramble " << s.ScrambleCount << ", time "
        << s.MinTurnTime;
}

}  // namespace twistor::storage

namespace twistor::storage::testing {

namespace fs = std::filesystem;

TempFolder::TempFolder() {
    std::string pattern = (fs::temp_directory_path() / "twistor-storage-XXXXXX").string();
    if (::mkdtemp(pattern.data()) == nullptr) throw std::runtime_error("mkdtemp failed");
    path_ = pattern;
}

TempFolder::~TempFolder() {
    std::error_code ec;
    fs::remove_all(path_, ec);
}

std::vector<std::string> TempFolder::Entries() const {
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(path_)) {
        names.push_back(entry.path().filename().string());
    }
    std::sort(names.begin(), names.end());
    return names;
}

std::string ReadBytes(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

void WriteBytes(const fs::path& path, std::string_view bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

Puzzle ScrambledPuzzle(int n, int moves, std::uint64_t seed) {
    Puzzle p{Cube(n), View{}, 0, {}};
    Random rnd(seed);
    const std::array<int, 6> colours{10, 9, 12, 13, 14, 15};
    DealColours(p.cube, colours, rnd);
    History history;
    Scrambler scrambler;
    for (int k = 0; k < moves; ++k) scrambler.Step(p.cube, p.view, history, rnd);
    p.history.assign(history.Entries().begin(), history.Entries().end());
    p.MoveAxis = p.history.empty() ? 0 : p.history.back().axis;
    return p;
}

std::vector<std::string> SplitLines(std::string_view text) {
    std::vector<std::string> lines;
    std::size_t start = 0;
    for (std::size_t end; (end = text.find("\r\n", start)) != std::string_view::npos;
         start = end + 2) {
        lines.emplace_back(text.substr(start, end - start));
    }
    if (start < text.size()) lines.emplace_back(text.substr(start));
    return lines;
}

std::string JoinLines(const std::vector<std::string>& lines) {
    std::string text;
    for (const auto& line : lines) text += line + "\r\n";
    return text;
}

}  // namespace twistor::storage::testing
