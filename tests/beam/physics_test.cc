// The closed forms against an independent beam solver: the bending moment from
// statics, integrated twice under the support conditions of each case. A wrong
// factor, sign or exponent in a handbook formula shows up here, where a test
// copied from the same page would repeat it.

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <functional>
#include <optional>
#include <ostream>
#include <string>
#include <utility>
#include <vector>

#include "beam/cases.h"

namespace veldra::beam {
namespace {

// ---------------------------------------------------------------- quadrature

// Five-point Gauss-Legendre: exact for polynomials up to degree nine, which
// covers every load and moment line here.
double integrate(const std::function<double(double)>& g, double from, double to) {
  static constexpr std::array<double, 5> kNode = {0.0, -0.5384693101056831, 0.5384693101056831,
                                                  -0.9061798459386640, 0.9061798459386640};
  static constexpr std::array<double, 5> kWeight = {0.5688888888888889, 0.4786286704993665,
                                                    0.4786286704993665, 0.2369268850561891,
                                                    0.2369268850561891};
  const double half = (to - from) / 2, mid = (to + from) / 2;
  double sum = 0;
  for (std::size_t i = 0; i < kNode.size(); ++i) sum += kWeight[i] * g(mid + half * kNode[i]);
  return sum * half;
}

// The integral over [from, to], split where the integrand changes its formula.
double integratePiecewise(const std::function<double(double)>& g, double from, double to,
                          const std::vector<double>& breaks) {
  std::vector<double> points{from};
  for (const double b : breaks) {
    if (b > from && b < to) points.push_back(b);
  }
  points.push_back(to);
  std::sort(points.begin(), points.end());
  double sum = 0;
  for (std::size_t i = 0; i + 1 < points.size(); ++i) sum += integrate(g, points[i], points[i + 1]);
  return sum;
}

// ------------------------------------------------------------------- statics

// Loads acting downwards (positive): point forces and a line load q(s) on
// [qFrom, qTo]. Point moments are given as their moment line directly.
struct Loading {
  std::vector<std::pair<double, double>> forces{};  // position, force
  std::function<double(double)> q{};
  double qFrom = 0, qTo = 0;
  std::function<double(double)> momentLine{};  // sagging positive, replaces statics
};

// Moment at x of the loads left of x about x.
double loadMomentLeftOf(const Loading& load, double x) {
  double m = 0;
  for (const auto& [p, F] : load.forces) {
    if (p < x) m += F * (x - p);
  }
  if (load.q && x > load.qFrom) {
    const double to = std::min(x, load.qTo);
    m += integrate([&](double s) { return load.q(s) * (x - s); }, load.qFrom, to);
  }
  return m;
}

enum class Support { TwoSupports, ClampedAtB };

// The bending moment line (sagging positive) of a statically determinate beam:
// supports at 0 and L (the beam may run on beyond L), or clamped at L and free at 0.
std::function<double(double)> momentLine(const Loading& load, Support support, double L) {
  if (load.momentLine) return load.momentLine;
  if (support == Support::ClampedAtB) {
    return [load](double x) { return -loadMomentLeftOf(load, x); };
  }
  double total = 0, aboutA = 0;
  for (const auto& [p, F] : load.forces) {
    total += F;
    aboutA += F * p;
  }
  if (load.q) {
    total += integrate(load.q, load.qFrom, load.qTo);
    aboutA += integrate([&](double s) { return load.q(s) * s; }, load.qFrom, load.qTo);
  }
  const double RB = aboutA / L, RA = total - RB;
  return [load, RA, RB, L](double x) {
    return RA * x + (x > L ? RB * (x - L) : 0.0) - loadMomentLeftOf(load, x);
  };
}

// EI w'' = -M, integrated twice: w(x) = c0 + c1 x - (1/EI) int_0^x (x - s) M(s) ds.
class DeflectionLine {
 public:
  DeflectionLine(const Loading& load, Support support, double L, double EI,
                 std::vector<double> breaks)
      : M_(momentLine(load, support, L)), EI_(EI), breaks_(std::move(breaks)) {
    if (support == Support::TwoSupports) {
      c0_ = 0;                   // w(0) = 0
      c1_ = bent(L) / (EI * L);  // w(L) = 0
    } else {
      c1_ = turned(L) / EI;          // w'(L) = 0
      c0_ = bent(L) / EI - c1_ * L;  // w(L) = 0
    }
  }

  double w(double x) const { return c0_ + c1_ * x - bent(x) / EI_; }
  double slope(double x) const { return c1_ - turned(x) / EI_; }

  // The point of [lo, hi] where |w| is largest, found where the slope vanishes.
  double largest(double lo, double hi) const {
    constexpr int kSamples = 400;
    int best = 0;
    double bestSize = -1;
    for (int i = 0; i <= kSamples; ++i) {
      const double size = std::abs(w(lo + (hi - lo) * i / kSamples));
      if (size > bestSize) best = i, bestSize = size;
    }
    double a = lo + (hi - lo) * std::max(best - 1, 0) / kSamples;
    double b = lo + (hi - lo) * std::min(best + 1, kSamples) / kSamples;
    if (slope(a) * slope(b) > 0) return lo + (hi - lo) * best / kSamples;
    for (double m = (a + b) / 2; a < m && m < b; m = (a + b) / 2) {
      (slope(a) * slope(m) <= 0 ? b : a) = m;
    }
    return (a + b) / 2;
  }

 private:
  double turned(double x) const { return integratePiecewise(M_, 0, x, breaks_); }
  double bent(double x) const {
    return integratePiecewise([&](double s) { return (x - s) * M_(s); }, 0, x, breaks_);
  }

  std::function<double(double)> M_;
  double EI_;
  std::vector<double> breaks_;
  double c0_ = 0, c1_ = 0;
};

// ------------------------------------------------------------- the 13 cases

// A closed-form result in one shape for every case; unset what a case lacks.
struct Closed {
  std::optional<double> f{}, xf{}, fm{}, xm{}, alpha{}, alphaA{}, alphaB{}, w{}, wq{};
};

struct Case {
  int Nr;
  Support support;
  bool overhang;
  bool roundedPeak;  // fm and xm are handbook roundings
  std::function<Loading(const Inputs&)> load;
  std::function<Closed(const Inputs&)> closed;
};

Closed fromSpan(const SymmetricSpan& r, double L) {
  return {.xf = L / 2, .fm = r.fm, .xm = L / 2, .alphaA = r.alphaA, .alphaB = r.alphaB, .w = r.w};
}
Closed fromEndMoment(const EndMoment& r) {
  return {.f = r.f,
          .xf = r.xf,
          .fm = r.fm,
          .xm = r.xm,
          .alphaA = r.alphaA,
          .alphaB = r.alphaB,
          .w = r.w};
}
Closed fromCantilever(const Cantilever& r) {
  return {.f = r.f, .xf = 0.0, .alphaA = r.alphaA, .w = r.w};
}
Closed fromOverhang(const Overhang& r, double xf) {
  return {.f = r.f,
          .xf = xf,
          .fm = r.fm,
          .xm = r.xm,
          .alpha = r.alpha,
          .alphaA = r.alphaA,
          .alphaB = r.alphaB,
          .w = r.w,
          .wq = r.wq};
}

Loading force(double at, double F) { return {.forces = {{at, F}}}; }
Loading lineLoad(std::function<double(double)> q, double from, double to) {
  return {.q = std::move(q), .qFrom = from, .qTo = to};
}
Loading momentLineOnly(std::function<double(double)> M) { return {.momentLine = std::move(M)}; }

const std::vector<Case>& allCases() {
  using S = Support;
  static const std::vector<Case> cases = {
      {1, S::TwoSupports, false, false, [](const Inputs& in) { return force(in.L / 2, in.F); },
       [](const Inputs& in) { return fromSpan(forceAtMidSpan(in), in.L); }},
      {2, S::TwoSupports, false, false, [](const Inputs& in) { return force(in.a, in.F); },
       [](const Inputs& in) {
         const OffCentreForce r = forceOffCentre(in);
         return Closed{.f = r.f,
                       .xf = in.a,
                       .fm = r.fm,
                       .xm = r.xm,
                       .alphaA = r.alphaA,
                       .alphaB = r.alphaB,
                       .w = r.wI ? r.wI : r.wII};
       }},
      // A moment F at one end: the moment line falls linearly to the other end.
      {31, S::TwoSupports, false, false,
       [](const Inputs& in) {
         return momentLineOnly([F = in.F, L = in.L](double x) { return F * (1 - x / L); });
       },
       [](const Inputs& in) { return fromEndMoment(momentAtA(in)); }},
      {32, S::TwoSupports, false, false,
       [](const Inputs& in) {
         return momentLineOnly([F = in.F, L = in.L](double x) { return F * x / L; });
       },
       [](const Inputs& in) { return fromEndMoment(momentAtB(in)); }},
      {4, S::TwoSupports, false, false,
       [](const Inputs& in) { return lineLoad([q = in.F](double) { return q; }, 0, in.L); },
       [](const Inputs& in) { return fromSpan(uniformLoad(in), in.L); }},
      {5, S::TwoSupports, false, true,
       [](const Inputs& in) {
         return lineLoad([q = in.F, L = in.L](double s) { return q * s / L; }, 0, in.L);
       },
       [](const Inputs& in) {
         const TriangularSpan r = triangularLoad(in);
         return Closed{.fm = r.fm, .xm = r.xm, .alphaA = r.alphaA, .alphaB = r.alphaB, .w = r.w};
       }},
      {6, S::ClampedAtB, false, false, [](const Inputs& in) { return force(0, in.F); },
       [](const Inputs& in) { return fromCantilever(cantileverForce(in)); }},
      // A moment F at the free end bends the whole cantilever alike (hogging).
      {7, S::ClampedAtB, false, false,
       [](const Inputs& in) { return momentLineOnly([F = in.F](double) { return -F; }); },
       [](const Inputs& in) { return fromCantilever(cantileverMoment(in)); }},
      {8, S::ClampedAtB, false, false,
       [](const Inputs& in) { return lineLoad([q = in.F](double) { return q; }, 0, in.L); },
       [](const Inputs& in) { return fromCantilever(cantileverUniformLoad(in)); }},
      {9, S::ClampedAtB, false, false,
       [](const Inputs& in) {
         return lineLoad([q = in.F, L = in.L](double s) { return q * s / L; }, 0, in.L);
       },
       [](const Inputs& in) { return fromCantilever(cantileverRisingLoad(in)); }},
      {10, S::ClampedAtB, false, false,
       [](const Inputs& in) {
         return lineLoad([q = in.F, L = in.L](double s) { return q * (1 - s / L); }, 0, in.L);
       },
       [](const Inputs& in) { return fromCantilever(cantileverFallingLoad(in)); }},
      {11, S::TwoSupports, true, false, [](const Inputs& in) { return force(in.L + in.a, in.F); },
       [](const Inputs& in) { return fromOverhang(overhangForce(in), in.L + in.a); }},
      {12, S::TwoSupports, true, false,
       [](const Inputs& in) {
         return lineLoad([q = in.F](double) { return q; }, in.L, in.L + in.a);
       },
       [](const Inputs& in) { return fromOverhang(overhangUniformLoad(in), in.L + in.a); }},
  };
  return cases;
}

// ----------------------------------------------------------------- the check

constexpr double kTolerance = 1e-8;  // relative to the case's own scale
constexpr double kRounded = 1e-3;    // case 5's handbook constants

void expectAgree(const char* what, std::optional<double> closed, double numeric, double scale,
                 double tolerance = kTolerance) {
  ASSERT_TRUE(closed.has_value()) << what;
  EXPECT_NEAR(*closed, numeric, tolerance * scale) << what;
}

void check(const Case& c, const Inputs& in) {
  SCOPED_TRACE("case " + std::to_string(c.Nr) + " F=" + std::to_string(in.F) +
               " L=" + std::to_string(in.L) + " Iy=" + std::to_string(in.Iy) +
               " a=" + std::to_string(in.a) + " x=" + std::to_string(in.x) +
               " xq=" + std::to_string(in.xq));
  const double EI = in.Iy * in.E;
  const double end = c.overhang ? in.L + in.a : in.L;
  std::vector<double> breaks = {in.L / 2, in.L};
  if (c.Nr == 2) breaks.push_back(in.a);
  const DeflectionLine line(c.load(in), c.support, in.L, EI, breaks);
  const Closed r = c.closed(in);

  // Scales: the largest deflection and slope anywhere on the beam.
  double wScale = 0, slopeScale = 0;
  for (int i = 0; i <= 100; ++i) {
    const double s = end * i / 100;
    wScale = std::max(wScale, std::abs(line.w(s)));
    slopeScale = std::max(slopeScale, std::abs(line.slope(s)));
  }

  expectAgree("w at x", r.w, line.w(in.x), wScale);
  if (r.f) expectAgree("f", r.f, line.w(*r.xf), wScale);

  if (c.support == Support::ClampedAtB) {
    expectAgree("alphaA", r.alphaA, -line.slope(0), slopeScale);
    EXPECT_NEAR(line.w(in.L), 0, kTolerance * wScale) << "solver: clamped end";
    return;
  }
  if (c.overhang) {
    expectAgree("w at xq", r.wq, line.w(in.L + in.xq), wScale);
    expectAgree("alpha", r.alpha, line.slope(in.L + in.a), slopeScale);
    expectAgree("alphaA", r.alphaA, -line.slope(0), slopeScale);
    expectAgree("alphaB", r.alphaB, line.slope(in.L), slopeScale);
    const double xm = line.largest(0, in.L);
    expectAgree("xm", r.xm, xm, in.L);
    expectAgree("fm", r.fm, -line.w(xm), wScale);
    return;
  }
  expectAgree("alphaA", r.alphaA, line.slope(0), slopeScale);
  expectAgree("alphaB", r.alphaB, -line.slope(in.L), slopeScale);
  const double xm = line.largest(0, in.L);
  const double tolerance = c.roundedPeak ? kRounded : kTolerance;
  expectAgree("xm", r.xm, xm, in.L, tolerance);
  expectAgree("fm", r.fm, line.w(xm), wScale, tolerance);
}

void PrintTo(const Case& c, std::ostream* os) { *os << "case " << c.Nr; }

class AgainstSolver : public ::testing::TestWithParam<Case> {};

TEST_P(AgainstSolver, ClosedFormsMatchStatics) {
  const Case& c = GetParam();
  for (const double L : {1.0, 4.5, 20.0}) {
    for (const double Iy : {1e2, 3.3e5, 1e8}) {
      for (const double F : {1e3, -250.0}) {
        // Force positions (case 2) or overhang lengths (11, 12), as parts of L.
        for (const double aPart : {0.2, 0.5, 0.7, 1.3}) {
          if (c.Nr == 2 && aPart > 1) continue;
          const double a = aPart * L;
          for (const double xPart : {0.0, 0.13, 0.5, 0.77, 1.0, aPart, 1 / std::sqrt(3.0)}) {
            if (xPart > 1) continue;
            const double xqPart = xPart;  // spread over the overhang as well
            check(c,
                  {.F = F, .L = L, .E = 2.1e5, .Iy = Iy, .a = a, .x = xPart * L, .xq = xqPart * a});
            if (::testing::Test::HasFailure()) return;
          }
        }
      }
    }
  }
}

INSTANTIATE_TEST_SUITE_P(Cases, AgainstSolver, ::testing::ValuesIn(allCases()),
                         [](const ::testing::TestParamInfo<Case>& p) {
                           return "case_" + std::to_string(p.param.Nr);
                         });

// The solver itself, on a beam whose answer is known without it.
TEST(Solver, SimplySupportedUniformLoadHasTheTextbookMidSpanDeflection) {
  const DeflectionLine line(lineLoad([](double) { return 1.0; }, 0, 1), Support::TwoSupports, 1, 1,
                            {});
  EXPECT_NEAR(line.w(0.5), 5.0 / 384, 1e-15);
  EXPECT_NEAR(line.largest(0, 1), 0.5, 1e-12);
  EXPECT_NEAR(line.w(1), 0, 1e-15);
}

}  // namespace
}  // namespace veldra::beam
