#include "dialogue/texts.h"

#include <algorithm>
#include <utility>

#include "beam/six_decimals.h"
#include "dialogue/exit_status.h"
#include "dialogue/release.h"

namespace veldra::dialogue {

const std::string_view kMenu =
    "Biegelinie,i Info\n"
    "   b Info der Biegefaelle\n"
    "F1 n Nr. Biegefall\n"
    "F2 f Kraft/Moment/StrLa\n"
    "F3 l Laenge,E-Modul,Iy\n"
    "F4 a Abstand a\n"
    "F5 x Koordinaten x und xq\n"
    "F6 w momentan def. Werte\n"
    "F7 g Berechne\n"
    "F8 q Exit\n";

const std::string_view kBanner =
    "VELDRA,Fachbereich Bauingenieurwesen,Technische Hochschule Prof. N.N.," VELDRA_RELEASE_DATE_DMY
    "\n";

const std::string_view kPausePrompt = "weiter mit bel.Taste..";

const std::string_view kAskCaseNumber = "Nr.des Biegefalls\nNr= ";
const std::string_view kNoSuchCase = "\n!Biegefall gibt's nicht!\n";

const std::string_view kAskLoad = "Kraft/Moment/Streckenl.\nF/M/q/q1/q2= ";
const std::string_view kAskSpan = "Laenge,E-Mo.,Traegheitsm.\nL = ";
const std::string_view kAskModulus = "\nE = ";
const std::string_view kAskSecondMoment = "\nIy= ";
const std::string_view kAskDistance = "Abstand\na= ";
const std::string_view kAskCoordinate = "Koordinate\nx= ";
const std::string_view kAskOverhangCoordinate = "\nxq= ";

const std::string_view kValuesHeading = "momentan def. Werte:\n";
const ValueLabels kValueLabels = {
    .F = "F/M/q/q2 = ",
    .L = "Laenge L = ",
    .a = "Abstand a= ",
    .E = "E-Modul E= ",
    .Iy = "Iy= ",
    .x = "x = ",
    .xq = "xq= ",
};

std::string catalogueLine(std::int32_t Nr, std::string_view title) {
  std::string line = "+Fall ";
  line += std::to_string(Nr);
  line += ':';
  line += title;
  line += '\n';
  return line;
}

namespace {

// A typed word as a note quotes it: a long one shortened.
std::string quotedWord(std::string_view word) {
  constexpr std::size_t kLongest = 24;
  std::string text(word.substr(0, kLongest));
  if (word.size() > kLongest) text += "...";
  return "\"" + text + "\"";
}

}  // namespace

Note decimalCommaNote(std::string_view number, std::string_view rest) {
  std::string typed(number);
  typed += rest;
  std::string meant = typed;
  meant[number.size()] = '.';
  return {"decimal-comma", quotedWord(typed) + " gelesen als " + std::string(number) + ", " +
                               quotedWord(rest) + " verworfen - Dezimalpunkt verwenden: " + meant};
}

Note notANumberNote(std::string_view word, std::string_view field, std::string_view value) {
  return {"not-a-number", quotedWord(word) + " ist keine Zahl - " + std::string(field) +
                              " bleibt " + std::string(value)};
}

namespace {

// German text as the dialogue writes it: umlauts as two letters, the sharp s
// as "ss"; any other byte beyond ASCII as "?".
std::string ascii(std::string_view utf8) {
  static constexpr std::array<std::pair<std::string_view, std::string_view>, 7> kLetters = {{
      {"ä", "ae"},
      {"ö", "oe"},
      {"ü", "ue"},
      {"Ä", "Ae"},
      {"Ö", "Oe"},
      {"Ü", "Ue"},
      {"ß", "ss"},
  }};
  std::string text;
  for (std::size_t at = 0; at < utf8.size();) {
    const auto* const letter = std::find_if(kLetters.begin(), kLetters.end(), [&](const auto& l) {
      return utf8.substr(at).starts_with(l.first);
    });
    if (letter != kLetters.end()) {
      text += letter->second;
      at += letter->first.size();
    } else if (static_cast<unsigned char>(utf8[at]) < 0x80) {
      text += utf8[at++];
    } else {
      text += '?';
      for (++at; at < utf8.size() && (static_cast<unsigned char>(utf8[at]) & 0xc0) == 0x80;) ++at;
    }
  }
  return text;
}

}  // namespace

Note caveatNote(beam::Caveat caveat, const beam::LoadCase& c, const beam::Inputs& in) {
  const beam::CaveatEntry& entry = beam::entryOf(caveat);
  return {entry.name, ascii(entry.note(c, in, beam::sixDecimals))};
}

Note outputFailedNote(std::string_view reason) {
  return {"output-failed", "Fehler beim Schreiben der Ausgabe (" + std::string(reason) + ")"};
}

Note unknownArgumentNote(std::string_view argument) {
  return {"unknown-argument", "unbekanntes Argument " + quotedWord(argument) +
                                  " - veldra --help zeigt, was veldra kennt"};
}

Note unknownSectionNote(std::string_view name) {
  return {"unknown-section", "kein Querschnitt namens " + quotedWord(name) +
                                 " - bekannt sind IPE 80 bis 600, HEA 100 bis 1000 und HEB "
                                 "100 bis 1000, etwa --querschnitt \"IPE 200\""};
}

std::string sectionText(const sections::RolledSection& section) {
  const auto mm = [](double v) { return sections::scaled(v, 0) + " mm"; };
  const auto moment = [](std::string_view axis, double cm4) {
    return std::string(axis) + " = " + sections::scaled(cm4, 0) +
           " cm^4 = " + sections::scaled(cm4, 4) + " mm^4\n";
  };
  return sections::nameOf(section) + " (EN 10365): h = " + mm(section.h) +
         ", b = " + mm(section.b) + ", tw = " + mm(section.tw) + ", tf = " + mm(section.tf) +
         ", r = " + mm(section.r) + "\n" + moment("Iy", section.Iy) + moment("Iz", section.Iz);
}

std::string usageText() {
  // The statuses right-aligned in their column, as the table shows them.
  const auto status = [](int code) {
    std::string text = std::to_string(code);
    return std::string(5 - text.size(), ' ') + text;
  };
  return "Aufruf: veldra [--help | --version | --querschnitt NAME]\n"
         "\n"
         "VELDRA berechnet die elastische Durchbiegung gerader Traeger fuer dreizehn\n"
         "Biegefaelle. Ohne Argument beginnt der Dialog: eine Taste waehlt den Befehl,\n"
         "Zahlen werden getippt und mit Enter abgeschlossen, mit Dezimalpunkt (12.5),\n"
         "mehrere durch Leerzeichen getrennt. Die Einheiten waehlen Sie selbst, nur\n"
         "zueinander passend (etwa N und mm).\n"
         "\n"
         "Tasten:\n"
         "  i  Information              b  die dreizehn Biegefaelle\n"
         "  n  Nr. des Biegefalls       f  Kraft, Moment oder Streckenlast F\n"
         "  l  Laenge L, E-Modul, Iy    a  Abstand a\n"
         "  x  Koordinaten x und xq     w  momentan definierte Werte\n"
         "  g  Berechnen                q  Ende\n"
         "\n"
         "Optionen:\n"
         "  --help     diese Hilfe\n"
         "  --version  Version und Lizenz\n"
         "  --querschnitt NAME\n"
         "             Abmessungen, Iy und Iz eines Walzprofils: IPE 80 bis 600, HEA und\n"
         "             HEB 100 bis 1000, etwa --querschnitt \"IPE 200\" (Gross- und\n"
         "             Kleinschreibung und Leerzeichen gleich)\n"
         "\n"
         "Exit-Status:\n" +
         status(kExitStatus) +
         "  am Ende jedes Dialogs: nach q, am Ende der Eingabe, oder wenn der Leser\n"
         "       der Ausgabe fortgeht\n" +
         status(0) + "  nach --help, --version und --querschnitt mit einem bekannten Namen\n" +
         status(kUsageStatus) + "  bei einem Argument, das veldra nicht kennt\n" +
         status(kOutputFailedStatus) + "  wenn die Ausgabe nicht geschrieben werden konnte\n";
}

const std::string_view kVersion =
    "veldra " VELDRA_VERSION
    "\n"
    "Copyright (c) 2026 The VELDRA developers\n"
    "Lizenz MIT: freie Software, Sie duerfen sie aendern und weitergeben.\n"
    "Es gibt keine Garantie, soweit das Gesetz es zulaesst.\n";

}  // namespace veldra::dialogue
