// Sizes a steel beam with the beam library alone, no console dialogue: an
// IPE 300 (Iy = 8356 cm^4) in S235, units N and mm.

#include <beam/cases.h>
#include <beam/line.h>
#include <beam/report.h>

#include <cstdio>
#include <iostream>

int main() {
  using namespace veldra::beam;
  const Inputs ipe300{.F = 10'000, .L = 4'000, .E = 210'000, .Iy = 8.356e7, .a = 1'500, .x = 2'000};

  // Case 2: a 10 kN force 1.5 m from A on a 4 m span.
  const OffCentreForce r = forceOffCentre(ipe300);
  std::printf("force off centre: fm = %.3f mm at xm = %.1f mm, L/fm = %.0f\n", r.fm, r.xm,
              ipe300.L / r.fm);

  // Case 4: 5 N/mm uniform load; is the deflection within L/300?
  Inputs uniform = ipe300;
  uniform.F = 5;
  const SymmetricSpan u = uniformLoad(uniform);
  std::printf("uniform load: fm = %.3f mm, limit L/300 = %.3f mm: %s\n", u.fm, uniform.L / 300,
              u.fm <= uniform.L / 300 ? "ok" : "exceeded");

  // The same lines the calculator prints for case 8, a cantilever.
  std::cout << resultReport(8, uniform);

  // The deflection line of case 2 at every half metre, and its largest value.
  const DeflectionLine line = sampleDeflectionLine(2, ipe300, 9);
  std::printf("x [mm]   w [mm]\n");
  for (const LinePoint& p : line.points) std::printf("%6.0f %8.3f\n", p.at, p.w);
  std::printf("largest: %.3f mm at %.0f mm\n", line.extreme.w, line.extreme.at);
  return 0;
}
