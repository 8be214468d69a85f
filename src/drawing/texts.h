#pragma once

// The drawing's German texts, but for the notes of its statuses (status.h).
// Umlauts and ß are written as they are: the page is UTF-8.

#include <cstdint>
#include <string>
#include <string_view>

#include "drawing/scale.h"

namespace veldra::drawing {

// The names of the beam's parts.
inline constexpr std::string_view kSupportA = "Lager A";
inline constexpr std::string_view kSupportB = "Lager B";
inline constexpr std::string_view kClampB = "Einspannung B";
inline constexpr std::string_view kFreeEndA = "freies Ende A";
inline constexpr std::string_view kEndC = "C";
inline constexpr std::string_view kOverhangName = "Kragarm";

// "Biegefall 2".
[[nodiscard]] std::string caseTitle(std::int32_t Nr);

// Without a case: the title, and the summary of the drawing.
[[nodiscard]] std::string noCaseTitle(std::int32_t Nr);
[[nodiscard]] std::string noCaseSummary(std::int32_t Nr);

// A status's note that starts a list of the cases (status.h), with the list:
// "1, 2, 31, ..." from the catalogue.
[[nodiscard]] std::string caseListNote(std::string_view start, std::string_view numbers);

// "L = 4000", or with its unit "L = 4000 mm": a value on a dimension line or
// the load's label.
[[nodiscard]] std::string valueLabel(std::string_view symbol, double value,
                                     std::string_view unit = {});

// A caveat's note (beam/caveats.h) as the reason why there is no line, with
// what the drawing adds after it.
[[nodiscard]] std::string noLineNote(std::string_view caveat, std::string_view added);

// A caveat's note as the reason why a mark at x (or xq) is missing.
[[nodiscard]] std::string markNote(std::string_view caveat, bool x);

// The note on a load that is not drawn.
inline constexpr std::string_view kLoadNotFiniteNote =
    "Die Last ist nicht gezeichnet: F ist unendlich oder nan.";

// Why the marks carry no numbers: the values have changed since key g
// printed its report, or it has not printed one for this case.
inline constexpr std::string_view kLegendChanged =
    "Werte geändert: Taste g berechnet die Ergebnisse neu.";
inline constexpr std::string_view kLegendNotComputed = "Taste g berechnet die Ergebnisse.";

// How the line is exaggerated, in words; "keine Durchbiegung" without one.
[[nodiscard]] std::string scaleWords(const Exaggeration& e);
inline constexpr std::string_view kNoDeflection = "keine Durchbiegung";

// The largest deflection against the span, as limits are written: "fm =
// L/5723" (at the free end of a cantilever, "f = L/..."); `ratio` is the
// right-hand side.
[[nodiscard]] std::string ratioWords(bool cantilever, std::string_view ratio);

// The drawing in words, for a screen reader: the case's title, and as far as
// they are drawn its span, its load (noun, symbol and value) and the lines
// of its largest deflection; `note` says why the line is missing.
struct SummaryParts {
  std::string_view title;
  std::string span;       // typed(L), or empty
  std::string_view noun;  // the load's, or empty when it is not drawn
  std::string_view symbol;
  std::string load;       // typed(F)
  std::string largest;    // the printed lines of fm and xm, or empty
  std::string_view note;  // the status's note, or empty
};
[[nodiscard]] std::string summary(const SummaryParts& parts);

}  // namespace veldra::drawing
