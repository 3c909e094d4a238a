#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace halcyx {

// Taking the instrument's answers apart. An answer is whatever arrived within a bounded
// read: it still holds the echo of the command, may be cut short at the byte limit, and
// after a wrong baud rate or a line fault may hold any bytes at all. Every function here
// stays inside the text it is given and fails rather than guess.

// The received bytes as text. NUL bytes are dropped so that marker words after line
// noise are still found and values never carry a terminator into a text field.
std::string answerText(std::span<const std::uint8_t> bytes);

// True when the answer holds the marker anywhere.
bool contains(std::string_view answer, std::string_view marker);

// The value of a "KEY = value" answer: everything after the first "=", without carriage
// returns, line feeds and spaces. Fails on an empty answer or one without "=".
std::optional<std::string> ExtractValue(std::string_view answer);

// The text after the first marker up to the next carriage return or the end ("TIME is
// 12:00:00\r" gives "12:00:00"). Fails without the marker or when nothing follows it.
std::optional<std::string> lineAfter(std::string_view answer, std::string_view marker);

// Exactly count characters starting skip characters after the first marker. Fails
// without the marker or when the answer ends before count characters.
std::optional<std::string> fieldAfter(std::string_view answer, std::string_view marker,
                                      std::size_t count, std::size_t skip = 0);

// The decimal number after the first marker, blanks allowed before it. Fails without
// the marker or the number. Numbers beyond the int range saturate.
std::optional<int> numberAfter(std::string_view answer, std::string_view marker);

// The decimal number the text begins with, 0 when it does not begin with a digit.
// Numbers beyond the int range saturate.
int leadingNumber(std::string_view text);

// The decimal fraction the text begins with (blanks skipped), 0 when there is none.
// Independent of the process locale: a firmware text "2.10" is 2.1 everywhere.
float leadingFloat(std::string_view text);

} // namespace halcyx
