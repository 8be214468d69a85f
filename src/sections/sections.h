#pragma once

// Named cross-sections and materials, and the units an engineer states them
// in: where E and Iy come from when they are not typed from a table by hand.
// The rolled I-sections are published values, typed from the tables; the
// simple shapes are computed from their dimensions. Everything here is data
// and pure functions: nothing of the calculator, no I/O.

#include <array>
#include <optional>
#include <string>
#include <string_view>

namespace veldra::sections {

// The European rolled I-sections of EN 10365 (formerly DIN 1025-2 and -5).
enum class Family { kIPE, kHEA, kHEB };

// One rolled section as its table gives it: dimensions in mm, second
// moments of area in cm^4, about the strong axis (y) and the weak one (z).
struct RolledSection {
  Family family;
  int size;   // the number of its name: 200 for IPE 200
  double h;   // depth
  double b;   // flange width
  double tw;  // web thickness
  double tf;  // flange thickness
  double r;   // root radius between web and flanges
  double Iy;  // cm^4
  double Iz;  // cm^4
};

// IPE 80 to 600, HEA 100 to 1000, HEB 100 to 1000, in that order.
extern const std::array<RolledSection, 66> kRolledSections;

// "IPE", "HEA" or "HEB".
[[nodiscard]] std::string_view familyName(Family family);

// "IPE 200".
[[nodiscard]] std::string nameOf(const RolledSection& s);

// The section `name` names, case and blanks ignored ("IPE 200", "ipe200",
// "HEB300"); null when it names none.
[[nodiscard]] const RolledSection* findSection(std::string_view name);

// The shapes computed from their dimensions (mm), and their second moments
// of area in mm^4: y about the axis parallel to b, bending under a load
// along h (the strong axis where h > b); z about the other.
enum class Shape {
  kRectangle,        // solid, b x h (timber)
  kRound,            // solid, diameter d
  kTube,             // round tube, outside diameter D, wall t
  kHollowRectangle,  // rectangular hollow section b x h, wall t; the corner
                     // radii left out (a sharp-cornered box)
};

struct ShapeEntry {
  Shape shape;
  std::string_view name;                  // German: "Rechteck", "Rundstab", ...
  std::array<std::string_view, 3> sizes;  // the dimensions' symbols; empty after the last
};

extern const std::array<ShapeEntry, 4> kShapes;

struct Moments {
  double Iy;  // mm^4
  double Iz;  // mm^4
};

// The second moments of `shape` with dimensions `d` in the order of its
// sizes; none where a dimension is not positive and finite, or a wall is too
// thick for the shape (2t >= D, b or h).
[[nodiscard]] std::optional<Moments> momentsOf(Shape shape, const std::array<double, 3>& d);

// A material and its modulus of elasticity, with the standard it comes from.
struct Material {
  std::string_view name;      // "S235"
  std::string_view kind;      // German: "Baustahl"
  double E;                   // N/mm^2
  std::string_view standard;  // where E is given
};

extern const std::array<Material, 7> kMaterials;

// A consistent set of units: forces in N or kN, lengths in mm, cm or m.
// Everything else follows: a line load is a force per length, a moment a
// force times a length, E a force per length squared, Iy a length to the
// fourth.
struct UnitSystem {
  std::string_view name;          // "N und mm"
  std::string_view force;         // "N"
  std::string_view length;        // "mm"
  std::string_view lineLoad;      // "N/mm"
  std::string_view moment;        // "N·mm"
  std::string_view modulus;       // "N/mm²"
  std::string_view secondMoment;  // "mm⁴"
  int forceDecade;                // a force in N is one in this unit times 10^forceDecade
  int lengthDecade;               // a length in mm is one in this unit times 10^lengthDecade
};

extern const std::array<UnitSystem, 3> kUnitSystems;

// The quantities a value can be stated in, and the unit each is given in
// here: E in N/mm^2, a second moment of area in mm^4.
enum class Quantity { kModulus, kSecondMoment };

// The power of ten from the unit `quantity` is given in here to `units`:
// 0 for N and mm, -1 for E in kN/cm^2, -12 for Iy in m^4.
[[nodiscard]] int decadesTo(Quantity quantity, const UnitSystem& units);

// `value` times 10^decades, written as a person would type it: the fewest
// decimal digits that read back as `value`, the decimal point moved by
// `decades`, so that nothing is rounded on the way (80.14 cm^4 is "801400"
// mm^4 and "8.014e-7" m^4). As %g would write it: with an exponent below
// 10^-4, and here also from 10^15 on.
[[nodiscard]] std::string scaled(double value, int decades);

}  // namespace veldra::sections
