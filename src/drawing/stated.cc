#include "drawing/stated.h"

#include <cstddef>

#include "drawing/json.h"
#include "drawing/numbers.h"

namespace veldra::drawing {
namespace {

using sections::Quantity;
using sections::scaled;

template <typename T, std::size_t N>
const T* at(const std::array<T, N>& table, int index) {
  return index >= 0 && static_cast<std::size_t>(index) < N ? &table[static_cast<std::size_t>(index)]
                                                           : nullptr;
}

std::string modulusIn(const sections::Material& m, const sections::UnitSystem& u) {
  return scaled(m.E, sections::decadesTo(Quantity::kModulus, u));
}

// A second moment given in cm^4 (a table's), in `u`.
std::string fromCm4(double cm4, const sections::UnitSystem& u) {
  return scaled(cm4, 4 + sections::decadesTo(Quantity::kSecondMoment, u));
}

// "IPE 200, S235: E = 210000 N/mm², Iy = 1943 cm⁴": `moment` with its unit.
std::string sourceOf(const Choice& c, const sections::Material& m, const sections::UnitSystem& u,
                     bool weak, const std::string& moment) {
  return c.name + ", " + std::string(m.name) + ": E = " + c.E + " " + std::string(u.modulus) +
         (weak ? ", Iz = " : ", Iy = ") + moment;
}

}  // namespace

const sections::UnitSystem* unitsOf(int index) { return at(sections::kUnitSystems, index); }

std::string sectionCatalogueJson() {
  JsonWriter json;
  json.beginObject().key("units").beginArray();
  for (const sections::UnitSystem& u : sections::kUnitSystems) {
    json.beginObject().key("name").value(u.name).key("force").value(u.force);
    json.key("length").value(u.length).key("lineLoad").value(u.lineLoad);
    json.key("moment").value(u.moment).key("modulus").value(u.modulus);
    json.key("secondMoment").value(u.secondMoment).endObject();
  }
  json.endArray().key("materials").beginArray();
  for (const sections::Material& m : sections::kMaterials) {
    json.beginObject().key("name").value(m.name).key("kind").value(m.kind);
    json.key("standard").value(m.standard).key("E").beginArray();
    for (const sections::UnitSystem& u : sections::kUnitSystems) json.value(modulusIn(m, u));
    json.endArray().endObject();
  }
  json.endArray().key("families").beginArray();
  for (const sections::Family f :
       {sections::Family::kIPE, sections::Family::kHEA, sections::Family::kHEB}) {
    json.beginObject().key("name").value(sections::familyName(f)).key("sections").beginArray();
    for (std::size_t k = 0; k < sections::kRolledSections.size(); ++k) {
      const sections::RolledSection& s = sections::kRolledSections[k];
      if (s.family != f) continue;
      json.beginObject().key("index").value(static_cast<int>(k));
      json.key("name").value(sections::nameOf(s)).endObject();
    }
    json.endArray().endObject();
  }
  json.endArray().key("shapes").beginArray();
  for (const sections::ShapeEntry& s : sections::kShapes) {
    json.beginObject().key("name").value(s.name).key("sizes").beginArray();
    for (const std::string_view size : s.sizes) {
      if (!size.empty()) json.value(size);
    }
    json.endArray().endObject();
  }
  json.endArray().endObject();
  return json.text();
}

std::optional<Choice> rolledChoice(int units, int material, int section, bool weak) {
  const sections::UnitSystem* u = unitsOf(units);
  const sections::Material* m = at(sections::kMaterials, material);
  const sections::RolledSection* s = at(sections::kRolledSections, section);
  if (u == nullptr || m == nullptr || s == nullptr) return std::nullopt;
  const double cm4 = weak ? s->Iz : s->Iy;
  Choice c{sections::nameOf(*s), modulusIn(*m, *u), fromCm4(cm4, *u), ""};
  c.source = sourceOf(c, *m, *u, weak, scaled(cm4, 0) + " cm⁴");
  return c;
}

std::optional<Choice> shapeChoice(int units, int material, int shape, bool weak,
                                  const std::array<double, 3>& dimensions) {
  const sections::UnitSystem* u = unitsOf(units);
  const sections::Material* m = at(sections::kMaterials, material);
  const sections::ShapeEntry* s = at(sections::kShapes, shape);
  if (u == nullptr || m == nullptr || s == nullptr) return std::nullopt;
  const std::optional<sections::Moments> moments = sections::momentsOf(s->shape, dimensions);
  if (!moments) return std::nullopt;
  std::string name(s->name);
  for (std::size_t k = 0; k < s->sizes.size() && !s->sizes[k].empty(); ++k) {
    name += (k == 0 ? " " : " × ") + typed(dimensions[k]);
  }
  name += " mm";
  const double mm4 = weak ? moments->Iz : moments->Iy;
  Choice c{name, modulusIn(*m, *u), scaled(mm4, sections::decadesTo(Quantity::kSecondMoment, *u)),
           ""};
  c.source = sourceOf(c, *m, *u, weak, c.I + " " + std::string(u->secondMoment));
  return c;
}

std::string choiceJson(const std::optional<Choice>& choice) {
  JsonWriter json;
  json.beginObject();
  if (choice) {
    json.key("name").value(choice->name).key("E").value(choice->E);
    json.key("I").value(choice->I).key("source").value(choice->source);
  }
  json.endObject();
  return json.text();
}

std::string unitsNote(const sections::UnitSystem* units) {
  if (units == nullptr) return {};
  const sections::UnitSystem& u = *units;
  return "Einheiten " + std::string(u.name) + ": Kräfte in " + std::string(u.force) +
         ", Längen, Koordinaten und Durchbiegungen in " + std::string(u.length) +
         ", Streckenlasten in " + std::string(u.lineLoad) + ", Momente in " +
         std::string(u.moment) + ", E in " + std::string(u.modulus) + ", Iy in " +
         std::string(u.secondMoment) + ", Neigungen in rad.";
}

}  // namespace veldra::drawing
