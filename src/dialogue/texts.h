#pragma once

// Every fixed text of the dialogue, byte for byte as the user sees it. Umlauts
// are written as two letters, the sharp s as "ss".

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "beam/cases.h"
#include "beam/caveats.h"
#include "sections/sections.h"

namespace veldra::dialogue {

// The menu, printed before every key wait.
extern const std::string_view kMenu;

// The information banner of key i, one line.
extern const std::string_view kBanner;

// How many lines of the catalogue of load cases each of key b's pages shows,
// one line a case (beam/catalogue.h), in the catalogue's order.
inline constexpr std::array<std::size_t, 3> kCataloguePageLengths = {5, 5, 3};

// A case's line in key b's catalogue: "+Fall <Nr>:<title>" and its end.
std::string catalogueLine(std::int32_t Nr, std::string_view title);

// Printed before a wait for any key.
extern const std::string_view kPausePrompt;

// Key n: the prompt for the load case number, and the answer to one that names
// no case.
extern const std::string_view kAskCaseNumber;
extern const std::string_view kNoSuchCase;

// The value prompts of keys f, l, a and x. Each leaves the cursor behind it for
// the typed value; those after the first of a key start on a new line.
extern const std::string_view kAskLoad;
extern const std::string_view kAskSpan;
extern const std::string_view kAskModulus;
extern const std::string_view kAskSecondMoment;
extern const std::string_view kAskDistance;
extern const std::string_view kAskCoordinate;
extern const std::string_view kAskOverhangCoordinate;

// Key w: the heading and the label of each value, in the order shown; each
// label is followed by the value with six decimals and a line end.
extern const std::string_view kValuesHeading;
struct ValueLabels {
  std::string_view F, L, a, E, Iy, x, xq;
};
extern const ValueLabels kValueLabels;

// A note beside the dialogue (console::NoteSink): what it is about, and its
// one line without a line end.
struct Note {
  std::string_view kind;
  std::string text;
};

// A number read that stopped at a decimal comma: `number` as converted, `rest`
// what followed it up to a blank.
Note decimalCommaNote(std::string_view number, std::string_view rest);
// A read that found no number but `word`; `field` keeps `value`.
Note notANumberNote(std::string_view word, std::string_view field, std::string_view value);
// Values that put the beam out of the meaning of its formulas (after key g):
// the caveat's note, its values with six decimals, in ASCII.
Note caveatNote(beam::Caveat caveat, const beam::LoadCase& c, const beam::Inputs& in);
// The output could not be written, for the system's `reason`.
Note outputFailedNote(std::string_view reason);
// An argument that the program does not know.
Note unknownArgumentNote(std::string_view argument);
// --querschnitt with a name that names no section: the name, and the families.
Note unknownSectionNote(std::string_view name);
// What --querschnitt prints of a section: its name and dimensions, then Iy and
// Iz in cm^4 and mm^4, ASCII, each line with its end.
std::string sectionText(const sections::RolledSection& section);

// The answers to --help and --version.
std::string usageText();
extern const std::string_view kVersion;

}  // namespace veldra::dialogue
