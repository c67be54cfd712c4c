// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/NumberText.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <iterator>
#include <string>

#include "storage/Settings.h"

namespace twistor {

namespace {

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

}  // namespace

double LeadingNumber(std::string_view text) {
    std::size_t i = 0;
    while (i < text.size() && (text[i] == ' ' || text[i] == '\t')) ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '-' || text[i] == '+')) negative = text[i++] == '-';
    // The digits with an optional decimal point, read exactly as written:
    // the number a box shows reads back as the very same number.
    // A comma is a decimal point too, as many players type one.
    std::string number;
    std::size_t digits = 0;
    for (; i < text.size() && IsDigit(text[i]); ++i, ++digits) number += text[i];
    if (i < text.size() && (text[i] == '.' || text[i] == ',')) {
        number += '.';
        for (++i; i < text.size() && IsDigit(text[i]); ++i, ++digits) number += text[i];
    }
    if (digits == 0) return 0;
    double value = 0;
    std::from_chars(number.data(), number.data() + number.size(), value, std::chars_format::fixed);
    return negative ? -value : value;
}

int ScrambleCountFrom(std::string_view text) {
    // LeadingNumber is always finite (digits past what a double holds read as 0).
    const double v = std::floor(LeadingNumber(text));
    return static_cast<int>(std::clamp(v, 0.0, static_cast<double>(storage::kMaxScrambleCount)));
}

std::string NumberText(double value) {
    if (value == 0) value = 0;  // no "-0"
    // The shortest text that reads back as the same number; fractions read
    // like ".5", as a number box shows them.
    char text[400];
    const auto end =
        std::to_chars(std::begin(text), std::end(text), value, std::chars_format::fixed).ptr;
    std::string s(text, end);
    if (s.rfind("0.", 0) == 0)
        s.erase(0, 1);
    else if (s.rfind("-0.", 0) == 0)
        s.erase(1, 1);
    return s;
}

}  // namespace twistor
