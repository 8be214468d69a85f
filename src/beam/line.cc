#include "beam/line.h"

#include <algorithm>
#include <cmath>

#include "beam/catalogue.h"
#include "beam/caveats.h"

namespace veldra::beam {
namespace {

// Why there is no line, for a caveat of the values that leaves none: no span,
// or a force off the span or on a support; kSampled for the others.
LineStatus withoutLine(Caveat caveat) {
  switch (caveat) {
    case Caveat::kNoSpan:
      return LineStatus::kNoSpan;
    case Caveat::kForceOffSpan:
      return LineStatus::kForceOffTheSpan;
    case Caveat::kForceOnSupport:
      return LineStatus::kForceOnASupport;
    default:
      return LineStatus::kSampled;
  }
}

// The k-th of n even steps from 0 to length, the last one exactly at length.
double step(double length, int k, int n) { return k == n ? length : length * k / n; }

}  // namespace

DeflectionLine sampleDeflectionLine(std::int32_t Nr, const Inputs& in, int count) {
  DeflectionLine line;
  const LoadCase* c = findLoadCase(Nr);
  if (c == nullptr) return line;
  const bool overhang = c->support == Support::kOverhang;
  for (const Caveat caveat : caveatsOfValues(*c, in)) {
    line.status = withoutLine(caveat);
    if (line.status != LineStatus::kSampled) return line;
  }

  count = std::max(count, 3);
  int spanPoints = count;
  if (overhang) {
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
  for (int k = 1; k <= overhangPoints && overhang; ++k) {
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
