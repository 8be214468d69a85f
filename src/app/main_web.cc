// The calculator in the browser page: the same dialogue as everywhere. Its
// state lives here, where the page's drawing reads it each time the dialogue
// waits for a key; the dialogue never learns that anyone does.
//
// What the page asks for is exported with EMSCRIPTEN_KEEPALIVE, which alone
// decides the exports besides main. Each text is returned as a NUL-terminated string that
// stays valid until the next call of the same function.

#include <emscripten.h>

#include <cstdlib>
#include <optional>
#include <string>
#include <string_view>

#include "beam/report.h"
#include "console/console.h"
#include "console/system_streams.h"
#include "dialogue/dialogue.h"
#include "dialogue/input_state.h"
#include "dialogue/texts.h"
#include "drawing/drawing.h"
#include "drawing/drawing_json.h"
#include "drawing/stated.h"

namespace {

veldra::dialogue::InputState gState;
std::optional<veldra::drawing::Printed> gPrinted;  // the values of the last report
veldra::drawing::Stated gStated;                   // units, section and material the page states

void onReport(const veldra::dialogue::InputState& state) {
  gPrinted = veldra::drawing::Printed{state.Nr, state.beam};
}

// The page's terminal hears what the next key is for (web/terminal.js).
EM_JS(void, veldra_waiting, (int anyKey), { Module.veldraTerminal.waiting(anyKey > 0); });

void onWaiting(veldra::dialogue::KeyWait wait) {
  veldra_waiting(wait == veldra::dialogue::KeyWait::kAnyKey ? 1 : 0);
}

// And which value a number read is for.
EM_JS(void, veldra_asking, (const char* field, int size),
      { Module.veldraTerminal.asking(UTF8ToString(field, size)); });

void onAsking(std::string_view field) {
  veldra_asking(field.data(), static_cast<int>(field.size()));
}

// The section aid's choice: a rolled section (kind 0, `index` into
// kRolledSections) or a shape (kind 1, into kShapes, its dimensions in mm).
std::optional<veldra::drawing::Choice> choiceOf(int units, int material, int kind, int index,
                                                int weak, double d1, double d2, double d3) {
  return kind == 0 ? veldra::drawing::rolledChoice(units, material, index, weak != 0)
                   : veldra::drawing::shapeChoice(units, material, index, weak != 0, {d1, d2, d3});
}

}  // namespace

// The drawing of the values entered so far (see drawing/drawing_json.h).
// Called by the page while the dialogue waits; it only reads.
extern "C" EMSCRIPTEN_KEEPALIVE const char* veldra_drawing(int points) {
  static std::string json;
  json = veldra::drawing::toJson(
      veldra::drawing::drawCase(gState.Nr, gState.beam, points, gPrinted, gStated));
  return json.c_str();
}

// The section aid's catalogue (see drawing/stated.h).
extern "C" EMSCRIPTEN_KEEPALIVE const char* veldra_sections() {
  static const std::string json = veldra::drawing::sectionCatalogueJson();
  return json.c_str();
}

// What the aid offers of a choice: {name, E, I, source}, or {} for none.
extern "C" EMSCRIPTEN_KEEPALIVE const char* veldra_choice(int units, int material, int kind,
                                                          int index, int weak, double d1, double d2,
                                                          double d3) {
  static std::string json;
  json = veldra::drawing::choiceJson(choiceOf(units, material, kind, index, weak, d1, d2, d3));
  return json.c_str();
}

// The units the user works in (an index of kUnitSystems; -1 for none): the
// drawing and the printout name them.
extern "C" EMSCRIPTEN_KEEPALIVE void veldra_state_units(int units) {
  gStated.units = veldra::drawing::unitsOf(units);
}

// The aid has typed E or the second moment of this choice: the drawing names
// its section and material while the program holds both.
extern "C" EMSCRIPTEN_KEEPALIVE void veldra_state_choice(int units, int material, int kind,
                                                         int index, int weak, double d1, double d2,
                                                         double d3) {
  const std::optional<veldra::drawing::Choice> c =
      choiceOf(units, material, kind, index, weak, d1, d2, d3);
  gStated.source = c ? c->source : std::string();
  gStated.E = c ? std::strtod(c->E.c_str(), nullptr) : 0;
  gStated.Iy = c ? std::strtod(c->I.c_str(), nullptr) : 0;
}

// What the stated units mean, for the printout; empty without.
extern "C" EMSCRIPTEN_KEEPALIVE const char* veldra_units_note() {
  static std::string text;
  text = veldra::drawing::unitsNote(gStated.units);
  return text.c_str();
}

// What key w would show now (see dialogue/dialogue.h): the values for the
// page's printout.
extern "C" EMSCRIPTEN_KEEPALIVE const char* veldra_values() {
  static std::string text;
  text = veldra::dialogue::valuesText(gState);
  return text.c_str();
}

// The last report that key g printed, byte for byte as it was printed; empty
// before the first.
extern "C" EMSCRIPTEN_KEEPALIVE const char* veldra_report() {
  static std::string text;
  text = gPrinted ? veldra::beam::resultReport(gPrinted->Nr, gPrinted->in) : std::string();
  return text.c_str();
}

// 1 when the last report is that of the values entered now, else 0.
extern "C" EMSCRIPTEN_KEEPALIVE int veldra_report_current() {
  return veldra::drawing::sameValues(gState.Nr, gState.beam, gPrinted) ? 1 : 0;
}

// The version line and licence, as --version prints them elsewhere.
extern "C" EMSCRIPTEN_KEEPALIVE const char* veldra_version() {
  static const std::string text(veldra::dialogue::kVersion);
  return text.c_str();
}

// The page calls main itself (exported, as a program's main always is), as an
// asynchronous call, and gets the exit status back once the run has ended.
int main() {
  veldra::console::StdinSource in;
  veldra::console::StdoutSink out;
  veldra::console::SystemNotes notes;
  veldra::console::Console console(in, out, &notes);
  const int status = veldra::dialogue::runMenu(
      console, gState, {.reported = onReport, .waiting = onWaiting, .asking = onAsking});
  return veldra::dialogue::statusAtEnd(status, out.finish(), notes);
}
