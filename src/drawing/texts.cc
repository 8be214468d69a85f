#include "drawing/texts.h"

#include "drawing/numbers.h"

namespace veldra::drawing {

std::string caseTitle(std::int32_t Nr) { return "Biegefall " + std::to_string(Nr); }

std::string noCaseTitle(std::int32_t Nr) {
  return Nr != 0 ? "Biegefall " + std::to_string(Nr) + " gibt es nicht" : "Kein Biegefall gewählt";
}

std::string noCaseSummary(std::int32_t Nr) {
  return Nr != 0 ? "Den Biegefall " + std::to_string(Nr) + " gibt es nicht."
                 : "Noch kein Biegefall gewählt.";
}

std::string caseListNote(std::string_view start, std::string_view numbers) {
  return std::string(start) + " " + std::string(numbers) + " (Taste b beschreibt sie).";
}

std::string valueLabel(std::string_view symbol, double value, std::string_view unit) {
  return std::string(symbol) + " = " + typed(value) + (unit.empty() ? "" : " ") + std::string(unit);
}

std::string noLineNote(std::string_view caveat, std::string_view added) {
  return "Keine Biegelinie: " + std::string(caveat) + "." + std::string(added);
}

std::string markNote(std::string_view caveat, bool x) {
  return std::string(caveat) + (x ? ": keine Marke für x." : ": keine Marke für xq.");
}

std::string scaleWords(const Exaggeration& e) {
  if (e.m == 1 && e.decade == 0) return "Biegelinie maßstäblich";
  if (e.decade >= 0) return "Durchbiegung " + times(e.m, e.decade) + "-fach vergrößert";
  // Below one: m · 10^d is 1 / ((10 / m) · 10^(-d-1)).
  return "Durchbiegung auf 1/" + times(10 / e.m, -e.decade - 1) + " verkleinert";
}

std::string ratioWords(bool cantilever, std::string_view ratio) {
  return (cantilever ? "f = " : "fm = ") + std::string(ratio);
}

std::string summary(const SummaryParts& parts) {
  std::string text = std::string(parts.title) + ".";
  if (!parts.span.empty()) text += " Länge L = " + parts.span + ".";
  if (!parts.noun.empty()) {
    text += " Last: " + std::string(parts.noun) + " " + std::string(parts.symbol) + " = " +
            parts.load + ".";
  }
  if (!parts.largest.empty()) text += " Größte Durchbiegung: " + parts.largest + ".";
  if (!parts.note.empty()) text += " " + std::string(parts.note);
  return text;
}

}  // namespace veldra::drawing
