#include "beam/line.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <limits>

namespace veldra::beam {
namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

// The deflection line of a case at in.x (on the span) or in.xq (overhang).
struct LineCase {
  std::int32_t Nr;
  // cppcheck-suppress unusedStructMember ; called through the table
  double (*span)(const Inputs&);
  // cppcheck-suppress unusedStructMember ; null unless the beam has an overhang
  double (*overhang)(const Inputs&);
};

// Case 2: the piece on the side of the force that x lies on.
double offCentreLine(const Inputs& in) {
  const OffCentreForce r = forceOffCentre(in);
  if (r.wI) return *r.wI;
  return r.wII ? *r.wII : kNaN;
}

constexpr std::array kLineCases = {
    LineCase{1, [](const Inputs& in) { return forceAtMidSpan(in).w; }, nullptr},
    LineCase{2, offCentreLine, nullptr},
    LineCase{31, [](const Inputs& in) { return momentAtA(in).w; }, nullptr},
    LineCase{32, [](const Inputs& in) { return momentAtB(in).w; }, nullptr},
    LineCase{4, [](const Inputs& in) { return uniformLoad(in).w; }, nullptr},
    LineCase{5, [](const Inputs& in) { return triangularLoad(in).w; }, nullptr},
    LineCase{6, [](const Inputs& in) { return cantileverForce(in).w; }, nullptr},
    LineCase{7, [](const Inputs& in) { return cantileverMoment(in).w; }, nullptr},
    LineCase{8, [](const Inputs& in) { return cantileverUniformLoad(in).w; }, nullptr},
    LineCase{9, [](const Inputs& in) { return cantileverRisingLoad(in).w; }, nullptr},
    LineCase{10, [](const Inputs& in) { return cantileverFallingLoad(in).w; }, nullptr},
    LineCase{11, [](const Inputs& in) { return overhangForce(in).w; },
             [](const Inputs& in) { return overhangForce(in).wq; }},
    LineCase{12, [](const Inputs& in) { return overhangUniformLoad(in).w; },
             [](const Inputs& in) { return overhangUniformLoad(in).wq; }},
};

bool positive(double v) { return std::isfinite(v) && v > 0; }

// The k-th of n even steps from 0 to length, the last one exactly at length.
double step(double length, int k, int n) { return k == n ? length : length * k / n; }

}  // namespace

DeflectionLine sampleDeflectionLine(std::int32_t Nr, const Inputs& in, int count) {
  DeflectionLine line;
  const auto* c = std::find_if(kLineCases.begin(), kLineCases.end(),
                               [Nr](const LineCase& lc) { return lc.Nr == Nr; });
  if (c == kLineCases.end()) return line;
  if (!positive(in.L) || (c->overhang != nullptr && !positive(in.a))) {
    line.status = LineStatus::kNoSpan;
    return line;
  }
  if (Nr == 2 && !(in.a >= 0 && in.a <= in.L)) {
    line.status = LineStatus::kForceOffTheSpan;
    return line;
  }
  if (Nr == 2 && (in.a == 0 || in.a == in.L)) {
    line.status = LineStatus::kForceOnASupport;
    return line;
  }

  count = std::max(count, 3);
  int spanPoints = count;
  if (c->overhang != nullptr) {
    const double share = std::round(count * (in.L / (in.L + in.a)));
    spanPoints = std::clamp(static_cast<int>(share), 2, count - 1);
  }
  line.points.reserve(static_cast<std::size_t>(count));
  Inputs at = in;
  for (int k = 0; k < spanPoints; ++k) {
    at.x = step(in.L, k, spanPoints - 1);
    line.points.push_back({at.x, c->span(at)});
  }
  const int overhangPoints = count - spanPoints;
  for (int k = 1; k <= overhangPoints && c->overhang != nullptr; ++k) {
    at.xq = step(in.a, k, overhangPoints);
    line.points.push_back({in.L + at.xq, c->overhang(at)});
  }

  if (!std::all_of(line.points.begin(), line.points.end(),
                   [](const LinePoint& p) { return std::isfinite(p.w); })) {
    line.points.clear();
    line.status = LineStatus::kNotFinite;
    return line;
  }
  line.status = LineStatus::kSampled;
  const auto span = line.points.begin() + spanPoints;
  line.extreme = *std::max_element(
      line.points.begin(), span,
      [](const LinePoint& p, const LinePoint& q) { return std::abs(p.w) < std::abs(q.w); });
  return line;
}

}  // namespace veldra::beam
