#pragma once

// What the user states beside the values, in the page's section aid: the
// units they work in, and the section and material that E and Iy come from.
// The dialogue knows nothing of it and stays as it is; the drawing names
// units and the section where they are stated. Here too the aid's catalogue,
// every text of it written here: the page only shows and types them.

#include <array>
#include <optional>
#include <string>

#include "sections/sections.h"

namespace veldra::drawing {

struct Stated {
  const sections::UnitSystem* units = nullptr;  // none: bare numbers, as the dialogue's
  // "IPE 200, S235: E = 210000 N/mm², Iy = 1943 cm⁴"; empty where the aid
  // has typed nothing.
  std::string source;
  double E = 0;   // what the aid typed for E and Iy: the source holds while
  double Iy = 0;  // the program holds these
};

// The units of key `index` of sections::kUnitSystems; null for any other.
[[nodiscard]] const sections::UnitSystem* unitsOf(int index);

// The aid's catalogue as JSON: units [{name, force, length, lineLoad, moment,
// modulus, secondMoment}], materials [{name, kind, standard, E: [as typed in
// each set of units]}], families [{name, sections: [{index, name}]}] (index
// into kRolledSections) and shapes [{name, sizes}].
[[nodiscard]] std::string sectionCatalogueJson();

// What the aid offers of a choice: its name and, in `units`, E and the
// second moment about the chosen axis as typed, and the line that names it
// all; none where the choice is no section (a shape's dimensions given wrong).
struct Choice {
  std::string name;    // "IPE 200", "Rechteck 100 × 200 mm"
  std::string E;       // "210000"
  std::string I;       // "19430000"
  std::string source;  // "IPE 200, S235: E = 210000 N/mm², Iy = 1943 cm⁴"
};

// A rolled section (index into kRolledSections) or a shape (index into
// kShapes, its dimensions in mm), of material `material`, about its strong
// axis (y) or its weak one (z).
[[nodiscard]] std::optional<Choice> rolledChoice(int units, int material, int section, bool weak);
[[nodiscard]] std::optional<Choice> shapeChoice(int units, int material, int shape, bool weak,
                                                const std::array<double, 3>& dimensions);

// The choice as JSON for the page: {name, E, I, source}, or {} for none.
[[nodiscard]] std::string choiceJson(const std::optional<Choice>& choice);

// What the units mean for a printout: one German sentence; empty without units.
[[nodiscard]] std::string unitsNote(const sections::UnitSystem* units);

}  // namespace veldra::drawing
