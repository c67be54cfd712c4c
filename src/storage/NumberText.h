// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <optional>
#include <string>
#include <string_view>

// Numbers as the game's text files hold them: one blank before a value that
// is not negative, a minus sign before a negative one, one blank after every
// value, CR LF at the end of each line. Files written by any version of the
// game must load in every other, so the layout is kept to the byte.
namespace twistor::storage {

inline constexpr std::string_view kLineEnd = "\r\n";

void AppendNumber(std::string& out, long long value);

// Whole values are written as whole numbers; fractions in the shortest form
// that reads back exactly, without a leading zero (".5", "-.5", "12.5").
void AppendNumber(std::string& out, double value);

void EndLine(std::string& out);

// Editors may start a UTF-8 text with a byte-order mark; it is no part of
// the text.
std::string_view WithoutByteOrderMark(std::string_view text);

// Values are separated by any run of blanks, tabs, commas, CR or LF.
bool IsSeparator(char c);

// Walks the values of a text one at a time.
class ValueScanner {
  public:
    explicit ValueScanner(std::string_view text) : text_(text) {}

    // The next value, or nothing at the end of the text.
    std::optional<std::string_view> Next();

  private:
    std::string_view text_;
    std::size_t pos_ = 0;
};

enum class NumberError { None, NotANumber, OutOfRange };

template <typename T>
struct ParsedNumber {
    T value{};
    NumberError error = NumberError::None;
    bool ok() const { return error == NumberError::None; }
};

// A whole number in plain decimal digits with an optional sign. Never
// overflows: anything with more than 18 significant digits is OutOfRange.
ParsedNumber<long long> ParseWhole(std::string_view token);

// Plain decimal conversion: an optional sign, digits with an optional
// fraction (".5" and "3." included) and an optional exponent. "inf", "nan"
// and hexadecimal are not numbers; values beyond a double are OutOfRange.
ParsedNumber<double> ParseDecimal(std::string_view token);

// A value as it can be shown in a message: quoted, bytes other than printable
// ASCII escaped and long values cut short.
std::string Quote(std::string_view token);

}  // namespace twistor::storage
