#include "storage/Names.h"

#include <algorithm>
#include <system_error>
#include <tuple>

namespace twistor::storage {

namespace {

// The longest file name common file systems take.
constexpr std::size_t kMaxFileNameBytes = 255;

bool IsControl(char c) {
    const auto u = static_cast<unsigned char>(c);
    return u < 0x20 || u == 0x7F;
}

char LowerAscii(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

bool LessIgnoringCase(const std::string& a, const std::string& b) {
    const auto lower = [](const std::string& s) {
        std::string out = s;
        std::transform(out.begin(), out.end(), out.begin(), LowerAscii);
        return out;
    };
    return std::forward_as_tuple(lower(a), a) < std::forward_as_tuple(lower(b), b);
}

}  // namespace

PuzzleName PuzzleFileName(std::string_view boxText) {
    if (boxText.empty()) return {};
    for (const char c : boxText) {
        if (c == '/' || c == '\\') {
            return {PuzzleName::Kind::Refused,
                    {},
                    "a puzzle name cannot contain \"/\" or \"\\\": puzzles are kept in the "
                    "current folder"};
        }
        if (IsControl(c)) {
            return {
                PuzzleName::Kind::Refused, {}, "a puzzle name cannot contain control characters"};
        }
    }
    const std::size_t start = boxText.find_first_not_of(' ');
    std::string_view base =
        start == std::string_view::npos ? std::string_view{} : boxText.substr(start);
    base = base.substr(0, base.find('.'));
    std::string fileName = std::string(base) + std::string(kPuzzleExtension);
    if (fileName.size() > kMaxFileNameBytes) {
        return {PuzzleName::Kind::Refused,
                {},
                "a puzzle name can be at most " +
                    std::to_string(kMaxFileNameBytes - kPuzzleExtension.size()) + " bytes long"};
    }
    return {PuzzleName::Kind::File, std::move(fileName), {}};
}

std::vector<std::string> ListPuzzleFiles(const std::filesystem::path& folder) {
    std::vector<std::string> names;
    std::error_code ec;
    std::filesystem::directory_iterator it(folder, ec);
    for (; !ec && it != std::filesystem::directory_iterator(); it.increment(ec)) {
        std::error_code typeError;
        if (!it->is_regular_file(typeError)) continue;
        std::string name = it->path().filename().string();
        const PuzzleName rule = PuzzleFileName(name);
        if (rule.kind == PuzzleName::Kind::File && rule.fileName == name) {
            names.push_back(std::move(name));
        }
    }
    std::sort(names.begin(), names.end(), LessIgnoringCase);
    return names;
}

}  // namespace twistor::storage
