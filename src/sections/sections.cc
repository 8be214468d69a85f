#include "sections/sections.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <numbers>

namespace veldra::sections {

constexpr std::array<ShapeEntry, 4> kShapes = {{
    {Shape::kRectangle, "Rechteck", {"b", "h", ""}},
    {Shape::kRound, "Rundstab", {"d", "", ""}},
    {Shape::kTube, "Rohr", {"D", "t", ""}},
    {Shape::kHollowRectangle, "Rechteckrohr", {"b", "h", "t"}},
}};

// E as the design standards give it for each material.
constexpr std::array<Material, 7> kMaterials = {{
    {"S235", "Baustahl", 210000, "EN 1993-1-1, 3.2.6"},
    {"S355", "Baustahl", 210000, "EN 1993-1-1, 3.2.6"},
    {"1.4301", "nichtrostender Stahl", 200000, "EN 1993-1-4, 2.1.3"},
    {"EN AW-6060 T6", "Aluminiumlegierung", 70000, "EN 1999-1-1, 3.2.5"},
    {"C24", "Nadelholz, E0,mean", 11000, "EN 338, Tabelle 1"},
    {"GL24h", "Brettschichtholz, E0,mean", 11500, "EN 14080, Tabelle 5"},
    {"C30/37", "Beton, Ecm", 33000, "EN 1992-1-1, Tabelle 3.1"},
}};

constexpr std::array<UnitSystem, 3> kUnitSystems = {{
    {"N und mm", "N", "mm", "N/mm", "N·mm", "N/mm²", "mm⁴", 0, 0},
    {"kN und cm", "kN", "cm", "kN/cm", "kN·cm", "kN/cm²", "cm⁴", 3, 1},
    {"kN und m", "kN", "m", "kN/m", "kN·m", "kN/m²", "m⁴", 3, 3},
}};

std::string_view familyName(Family family) {
  switch (family) {
    case Family::kIPE:
      return "IPE";
    case Family::kHEA:
      return "HEA";
    case Family::kHEB:
      break;
  }
  return "HEB";
}

std::string nameOf(const RolledSection& s) {
  return std::string(familyName(s.family)) + " " + std::to_string(s.size);
}

const RolledSection* findSection(std::string_view name) {
  std::string wanted;
  for (const char c : name) {
    if (c == ' ' || c == '\t') continue;
    wanted += static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  }
  for (const RolledSection& s : kRolledSections) {
    if (std::string(familyName(s.family)) + std::to_string(s.size) == wanted) return &s;
  }
  return nullptr;
}

std::optional<Moments> momentsOf(Shape shape, const std::array<double, 3>& d) {
  const auto given = [](double v) { return std::isfinite(v) && v > 0; };
  const double pi = std::numbers::pi;
  switch (shape) {
    case Shape::kRectangle: {
      const double b = d[0];
      const double h = d[1];
      if (!given(b) || !given(h)) return std::nullopt;
      return Moments{b * std::pow(h, 3) / 12, h * std::pow(b, 3) / 12};
    }
    case Shape::kRound: {
      if (!given(d[0])) return std::nullopt;
      const double I = pi * std::pow(d[0], 4) / 64;
      return Moments{I, I};
    }
    case Shape::kTube: {
      const double D = d[0];
      const double t = d[1];
      if (!given(D) || !given(t) || 2 * t >= D) return std::nullopt;
      const double I = pi * (std::pow(D, 4) - std::pow(D - 2 * t, 4)) / 64;
      return Moments{I, I};
    }
    case Shape::kHollowRectangle: {
      const double b = d[0];
      const double h = d[1];
      const double t = d[2];
      if (!given(b) || !given(h) || !given(t) || 2 * t >= b || 2 * t >= h) return std::nullopt;
      const double bi = b - 2 * t;
      const double hi = h - 2 * t;
      return Moments{(b * std::pow(h, 3) - bi * std::pow(hi, 3)) / 12,
                     (h * std::pow(b, 3) - hi * std::pow(bi, 3)) / 12};
    }
  }
  return std::nullopt;
}

int decadesTo(Quantity quantity, const UnitSystem& units) {
  // E: a force per area; Iy: a length to the fourth.
  return quantity == Quantity::kModulus ? 2 * units.lengthDecade - units.forceDecade
                                        : -4 * units.lengthDecade;
}

std::string scaled(double value, int decades) {
  if (!std::isfinite(value)) return value > 0 ? "inf" : value < 0 ? "-inf" : "nan";
  if (value == 0) return "0";
  // The fewest significant digits that read back as `value`: d.ddde+x. (The
  // program never takes a locale: the point is a point.)
  std::array<char, 40> text{};
  int length = 0;
  for (int precision = 0; precision <= 16; ++precision) {
    length = std::snprintf(text.data(), text.size(), "%.*e", precision, value);
    if (std::strtod(text.data(), nullptr) == value) break;
  }
  const std::string_view sci(text.data(), static_cast<std::size_t>(length));
  const std::size_t e = sci.find('e');
  std::string digits;
  for (const char c : sci.substr(0, e)) {
    if (std::isdigit(static_cast<unsigned char>(c)) != 0) digits += c;
  }
  while (digits.size() > 1 && digits.back() == '0') digits.pop_back();
  // value = d.ddd * 10^exponent, the point then moved by `decades`
  const int exponent = static_cast<int>(std::strtol(sci.data() + e + 1, nullptr, 10)) + decades;

  std::string out = value < 0 ? "-" : "";
  const int n = static_cast<int>(digits.size());
  if (exponent >= 15 || exponent < -4) {
    out += digits.substr(0, 1);
    if (n > 1) out += "." + digits.substr(1);
    return out + "e" + std::to_string(exponent);
  }
  if (exponent < 0) {
    return out + "0." + std::string(static_cast<std::size_t>(-exponent - 1), '0') + digits;
  }
  const std::size_t whole = static_cast<std::size_t>(exponent) + 1;
  if (digits.size() <= whole) return out + digits + std::string(whole - digits.size(), '0');
  return out + digits.substr(0, whole) + "." + digits.substr(whole);
}

}  // namespace veldra::sections
