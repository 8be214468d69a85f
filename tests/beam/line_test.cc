#include "beam/line.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <limits>
#include <ostream>
#include <vector>

#include "beam/cases.h"

namespace veldra::beam {
namespace {

constexpr int kPoints = 401;  // 400 steps on a span

// A 4 m steel beam (N, mm), its load fitting the case, and what key g prints
// for it: where the largest deflection lies and its size.
struct LineCase {
  std::int32_t Nr;
  double F;
  double (*xm)(const Inputs&);  // printed xm, or where the case's fm or f lies
  double (*fm)(const Inputs&);  // printed fm (cantilevers: f), a size
  double (*w)(const Inputs&);   // printed deflection line at in.x
  double tolerance;             // of fm, relative: 400 steps, or case 5's rounded constants
  bool cantilever;
};

void PrintTo(const LineCase& c, std::ostream* os) { *os << "case " << c.Nr; }

Inputs beam(const LineCase& c) {
  return {.F = c.F, .L = 4'000, .E = 210'000, .Iy = 8.356e7, .a = c.Nr == 2 ? 1'500.0 : 1'200.0};
}

double midSpan(const Inputs& in) { return in.L / 2; }
double freeEnd(const Inputs& /*in*/) { return 0; }

const std::vector<LineCase> kCases = {
    {1, 10'000, midSpan, [](const Inputs& in) { return forceAtMidSpan(in).fm; },
     [](const Inputs& in) { return forceAtMidSpan(in).w; }, 1e-5, false},
    {2, 10'000, [](const Inputs& in) { return forceOffCentre(in).xm; },
     [](const Inputs& in) { return forceOffCentre(in).fm; },
     [](const Inputs& in) { return *forceOffCentre(in).wI; }, 1e-5, false},
    {31, 1e7, [](const Inputs& in) { return momentAtA(in).xm; },
     [](const Inputs& in) { return momentAtA(in).fm; },
     [](const Inputs& in) { return momentAtA(in).w; }, 1e-5, false},
    {32, 1e7, [](const Inputs& in) { return momentAtB(in).xm; },
     [](const Inputs& in) { return momentAtB(in).fm; },
     [](const Inputs& in) { return momentAtB(in).w; }, 1e-5, false},
    {4, 5, midSpan, [](const Inputs& in) { return uniformLoad(in).fm; },
     [](const Inputs& in) { return uniformLoad(in).w; }, 1e-5, false},
    {5, 5, [](const Inputs& in) { return triangularLoad(in).xm; },
     [](const Inputs& in) { return triangularLoad(in).fm; },
     [](const Inputs& in) { return triangularLoad(in).w; }, 1e-3, false},
    {6, 10'000, freeEnd, [](const Inputs& in) { return cantileverForce(in).f; },
     [](const Inputs& in) { return cantileverForce(in).w; }, 1e-5, true},
    {7, 1e7, freeEnd, [](const Inputs& in) { return cantileverMoment(in).f; },
     [](const Inputs& in) { return cantileverMoment(in).w; }, 1e-5, true},
    {8, 5, freeEnd, [](const Inputs& in) { return cantileverUniformLoad(in).f; },
     [](const Inputs& in) { return cantileverUniformLoad(in).w; }, 1e-5, true},
    {9, 5, freeEnd, [](const Inputs& in) { return cantileverRisingLoad(in).f; },
     [](const Inputs& in) { return cantileverRisingLoad(in).w; }, 1e-5, true},
    {10, 5, freeEnd, [](const Inputs& in) { return cantileverFallingLoad(in).f; },
     [](const Inputs& in) { return cantileverFallingLoad(in).w; }, 1e-5, true},
    {11, 10'000, [](const Inputs& in) { return overhangForce(in).xm; },
     [](const Inputs& in) { return overhangForce(in).fm; },
     [](const Inputs& in) { return overhangForce(in).w; }, 1e-5, false},
    {12, 5, [](const Inputs& in) { return overhangUniformLoad(in).xm; },
     [](const Inputs& in) { return overhangUniformLoad(in).fm; },
     [](const Inputs& in) { return overhangUniformLoad(in).w; }, 1e-5, false},
};

class SampledLine : public ::testing::TestWithParam<LineCase> {};

TEST_P(SampledLine, AgreesWithWhatKeyGPrints) {
  const LineCase& c = GetParam();
  Inputs in = beam(c);
  const DeflectionLine line = sampleDeflectionLine(c.Nr, in, kPoints);
  ASSERT_EQ(line.status, LineStatus::kSampled);
  ASSERT_EQ(line.points.size(), static_cast<std::size_t>(kPoints));
  const double fm = c.fm(in);
  const double spacing = in.L / (kPoints - 1);
  const bool overhang = c.Nr == 11 || c.Nr == 12;
  const auto atB = std::find_if(line.points.begin(), line.points.end(),
                                [&](const LinePoint& p) { return p.at == in.L; });
  ASSERT_NE(atB, line.points.end()) << "support B is a sample";
  const auto b = static_cast<std::size_t>(atB - line.points.begin());
  ASSERT_EQ(overhang, b + 1 < line.points.size());

  // Zero where the beam is held; a clamp holds its slope at zero too.
  EXPECT_LE(std::abs(line.points[b].w), 1e-9 * fm);
  if (c.cantilever) {
    const double slope = (line.points[b].w - line.points[b - 1].w) / spacing;
    EXPECT_LE(std::abs(slope), 1e-2 * fm / in.L) << "slope at the clamp";
  } else {
    EXPECT_EQ(line.points.front().at, 0.0);
    EXPECT_LE(std::abs(line.points.front().w), 1e-9 * fm);
  }

  // The extreme between the supports: at the printed xm, of the printed size.
  EXPECT_NEAR(line.extreme.at, c.xm(in), spacing + (c.Nr == 5 ? 1e-3 * in.L : 0));
  EXPECT_NEAR(std::abs(line.extreme.w), fm, c.tolerance * fm);

  // At a coordinate that is a sample, the printed line itself.
  in.x = line.points[100].at;
  EXPECT_EQ(line.points[100].w, c.w(in));
  if (overhang) {
    const Overhang r = c.Nr == 11 ? overhangForce(in) : overhangUniformLoad(in);
    EXPECT_EQ(line.points.back().at, in.L + in.a) << "the end C is a sample";
    EXPECT_NEAR(line.points.back().w, r.f, 1e-12 * r.f);
    EXPECT_LT(line.extreme.w, 0) << "the span deflects against the load";
  }
}

INSTANTIATE_TEST_SUITE_P(AllCases, SampledLine, ::testing::ValuesIn(kCases),
                         [](const ::testing::TestParamInfo<LineCase>& p) {
                           return "case_" + std::to_string(p.param.Nr);
                         });

TEST(SampledLine, SaysWhyThereIsNoLine) {
  constexpr double kInf = std::numeric_limits<double>::infinity();
  const Inputs steel{.F = 10'000, .L = 4'000, .E = 210'000, .Iy = 8.356e7, .a = 1'500};
  struct Row {
    std::int32_t Nr;
    Inputs in;
    LineStatus status;
  };
  for (const Row& r : std::vector<Row>{
           {0, steel, LineStatus::kNoSuchCase},
           {3, steel, LineStatus::kNoSuchCase},
           {1, {}, LineStatus::kNoSpan},
           {1, {.F = 1, .L = -2, .E = 1, .Iy = 1}, LineStatus::kNoSpan},
           {6, {.F = 1, .L = kInf, .E = 1, .Iy = 1}, LineStatus::kNoSpan},
           {11, {.F = 1, .L = 4, .E = 1, .Iy = 1, .a = 0}, LineStatus::kNoSpan},
           {2, {.F = 1, .L = 4, .E = 1, .Iy = 1, .a = 5}, LineStatus::kForceOffTheSpan},
           {2, {.F = 1, .L = 4, .E = 1, .Iy = 1, .a = -1}, LineStatus::kForceOffTheSpan},
           {2, {.F = 1, .L = 4, .E = 1, .Iy = 1, .a = 0}, LineStatus::kForceOnASupport},
           {2, {.F = 1, .L = 4, .E = 1, .Iy = 1, .a = 4}, LineStatus::kForceOnASupport},
           {2, {.F = 1, .L = 4, .E = 0, .Iy = 1, .a = 3}, LineStatus::kNotFinite},
           {4, {.F = 1, .L = 4, .E = 0, .Iy = 1}, LineStatus::kNotFinite},
           {8, {.F = std::nan(""), .L = 4, .E = 1, .Iy = 1}, LineStatus::kNotFinite},
       }) {
    const DeflectionLine line = sampleDeflectionLine(r.Nr, r.in, 50);
    EXPECT_EQ(line.status, r.status) << "case " << r.Nr;
    EXPECT_TRUE(line.points.empty()) << "case " << r.Nr;
  }
  EXPECT_EQ(sampleDeflectionLine(4, steel, 0).points.size(), 3U) << "at least three points";
}

}  // namespace
}  // namespace veldra::beam
