// A program written against the beam library of release 2.0.0: its catalogue
// (each case's title, its load by name and where it stands), the report, its
// lines with their marks, the sampled line and six decimals.

#include <beam/cases.h>
#include <beam/catalogue.h>
#include <beam/line.h>
#include <beam/report.h>
#include <beam/six_decimals.h>

#include <cstdio>
#include <string>

int main() {
  using namespace veldra::beam;
  const Inputs in{.F = 10'000, .L = 4'000, .E = 210'000, .Iy = 8.356e7, .a = 1'500, .x = 2'000};
  for (const LoadCase& c : loadCases()) {
    const LoadKindNames& load = namesOf(c.load);
    std::printf("%d: %.*s, %.*s at %s\n", c.Nr, static_cast<int>(c.title.size()), c.title.data(),
                static_cast<int>(load.name.size()), load.name.data(),
                sixDecimals(c.loadAt(in)).c_str());
    if (c.loadAt == &atDistanceA) std::printf("  (the force at a)\n");
  }
  if (findLoadCase(3) == nullptr) std::printf("no case 3\n");
  const Report report = computeReport(2, in);
  for (const ResultLine& l : report.lines) {
    if (l.mark == Mark::kLargest) std::printf("%s\n", renderLine(l).c_str());
  }
  const OffCentreForce r = forceOffCentre(in);
  const DeflectionLine line = sampleDeflectionLine(2, in, 9);
  std::printf("%s%.3f %.3f at %.0f\n", resultReport(2, in).c_str(), r.fm, line.extreme.w,
              line.extreme.at);
  return 0;
}
