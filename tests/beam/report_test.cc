#include "beam/report.h"

#include "beam/catalogue.h"

#include <gtest/gtest.h>

#include <array>
#include <bit>
#include <cmath>
#include <cstdio>
#include <limits>
#include <random>
#include <string>
#include <vector>

#include "beam/cases.h"
#include "beam/six_decimals.h"

namespace veldra::beam {
namespace {

constexpr double kInf = std::numeric_limits<double>::infinity();
constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

TEST(SixDecimals, PrintsLikePercentFWithPortableNonFiniteSpelling) {
  struct Row {
    double v;
    const char* text;
  };
  for (const Row& r : std::vector<Row>{{0.0, "0.000000"},
                                       {-0.0, "-0.000000"},
                                       {-1e-9, "-0.000000"},
                                       {1.0 / 3, "0.333333"},
                                       {2.0 / 3, "0.666667"},
                                       {0.0000005, "0.000000"},  // below the tie: 4.99..e-7
                                       {2.5e-6, "0.000003"},     // above it: 2.50..01e-6
                                       {-1234.5678915, "-1234.567892"},
                                       {1e20, "100000000000000000000.000000"},
                                       {kInf, "inf"},
                                       {-kInf, "-inf"},
                                       {kNaN, "nan"},
                                       {-kNaN, "nan"}}) {
    EXPECT_EQ(sixDecimals(r.v), r.text) << r.text;
  }
  EXPECT_EQ(sixDecimals(std::numeric_limits<double>::max()).size(), 309U + 7U);
}

TEST(SixDecimals, GivesTheDigitsOfPercentF) {
  // Random bit patterns over the whole finite range, and values of the size
  // that beams give, where rounding at the sixth decimal matters.
  std::mt19937_64 random(7);
  std::uniform_real_distribution<double> exponent(-8, 12);
  std::array<char, 400> expected{};
  for (int i = 0; i < 200'000; ++i) {
    double v = std::bit_cast<double>(random());
    if (i % 2 == 0) v = std::pow(10.0, exponent(random)) * (i % 4 == 0 ? 1 : -1);
    if (!std::isfinite(v)) continue;
    std::snprintf(expected.data(), expected.size(), "%f", v);
    ASSERT_EQ(sixDecimals(v), expected.data()) << std::hexfloat << v;
  }
}

// Values of the handbook's worked examples.
TEST(Cases, WorkedExamples) {
  const SymmetricSpan c1 = forceAtMidSpan({.F = 48, .L = 1, .E = 1, .Iy = 1, .x = 0.5});
  EXPECT_DOUBLE_EQ(c1.fm, 1);
  EXPECT_DOUBLE_EQ(c1.alphaA, 3);
  EXPECT_DOUBLE_EQ(c1.alphaB, 3);
  EXPECT_DOUBLE_EQ(c1.w, 1);

  const OffCentreForce c2 = forceOffCentre({.F = 3, .L = 3, .E = 1, .Iy = 1, .a = 1, .x = 2});
  EXPECT_DOUBLE_EQ(c2.f, 4.0 / 3);
  EXPECT_DOUBLE_EQ(c2.alphaA, 5.0 / 3);
  EXPECT_DOUBLE_EQ(c2.alphaB, 4.0 / 3);
  EXPECT_FALSE(c2.wI.has_value());
  EXPECT_TRUE(c2.wII.has_value());

  const Cantilever c7 = cantileverMoment({.F = 2, .L = 3, .E = 1, .Iy = 1, .x = 0});
  EXPECT_DOUBLE_EQ(c7.f, 9);
  EXPECT_DOUBLE_EQ(c7.alphaA, 6);
  EXPECT_DOUBLE_EQ(c7.w, 9);

  const Cantilever c10 = cantileverFallingLoad({.F = 120, .L = 1, .E = 1, .Iy = 1});
  EXPECT_DOUBLE_EQ(c10.f, 11);
  EXPECT_DOUBLE_EQ(c10.alphaA, 15);
}

TEST(Cases, ForceAtMidSpanIsSymmetricAndVanishesAtB) {
  const Inputs base{.F = 48, .L = 1, .E = 1, .Iy = 1};
  auto w = [&](double x) {
    Inputs in = base;
    in.x = x;
    return forceAtMidSpan(in).w;
  };
  EXPECT_EQ(w(1.0), 0.0);
  EXPECT_EQ(w(0.75), w(0.25));
  EXPECT_EQ(w(0.5), 1.0);
  EXPECT_EQ(resultReport(1, {.F = 48, .L = 1, .E = 1, .Iy = 1, .x = 1}),
            "Ergebnisse Biegefall 1\n"
            "fm    = 1.000000\n"
            "alphaA= 3.000000\n"
            "alphaB= 3.000000\n"
            "w(x=1.000000)= 0.000000\n");
}

TEST(Cases, ForceOffCentreUnderTheForceGivesBothPiecesEqualToF) {
  for (const double a : {0.3, 1.0, 1.5, 2.2}) {
    const OffCentreForce r = forceOffCentre({.F = 7, .L = 3, .E = 2, .Iy = 5, .a = a, .x = a});
    ASSERT_TRUE(r.wI && r.wII) << a;
    EXPECT_NEAR(*r.wI, r.f, 1e-12 * r.f) << a;
    EXPECT_NEAR(*r.wII, r.f, 1e-12 * r.f) << a;
  }
}

TEST(Report, NumbersThatNameNoCaseGiveTheHeaderAlone) {
  for (const int Nr : {0, 3, 13, 30, 33, 99, -1, 2147483647}) {
    EXPECT_EQ(resultReport(Nr, {.F = 1, .L = 2, .E = 3, .Iy = 4, .a = 1, .x = 1, .xq = 1}),
              "Ergebnisse Biegefall " + std::to_string(Nr) + "\n");
    EXPECT_EQ(findLoadCase(Nr), nullptr);
  }
  for (const int Nr : {1, 2, 31, 32, 4, 5, 6, 7, 8, 9, 10, 11, 12}) {
    EXPECT_NE(findLoadCase(Nr), nullptr);
  }
}

// Degenerate input never traps: every line of every case is still printed,
// with IEEE inf or nan where the arithmetic gives them.
TEST(Report, DegenerateInputStillPrintsEveryLine) {
  struct Row {
    int Nr;
    int lines;
  };
  const std::vector<Row> cases = {{1, 4}, {2, 7}, {31, 6}, {32, 6}, {4, 4},  {5, 5}, {6, 3},
                                  {7, 3}, {8, 3}, {9, 3},  {10, 3}, {11, 8}, {12, 8}};
  const std::vector<Inputs> inputs = {
      {},                                                   // everything zero
      {.F = 1, .L = 0, .E = 1, .Iy = 1, .a = 0.5, .x = 1},  // no span
      {.F = 1, .L = 2, .E = 0, .Iy = 1, .a = 1, .x = 1},    // no stiffness
      {.F = 1, .L = 2, .E = 1, .Iy = 1, .a = 0, .x = 0},    // force on support A
      {.F = 1, .L = 2, .E = 1, .Iy = 1, .a = 2, .x = 2},    // force on support B
      {.F = kNaN, .L = kInf, .E = 1, .Iy = 1, .a = -1, .x = 5, .xq = -3},
  };
  for (const Row& c : cases) {
    for (const Inputs& in : inputs) {
      const std::string text = resultReport(c.Nr, in);
      int lines = 0;
      for (const char ch : text) lines += ch == '\n';
      // Case 2 prints both pieces only where x == a.
      const int expected = c.Nr == 2 && in.x != in.a ? c.lines - 1 : c.lines;
      EXPECT_EQ(lines, expected + 1) << "case " << c.Nr << ":\n" << text;
    }
  }
}

TEST(Report, ForceOnASupportPrintsNonFiniteDeflectionLine) {
  const std::string text = resultReport(2, {.F = 1, .L = 2, .E = 1, .Iy = 1, .a = 0, .x = 0});
  EXPECT_NE(text.find("wI(x=0.000000)= "), std::string::npos);
  EXPECT_NE(text.find("nan"), std::string::npos) << text;
}

}  // namespace
}  // namespace veldra::beam
