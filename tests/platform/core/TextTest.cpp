// Numbers, text functions and colours.
#include <gtest/gtest.h>

#include <bit>
#include <cfloat>
#include <cmath>
#include <cstdint>
#include <limits>
#include <random>

#include "platform/core/Color.h"
#include "platform/core/Numbers.h"
#include "platform/core/Text.h"

namespace vantrel {
namespace {

constexpr Integer kMax = std::numeric_limits<Integer>::max();
constexpr Integer kMin = std::numeric_limits<Integer>::min();
constexpr double kInf = std::numeric_limits<double>::infinity();
constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

TEST(ToInteger, RoundsHalvesAwayFromZeroAndSaturates) {
  // clang-format off
  const std::pair<double, Integer> cases[] = {
      {0.5, 1}, {-0.5, -1}, {2.5, 3}, {-2.5, -3}, {0.49999999999999994, 0}, {-0.0, 0},
      {2147483646.5, kMax}, {2147483647.5, kMax}, {1e300, kMax}, {kInf, kMax},
      {-2147483648.5, kMin}, {-kInf, kMin}, {kNaN, 0}, {-kNaN, 0}};
  // clang-format on
  for (const auto& [value, expected] : cases) {
    EXPECT_EQ(ToInteger(value), expected) << value;
  }
  // Near the ends of the range, and anywhere, it agrees with std::round.
  const auto reference = [](double value) {
    const double rounded = std::round(value);
    return rounded >= 2147483647.0    ? kMax
           : rounded <= -2147483648.0 ? kMin
                                      : static_cast<Integer>(rounded);
  };
  std::mt19937_64 random(5);
  std::uniform_real_distribution<double> wide(-3e9, 3e9);
  std::uniform_int_distribution<int> quarter(-8, 8);
  for (int i = 0; i < 100000; ++i) {
    const double ends = (i % 2 == 0 ? 2147483647.0 : -2147483648.0) + quarter(random) * 0.25;
    const double near = static_cast<double>(static_cast<std::int64_t>(wide(random))) +
                        quarter(random) * 0.125;
    for (double value : {ends, near, wide(random), wide(random) * 1e-9}) {
      ASSERT_EQ(ToInteger(value), reference(value)) << value;
    }
  }
  EXPECT_EQ(ToUInt64(0.5), 1u);
  EXPECT_EQ(ToUInt64(-0.4), 0u);
  EXPECT_EQ(ToUInt64(-kInf), 0u);
  EXPECT_EQ(ToUInt64(kNaN), 0u);
  EXPECT_EQ(ToUInt64(std::ldexp(1.0, 63)), UInt64{1} << 63);
  EXPECT_EQ(ToUInt64(std::nextafter(std::ldexp(1.0, 64), 0.0)), ~UInt64{0} - 2047);
  EXPECT_EQ(ToUInt64(std::ldexp(1.0, 64)), ~UInt64{0});
  EXPECT_EQ(ToUInt64(kInf), ~UInt64{0});
}

void ExpectRoundTrip(double value) {
  const std::string text = Str(value);
  ASSERT_LE(text.size(), kMaxDoubleTextBytes) << text;
  ASSERT_EQ(std::bit_cast<UInt64>(Val(text)), std::bit_cast<UInt64>(value)) << text;
}

TEST(StrVal, StrIsTheShortestTextValReadsBack) {
  std::mt19937_64 random(20240611);
  for (int checked = 0; checked < 200000;) {
    const double value = std::bit_cast<double>(random());
    if (std::isfinite(value)) {
      ExpectRoundTrip(value);
      ++checked;
    }
  }
  for (const double value : {0.0, -0.0, DBL_MAX, -DBL_MAX, DBL_MIN, std::nextafter(DBL_MIN, 0.0),
                             std::numeric_limits<double>::denorm_min(), 3.5e-310, 1.0 / 3.0}) {
    ExpectRoundTrip(value);
  }
  EXPECT_EQ(Str(-DBL_MIN).size(), kMaxDoubleTextBytes);
  EXPECT_EQ(Str(800.0), "800");
  EXPECT_EQ(Str(0.1), "0.1");
  EXPECT_EQ(Str(-1.25), "-1.25");
  EXPECT_EQ(Str(kMin), "-2147483648");
  // Whole numbers below 1e15 in digits; beyond, and for fractions, the shortest text.
  EXPECT_EQ(Str(100000.0), "100000");
  EXPECT_EQ(Str(-3e7), "-30000000");
  EXPECT_EQ(Str(999999999999999.0), "999999999999999");
  EXPECT_EQ(Str(1e15), "1e+15");
  EXPECT_EQ(Str(1e-5), "1e-05");
  EXPECT_EQ(Val("1e+05"), 100000.0);
}

TEST(StrVal, ValReadsALeadingDecimalNumber) {
  // clang-format off
  const std::pair<std::string, double> cases[] = {
      {"  12.5abc", 12.5}, {"\t-3", -3}, {"+4", 4}, {"-.5", -0.5}, {"5.", 5}, {"1E+3x", 1000},
      {"25e-1", 2.5}, {"2e", 2}, {"2e+", 2}, {"1,2", 1}, {"1 2", 1}, {"007", 7}, {"0x1A", 0},
      {"", 0}, {"abc", 0}, {".", 0}, {"-", 0}, {"- 5", 0}, {"+-5", 0}, {".e5", 0}, {"nan", 0},
      {"-inf", 0}, {"infinity", 0}, {"True", 0},
      // Out of range: the largest finite Double, or zero.
      {"1e400", DBL_MAX}, {"-1e400", -DBL_MAX}, {"1e99999999999999999999", DBL_MAX},
      {std::string(400, '9'), DBL_MAX}, {"1e-400", 0}, {"0e999999", 0},
      {"4.9e-324", std::numeric_limits<double>::denorm_min()},
      {"0." + std::string(500, '0') + "1e520", 1e19}};
  // clang-format on
  for (const auto& [text, expected] : cases) {
    EXPECT_EQ(Val(text), expected) << text;
  }
  EXPECT_TRUE(std::signbit(Val("-1e-400")));
}

TEST(TextFunctions, FieldsAndCutsAtTheEdges) {
  EXPECT_EQ(NthField("255,176,0", ",", 2), "176");
  EXPECT_EQ(NthField("255,176,0", ",", 3), "0");
  for (const Integer n : {0, -1, 4, kMax}) {
    EXPECT_EQ(NthField("255,176,0", ",", n), "");
  }
  EXPECT_EQ(NthField("12", ",", 1), "12");
  EXPECT_EQ(NthField("a,,c", ",", 2), "");
  EXPECT_EQ(NthField("a::b::c", "::", 3), "c");
  EXPECT_EQ(NthField("abc", "", 1), "abc");
  EXPECT_EQ(Left("Star.txt", 4), "Star");
  EXPECT_EQ(Right("Star.txt", 4), ".txt");
  EXPECT_EQ(Left("ab", kMax), "ab");
  EXPECT_EQ(Right("ab", kMax), "ab");
  EXPECT_EQ(Left("ab", kMin), "");
  EXPECT_EQ(Right("ab", -3), "");
  EXPECT_EQ(Len("\xC3\xA9"), 2);
  EXPECT_TRUE(TextEquals("TRUE", "True"));
  EXPECT_TRUE(TextEquals(".TXT", ".txt"));
  EXPECT_FALSE(TextEquals("True", "True "));
  EXPECT_FALSE(TextEquals("\xC3\x89", "\xC3\xA9"));  // only ASCII letters fold
  EXPECT_FALSE(TextEquals("@", "`"));
}

TEST(TextFunctions, AscAndChrOnCodePoints) {
  EXPECT_EQ(Asc(""), 0);
  EXPECT_EQ(Asc("\xE2\x82\xAC!"), 0x20AC);
  for (Integer cp = 0; cp <= 0x10FFFF; cp += (cp < 0x3000 ? 1 : 97)) {
    if (cp < 0xD800 || cp > 0xDFFF) {
      ASSERT_EQ(Asc(Chr(cp)), cp);
    }
  }
  EXPECT_EQ(Chr(0x1F600), "\xF0\x9F\x98\x80");
  for (const Integer bad : {-1, 0xD800, 0x110000, kMin}) {
    EXPECT_EQ(Chr(bad), "");
  }
  // A byte that does not start valid UTF-8 stands for itself.
  for (const char* bad : {"\xFF", "\xE2\x82", "\xC0\x80", "\xED\xA0\x80", "\xF4\x90\x80\x80"}) {
    EXPECT_EQ(Asc(bad), static_cast<unsigned char>(bad[0])) << bad;
  }
}

TEST(Color, ClampsAndPacksAsRgb565) {
  EXPECT_EQ(RGB(-5, 300, 128), (Color{0, 255, 128}));
  EXPECT_EQ(RGB(kMin, kMax, 0), (Color{0, 255, 0}));
  EXPECT_EQ(ToRGB565(Color{255, 176, 0}), 0xFD80);
  for (unsigned pixel = 0; pixel <= 0xFFFF; ++pixel) {
    ASSERT_EQ(ToRGB565(FromRGB565(static_cast<std::uint16_t>(pixel))), pixel);
  }
  EXPECT_EQ(FromRGB565(0xFFFF), (Color{255, 255, 255}));
}

}  // namespace
}  // namespace vantrel
