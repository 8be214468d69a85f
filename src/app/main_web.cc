// The calculator in the browser page: the same dialogue as everywhere. Its
// state lives here, where the page's drawing reads it each time the dialogue
// waits for a key; the dialogue never learns that anyone does.
//
// What the page asks for is exported with EMSCRIPTEN_KEEPALIVE, which alone
// decides the exports besides main. Each text is returned as a NUL-terminated string that
// stays valid until the next call of the same function.

#include <emscripten.h>

#include <optional>
#include <string>

#include "beam/report.h"
#include "console/console.h"
#include "console/system_streams.h"
#include "dialogue/dialogue.h"
#include "dialogue/input_state.h"
#include "dialogue/texts.h"
#include "drawing/drawing.h"
#include "drawing/drawing_json.h"

namespace {

veldra::dialogue::InputState gState;
std::optional<veldra::drawing::Printed> gPrinted;  // the values of the last report

void onReport(const veldra::dialogue::InputState& state) {
  gPrinted = veldra::drawing::Printed{state.Nr, state.beam};
}

// The page's terminal hears what the next key is for (web/terminal.js).
EM_JS(void, veldra_waiting, (int anyKey), { Module.veldraTerminal.waiting(anyKey > 0); });

void onWaiting(veldra::dialogue::KeyWait wait) {
  veldra_waiting(wait == veldra::dialogue::KeyWait::kAnyKey ? 1 : 0);
}

}  // namespace

// The drawing of the values entered so far (see drawing/drawing_json.h).
// Called by the page while the dialogue waits; it only reads.
extern "C" EMSCRIPTEN_KEEPALIVE const char* veldra_drawing(int points) {
  static std::string json;
  json =
      veldra::drawing::toJson(veldra::drawing::drawCase(gState.Nr, gState.beam, points, gPrinted));
  return json.c_str();
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
  const int status =
      veldra::dialogue::runMenu(console, gState, {.reported = onReport, .waiting = onWaiting});
  return veldra::dialogue::statusAtEnd(status, out.finish(), notes);
}
