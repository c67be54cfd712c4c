// SPDX-License-Identifier: GPL-3.0-or-later
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

// Well-formed UTF-8: no stray or missing continuation bytes, no overlong
// forms, no surrogates, nothing above U+10FFFF. The window shows names as
// Unicode text; a name that is not such text could not be shown, nor typed
// back, as the bytes it is.
bool IsUtf8(std::string_view s) {
    std::size_t i = 0;
    while (i < s.size()) {
        const auto b = static_cast<unsigned char>(s[i]);
        std::size_t length = 0;
        unsigned char low = 0x80;  // the range of the second byte
        unsigned char high = 0xBF;
        if (b < 0x80) {
            ++i;
            continue;
        } else if (b >= 0xC2 && b <= 0xDF) {
            length = 2;
        } else if (b >= 0xE0 && b <= 0xEF) {
            length = 3;
            if (b == 0xE0) low = 0xA0;   // overlong
            if (b == 0xED) high = 0x9F;  // surrogates
        } else if (b >= 0xF0 && b <= 0xF4) {
            length = 4;
            if (b == 0xF0) low = 0x90;   // overlong
            if (b == 0xF4) high = 0x8F;  // above U+10FFFF
        } else {
            return false;
        }
        if (s.size() - i < length) return false;
        for (std::size_t k = 1; k < length; ++k) {
            const auto c = static_cast<unsigned char>(s[i + k]);
            if (c < (k == 1 ? low : 0x80) || c > (k == 1 ? high : 0xBF)) return false;
        }
        i += length;
    }
    return true;
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
    if (!IsUtf8(boxText)) {
        return {PuzzleName::Kind::Refused, {}, "a puzzle name must be UTF-8 text"};
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
