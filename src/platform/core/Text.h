#pragma once
// Text functions with the framework's names. Texts are UTF-8 std::strings;
// Len, Left and Right count bytes (the program only ever cuts ASCII suffixes
// such as ".txt"), Asc and Chr work on Unicode code points.
#include <cstddef>
#include <string>
#include <string_view>

#include "Numbers.h"

namespace vantrel {

std::string Str(Integer value);
std::string Str(long value);
std::string Str(unsigned long value);
// The shortest decimal text that Val reads back to the same Double.
std::string Str(double value);
// The longest text Str gives a Double: a sign, 17 digits, a point and an
// exponent such as "e-308" ("-2.2250738585072014e-308").
inline constexpr std::size_t kMaxDoubleTextBytes = 24;

// Reads a leading decimal number (optional blanks, sign, digits, fraction,
// exponent). Text without a number, "nan" and "inf" give 0. A number too large
// for a Double gives the largest finite Double of its sign.
double Val(std::string_view text);

// Field n (counted from 1) of text split at separator; "" when missing.
std::string NthField(std::string_view text, std::string_view separator, Integer n);

std::string Left(std::string_view text, Integer count);
std::string Right(std::string_view text, Integer count);
Integer Len(std::string_view text);
// Code point of the first character; 0 for empty text.
Integer Asc(std::string_view text);
// The character with the given code point, UTF-8 encoded; "" for an invalid one.
std::string Chr(Integer codePoint);

// The program's one text comparison: equal ignoring ASCII letter case, the way
// users of a desktop program expect "Star.TXT" to carry the ".txt" extension
// and "true" to read as "True".
bool TextEquals(std::string_view a, std::string_view b);

}  // namespace vantrel
