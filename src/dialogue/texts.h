#pragma once

// Every fixed text of the dialogue, byte for byte as the user sees it. Umlauts
// are written as two letters, the sharp s as "ss".

#include <array>
#include <cstddef>
#include <string>
#include <string_view>

namespace veldra::dialogue {

// The menu, printed before every key wait.
extern const std::string_view kMenu;

// The information banner of key i, one line.
extern const std::string_view kBanner;

// How many lines of the catalogue of load cases each of key b's pages shows;
// the lines themselves are the cases' own (beam/catalogue.h).
inline constexpr std::array<std::size_t, 3> kCataloguePageLengths = {5, 5, 3};

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

// Notes beside the dialogue (standard error), each one line with its end.
// A number read that stopped at a decimal comma: `number` as converted, `rest`
// what followed it up to a blank.
std::string decimalCommaNote(std::string_view number, std::string_view rest);
// A read that found no number but `word`; `field` keeps `value`.
std::string notANumberNote(std::string_view word, std::string_view field, std::string_view value);

// The start of the line on standard error when the output could not be
// written; the system's reason follows in parentheses.
extern const std::string_view kOutputFailed;

// The answers to --help and --version, and the note for any other argument.
extern const std::string_view kUsage;
extern const std::string_view kVersion;
std::string unknownArgumentNote(std::string_view argument);

}  // namespace veldra::dialogue
