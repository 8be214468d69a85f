#pragma once

// What the calculator may ever print: its own fixed texts, numbers as "%f"
// prints them (or inf/nan), and case numbers in the report header. Used to
// check output produced from arbitrary input, where no transcript exists.

#include <algorithm>
#include <cctype>
#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "support/transcripts.h"

namespace veldra::test {

namespace grammar_detail {

// Length of a "%f" number (or inf, -inf, nan: a NaN has no sign) at the start
// of `s`, else 0.
inline std::size_t fixedNumberAt(std::string_view s) {
  if (s.starts_with("nan")) return 3;
  std::size_t i = s.starts_with('-') ? 1 : 0;
  if (s.substr(i).starts_with("inf")) return i + 3;
  const std::size_t digitsFrom = i;
  while (i < s.size() && std::isdigit(static_cast<unsigned char>(s[i]))) ++i;
  if (i == digitsFrom || i + 7 > s.size() || s[i] != '.') return 0;
  for (std::size_t k = i + 1; k < i + 7; ++k) {
    if (!std::isdigit(static_cast<unsigned char>(s[k]))) return 0;
  }
  return i + 7;
}

// Length of a "%d" number at the start of `s`, else 0.
inline std::size_t integerAt(std::string_view s) {
  std::size_t i = s.starts_with('-') ? 1 : 0;
  const std::size_t digitsFrom = i;
  while (i < s.size() && std::isdigit(static_cast<unsigned char>(s[i]))) ++i;
  return i == digitsFrom ? 0 : i;
}

}  // namespace grammar_detail

// True when `out` consists only of the program's own pieces of text. On
// failure, `where` (if given) receives the offset of the first stray byte.
inline bool isProgramOutput(std::string_view out, std::size_t* where = nullptr) {
  using grammar_detail::fixedNumberAt;
  using grammar_detail::integerAt;
  static const std::string_view kHeader = "Ergebnisse Biegefall ";
  static const std::vector<std::string> kPieces = {
      kMenu,
      kPause,
      kAskNr,
      kNoSuchCase,
      kAskF,
      "Laenge,E-Mo.,Traegheitsm.\nL = ",
      "\nE = ",
      "\nIy= ",
      kAskA,
      kAskX,
      kAskXq,
      kCatalogue1,
      kCatalogue2,
      kCatalogue3,
      "VELDRA,Fachbereich Bauingenieurwesen,Technische Hochschule Prof. N.N.,09.12.2026\n",
      "momentan def. Werte:\n",
      "F/M/q/q2 = ",
      "Laenge L = ",
      "Abstand a= ",
      "E-Modul E= ",
      "Iy= ",
      "x = ",
      "xq= ",
      "f     = ",
      "fm    = ",
      "xm    = ",
      "f(",
      ")= ",
      "alphaA= ",
      "alphaB= ",
      "w(x=",
      "w(",
      "wI(x=",
      "wII(x=",
      "f = ",
      "fm= ",
      "xm= ",
      "alpha = ",
      "w(x =",
      "w(xq=",
      "\n"};
  std::size_t pos = 0;
  while (pos < out.size()) {
    const std::string_view rest = out.substr(pos);
    std::size_t step = 0;
    if (rest.starts_with(kHeader)) {
      const std::size_t digits = integerAt(rest.substr(kHeader.size()));
      step = digits == 0 ? 0 : kHeader.size() + digits;
    } else {
      for (const std::string& piece : kPieces) {
        if (rest.starts_with(piece)) step = std::max(step, piece.size());
      }
      step = std::max(step, fixedNumberAt(rest));
    }
    if (step == 0) {
      if (where != nullptr) *where = pos;
      return false;
    }
    pos += step;
  }
  return true;
}

}  // namespace veldra::test
