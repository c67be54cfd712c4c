// SPDX-License-Identifier: GPL-3.0-or-later
#include "storage/NumberText.h"

#include <charconv>
#include <cmath>
#include <system_error>

namespace twistor::storage {

void AppendNumber(std::string& out, long long value) {
    char digits[24];
    const auto end = std::to_chars(std::begin(digits), std::end(digits), value).ptr;
    if (value >= 0) out += ' ';
    out.append(digits, end);
    out += ' ';
}

void AppendNumber(std::string& out, double value) {
    if (value == 0) value = 0;  // a negative zero is written as zero
    // Fixed notation in its shortest exact form: at most about 330 characters.
    char text[400];
    const auto result =
        std::to_chars(std::begin(text), std::end(text), value, std::chars_format::fixed);
    std::string_view s(text, static_cast<std::size_t>(result.ptr - text));
    const bool negative = !s.empty() && s.front() == '-';
    if (negative) s.remove_prefix(1);
    if (s.starts_with("0.")) s.remove_prefix(1);
    out += negative ? '-' : ' ';
    out += s;
    out += ' ';
}

void EndLine(std::string& out) {
    out += kLineEnd;
}

std::string_view WithoutByteOrderMark(std::string_view text) {
    constexpr std::string_view kMark = "\xEF\xBB\xBF";
    if (text.starts_with(kMark)) text.remove_prefix(kMark.size());
    return text;
}

bool IsSeparator(char c) {
    return c == ' ' || c == '\t' || c == ',' || c == '\r' || c == '\n';
}

std::optional<std::string_view> ValueScanner::Next() {
    while (pos_ < text_.size() && IsSeparator(text_[pos_])) ++pos_;
    if (pos_ == text_.size()) return std::nullopt;
    const std::size_t start = pos_;
    while (pos_ < text_.size() && !IsSeparator(text_[pos_])) ++pos_;
    return text_.substr(start, pos_ - start);
}

namespace {

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

std::size_t SkipDigits(std::string_view s, std::size_t i) {
    while (i < s.size() && IsDigit(s[i])) ++i;
    return i;
}

}  // namespace

ParsedNumber<long long> ParseWhole(std::string_view token) {
    std::size_t i = 0;
    const bool negative = !token.empty() && token[0] == '-';
    if (!token.empty() && (token[0] == '-' || token[0] == '+')) i = 1;
    if (i == token.size() || SkipDigits(token, i) != token.size()) {
        return {0, NumberError::NotANumber};
    }
    while (i + 1 < token.size() && token[i] == '0') ++i;
    if (token.size() - i > 18) return {0, NumberError::OutOfRange};
    long long value = 0;
    for (; i < token.size(); ++i) value = value * 10 + (token[i] - '0');
    return {negative ? -value : value, NumberError::None};
}

ParsedNumber<double> ParseDecimal(std::string_view token) {
    // from_chars takes no plus sign and would accept "inf" and "nan", which
    // are not numbers a player types; check the shape first.
    if (!token.empty() && token[0] == '+') token.remove_prefix(1);
    std::size_t i = !token.empty() && token[0] == '-' ? 1 : 0;
    const std::size_t intStart = i;
    i = SkipDigits(token, i);
    std::size_t mantissaDigits = i - intStart;
    if (i < token.size() && token[i] == '.') {
        const std::size_t fracStart = ++i;
        i = SkipDigits(token, i);
        mantissaDigits += i - fracStart;
    }
    constexpr ParsedNumber<double> kNotANumber{0, NumberError::NotANumber};
    if (mantissaDigits == 0) return kNotANumber;
    if (i < token.size() && (token[i] == 'e' || token[i] == 'E')) {
        ++i;
        if (i < token.size() && (token[i] == '-' || token[i] == '+')) ++i;
        const std::size_t expStart = i;
        i = SkipDigits(token, i);
        if (i == expStart) return kNotANumber;
    }
    if (i != token.size()) return kNotANumber;

    double value = 0;
    const auto result = std::from_chars(token.data(), token.data() + token.size(), value);
    if (result.ec != std::errc() || !std::isfinite(value)) return {0, NumberError::OutOfRange};
    return {value, NumberError::None};
}

std::string Quote(std::string_view token) {
    constexpr std::size_t kShown = 24;
    std::string out = "\"";
    for (std::size_t i = 0; i < token.size() && i < kShown; ++i) {
        const auto c = static_cast<unsigned char>(token[i]);
        if (c < 0x20 || c >= 0x7F || c == '"' || c == '\\') {
            static constexpr char kHex[] = "0123456789abcdef";
            out += "\\x";
            out += kHex[c >> 4];
            out += kHex[c & 0xF];
        } else {
            out += static_cast<char>(c);
        }
    }
    if (token.size() > kShown) out += "...";
    out += '"';
    return out;
}

}  // namespace twistor::storage
