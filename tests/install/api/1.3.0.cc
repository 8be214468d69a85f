// A program written against the beam library of release 1.3.0: its catalogue
// (each case's line of key b, and whether its load stands at a), the report
// and the sampled line.

#include <beam/catalogue.h>
#include <beam/line.h>
#include <beam/report.h>

#include <cstdio>
#include <string>

int main() {
  using namespace veldra::beam;
  const Inputs in{.F = 10'000, .L = 4'000, .E = 210'000, .Iy = 8.356e7, .a = 1'500, .x = 2'000};
  for (const LoadCase& c : loadCases()) {
    std::printf("%.*s", static_cast<int>(c.catalogueLine.size()), c.catalogueLine.data());
    if (c.loadAtA) std::printf("  (the force at a)\n");
  }
  if (!namesLoadCase(3)) std::printf("no case 3\n");
  const std::string report = renderReport(computeReport(2, in));
  const DeflectionLine line = sampleDeflectionLine(2, in, 9);
  std::printf("%s%.3f at %.0f\n", report.c_str(), line.extreme.w, line.extreme.at);
  return 0;
}
