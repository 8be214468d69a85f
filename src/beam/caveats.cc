#include "beam/caveats.h"

#include <algorithm>
#include <cmath>

namespace veldra::beam {
namespace {

bool positive(double v) { return std::isfinite(v) && v > 0; }

// Whether `place` lies on 0 to `end`, both included (never for a NaN).
bool within(double place, double end) { return place >= 0 && place <= end; }

// What is wrong with the length `symbol` = `v`, which is not positive and
// finite.
std::string whatIsWrong(std::string_view symbol, double v, NumberText number) {
  if (std::isnan(v)) return "ist keine Zahl (nan)";
  if (v == 0) return "fehlt oder ist null";
  if (v < 0) return "ist negativ (" + std::string(symbol) + " = " + number(v) + ")";
  return "ist unendlich";
}

std::string noSpanNote(const LoadCase& c, const Inputs& in, NumberText number) {
  std::string wrong;
  if (!positive(in.L)) wrong = "Die Länge L " + whatIsWrong("L", in.L, number);
  if (c.support == Support::kOverhang && !positive(in.a)) {
    wrong += (wrong.empty() ? "Die" : " und die") + std::string(" Länge a des Kragarms ") +
             whatIsWrong("a", in.a, number);
  }
  return wrong + ": L (beim Träger mit Kragarm auch a) muss positiv und endlich sein";
}

}  // namespace

constexpr std::array<CaveatEntry, 7> kCaveats = {
    CaveatEntry{Caveat::kNoSpan, "no-span", noSpanNote},
    CaveatEntry{Caveat::kForceOffSpan, "force-off-span",
                [](const LoadCase& /*c*/, const Inputs& in, NumberText number) {
                  return "Die Kraft steht außerhalb der Stützweite (a = " + number(in.a) +
                         ", nicht zwischen 0 und L = " + number(in.L) + ")";
                }},
    CaveatEntry{Caveat::kForceOnSupport, "force-on-support",
                [](const LoadCase& /*c*/, const Inputs& /*in*/, NumberText /*number*/) {
                  return std::string(
                      "Die Kraft steht auf einem Lager (a = 0 oder a = L); die Formeln teilen "
                      "dort durch null");
                }},
    CaveatEntry{Caveat::kNoStiffness, "stiffness",
                [](const LoadCase& /*c*/, const Inputs& in, NumberText number) {
                  return "E und Iy müssen positiv und endlich sein (E = " + number(in.E) +
                         ", Iy = " + number(in.Iy) + ")";
                }},
    CaveatEntry{Caveat::kXOffBeam, "x-off-beam",
                [](const LoadCase& /*c*/, const Inputs& in, NumberText number) {
                  return "x = " + number(in.x) +
                         " liegt nicht auf dem Träger (0 bis L = " + number(in.L) + ")";
                }},
    CaveatEntry{Caveat::kXqOffOverhang, "xq-off-overhang",
                [](const LoadCase& /*c*/, const Inputs& in, NumberText number) {
                  return "xq = " + number(in.xq) +
                         " liegt nicht auf dem Kragarm (0 bis a = " + number(in.a) + ")";
                }},
    CaveatEntry{Caveat::kNotFinite, "not-finite",
                [](const LoadCase& /*c*/, const Inputs& /*in*/, NumberText /*number*/) {
                  return std::string(
                      "Mit diesen Werten ist ein Ergebnis nicht endlich: F, E, Iy oder a sind "
                      "null, unendlich oder nan, oder ein Wert wird zu groß");
                }},
};

const CaveatEntry& entryOf(Caveat caveat) {
  return *std::find_if(kCaveats.begin(), kCaveats.end(),
                       [caveat](const CaveatEntry& e) { return e.caveat == caveat; });
}

std::vector<Caveat> caveatsOfValues(const LoadCase& c, const Inputs& in) {
  std::vector<Caveat> found;
  const bool overhang = c.support == Support::kOverhang;
  const bool span = positive(in.L) && (!overhang || positive(in.a));
  if (!span) found.push_back(Caveat::kNoSpan);
  // A point force between the supports: case 2's at a (case 1's stands at
  // mid-span, always on the span).
  if (span && c.support == Support::kSpan && c.load == LoadKind::kForce) {
    const double at = c.loadAt(in);
    if (!within(at, in.L)) {
      found.push_back(Caveat::kForceOffSpan);
    } else if (at == 0 || at == in.L) {
      found.push_back(Caveat::kForceOnSupport);
    }
  }
  if (!positive(in.E) || !positive(in.Iy)) found.push_back(Caveat::kNoStiffness);
  if (span && !within(in.x, in.L)) found.push_back(Caveat::kXOffBeam);
  if (span && overhang && !within(in.xq, in.a)) found.push_back(Caveat::kXqOffOverhang);
  return found;
}

std::vector<Caveat> caveatsOfReport(const Report& report, const Inputs& in) {
  const LoadCase* c = findLoadCase(report.Nr);
  if (c == nullptr) return {};
  std::vector<Caveat> found = caveatsOfValues(*c, in);
  const auto has = [&found](Caveat caveat) {
    return std::find(found.begin(), found.end(), caveat) != found.end();
  };
  if (has(Caveat::kNoSpan) || has(Caveat::kForceOffSpan) || has(Caveat::kForceOnSupport) ||
      has(Caveat::kNoStiffness)) {
    return found;
  }
  const bool unexplained =
      std::any_of(report.lines.begin(), report.lines.end(), [&has](const ResultLine& l) {
        const bool finite = std::isfinite(l.value) && (!l.at || std::isfinite(*l.at));
        const bool offTheBeam = (l.mark == Mark::kAtX && has(Caveat::kXOffBeam)) ||
                                (l.mark == Mark::kAtXq && has(Caveat::kXqOffOverhang));
        return !finite && !offTheBeam;
      });
  if (unexplained) found.push_back(Caveat::kNotFinite);
  return found;
}

}  // namespace veldra::beam
