#include "platform/core/Text.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstddef>
#include <limits>
#include <system_error>

namespace vantrel {

namespace {

bool IsDigit(char c) noexcept { return c >= '0' && c <= '9'; }

char AsciiLower(char c) noexcept {
  return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

// The parts of a decimal number as Val scanned them, kept so that an
// out-of-range result can be told apart as overflow or underflow.
struct NumberScan {
  std::size_t begin = 0;      // first digit or '.'
  std::size_t end = 0;        // one past the number
  std::size_t intDigits = 0;  // digits before the point
  std::size_t fracBegin = 0;  // first digit after the point
  std::size_t fracDigits = 0;
  long long exponent = 0;  // saturated well beyond any Double's range
};

std::size_t SkipDigits(std::string_view text, std::size_t i) noexcept {
  while (i < text.size() && IsDigit(text[i])) {
    ++i;
  }
  return i;
}

// Scans digits, fraction and exponent from i. False when no digit is there.
bool ScanNumber(std::string_view text, std::size_t i, NumberScan& scan) {
  scan.begin = i;
  i = SkipDigits(text, i);
  scan.intDigits = i - scan.begin;
  if (i < text.size() && text[i] == '.') {
    scan.fracBegin = i + 1;
    const std::size_t fracEnd = SkipDigits(text, scan.fracBegin);
    scan.fracDigits = fracEnd - scan.fracBegin;
    if (scan.intDigits > 0 || scan.fracDigits > 0) {
      i = fracEnd;
    }
  }
  if (scan.intDigits == 0 && scan.fracDigits == 0) {
    return false;
  }
  scan.end = i;
  // An exponent counts only when it has a digit: "2e" and "2e+" read as 2.
  if (i < text.size() && (text[i] == 'e' || text[i] == 'E')) {
    std::size_t j = i + 1;
    bool negative = false;
    if (j < text.size() && (text[j] == '+' || text[j] == '-')) {
      negative = text[j] == '-';
      ++j;
    }
    if (j < text.size() && IsDigit(text[j])) {
      long long value = 0;
      for (; j < text.size() && IsDigit(text[j]); ++j) {
        value = std::min<long long>(value * 10 + (text[j] - '0'), 1'000'000'000);
      }
      scan.exponent = negative ? -value : value;
      scan.end = j;
    }
  }
  return true;
}

// Decimal exponent of the first significant digit plus one; only its sign
// matters, to tell a too-large number from a too-small one.
long long Magnitude(std::string_view text, const NumberScan& scan) {
  for (std::size_t k = 0; k < scan.intDigits; ++k) {
    if (text[scan.begin + k] != '0') {
      return static_cast<long long>(scan.intDigits - k) + scan.exponent;
    }
  }
  for (std::size_t k = 0; k < scan.fracDigits; ++k) {
    if (text[scan.fracBegin + k] != '0') {
      return -static_cast<long long>(k) + scan.exponent;
    }
  }
  return std::numeric_limits<long long>::min();
}

// Decodes the UTF-8 sequence at the start of text; -1 when it is not valid.
long DecodeUtf8(std::string_view text) noexcept {
  const auto lead = static_cast<unsigned char>(text[0]);
  // Lead byte ranges that start a sequence of 2, 3 or 4 bytes; C0, C1 and
  // F5 to FF can only start overlong or out-of-range sequences.
  std::size_t length = 0;
  long smallest = 0;
  if (lead >= 0xC2 && lead <= 0xDF) {
    length = 2;
    smallest = 0x80;
  } else if (lead >= 0xE0 && lead <= 0xEF) {
    length = 3;
    smallest = 0x800;
  } else if (lead >= 0xF0 && lead <= 0xF4) {
    length = 4;
    smallest = 0x10000;
  } else {
    return -1;
  }
  long codePoint = lead & (0x7F >> length);
  if (text.size() < length) {
    return -1;
  }
  for (std::size_t k = 1; k < length; ++k) {
    const auto next = static_cast<unsigned char>(text[k]);
    if ((next & 0xC0) != 0x80) {
      return -1;
    }
    codePoint = (codePoint << 6) | (next & 0x3F);
  }
  const bool surrogate = codePoint >= 0xD800 && codePoint <= 0xDFFF;
  if (codePoint < smallest || codePoint > 0x10FFFF || surrogate) {
    return -1;
  }
  return codePoint;
}

}  // namespace

std::string Str(Integer value) { return std::to_string(value); }
std::string Str(long value) { return std::to_string(value); }
std::string Str(unsigned long value) { return std::to_string(value); }

std::string Str(double value) {
  // Whole numbers below 1e15 are written out in digits, as people write them
  // ("100000", not "1e+05"); every such number has at most 15 digits, so the
  // text still reads back to exactly this Double. Other values get the
  // shortest text that reads back, in plain or exponent form.
  char buffer[64];
  const bool whole = std::abs(value) < 1e15 && std::trunc(value) == value;
  const auto result =
      whole ? std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed)
            : std::to_chars(buffer, buffer + sizeof buffer, value);
  return std::string(buffer, result.ptr);
}

double Val(std::string_view text) {
  std::size_t i = 0;
  while (i < text.size() && (text[i] == ' ' || text[i] == '\t')) {
    ++i;
  }
  bool negative = false;
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
    negative = text[i] == '-';
    ++i;
  }
  // Scanning the grammar ourselves keeps "nan", "inf" and hexadecimal text,
  // which from_chars would accept, reading as 0.
  NumberScan scan;
  if (!ScanNumber(text, i, scan)) {
    return 0.0;
  }
  double value = 0.0;
  const char* first = text.data() + scan.begin;
  const auto result =
      std::from_chars(first, text.data() + scan.end, value, std::chars_format::general);
  if (result.ec == std::errc::result_out_of_range) {
    value = Magnitude(text, scan) > 0 ? std::numeric_limits<double>::max() : 0.0;
  } else if (result.ec != std::errc()) {
    value = 0.0;
  }
  return negative ? -value : value;
}

std::string NthField(std::string_view text, std::string_view separator, Integer n) {
  if (n < 1) {
    return {};
  }
  if (separator.empty()) {
    return n == 1 ? std::string(text) : std::string();
  }
  std::size_t start = 0;
  for (Integer field = 1; field < n; ++field) {
    const std::size_t found = text.find(separator, start);
    if (found == std::string_view::npos) {
      return {};
    }
    start = found + separator.size();
  }
  const std::size_t end = text.find(separator, start);
  return std::string(text.substr(start, end == std::string_view::npos ? end : end - start));
}

std::string Left(std::string_view text, Integer count) {
  if (count <= 0) {
    return {};
  }
  return std::string(text.substr(0, static_cast<std::size_t>(count)));
}

std::string Right(std::string_view text, Integer count) {
  if (count <= 0) {
    return {};
  }
  const auto wanted = static_cast<std::size_t>(count);
  return std::string(wanted >= text.size() ? text : text.substr(text.size() - wanted));
}

Integer Len(std::string_view text) {
  const std::size_t limit = static_cast<std::size_t>(std::numeric_limits<Integer>::max());
  return static_cast<Integer>(std::min(text.size(), limit));
}

Integer Asc(std::string_view text) {
  if (text.empty()) {
    return 0;
  }
  const auto lead = static_cast<unsigned char>(text[0]);
  if (lead < 0x80) {
    return lead;
  }
  // A byte that does not start valid UTF-8 stands for itself, so Asc never
  // fails on text read from an unknown file.
  const long codePoint = DecodeUtf8(text);
  return codePoint < 0 ? Integer{lead} : static_cast<Integer>(codePoint);
}

std::string Chr(Integer codePoint) {
  if (codePoint < 0 || codePoint > 0x10FFFF || (codePoint >= 0xD800 && codePoint <= 0xDFFF)) {
    return {};
  }
  const auto cp = static_cast<unsigned>(codePoint);
  std::string out;
  if (cp < 0x80) {
    out += static_cast<char>(cp);
  } else if (cp < 0x800) {
    out += static_cast<char>(0xC0 | (cp >> 6));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  } else if (cp < 0x10000) {
    out += static_cast<char>(0xE0 | (cp >> 12));
    out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  } else {
    out += static_cast<char>(0xF0 | (cp >> 18));
    out += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
    out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  }
  return out;
}

bool TextEquals(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) {
    return false;
  }
  for (std::size_t i = 0; i < a.size(); ++i) {
    if (AsciiLower(a[i]) != AsciiLower(b[i])) {
      return false;
    }
  }
  return true;
}

}  // namespace vantrel
