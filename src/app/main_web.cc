// The calculator in the browser page: the same dialogue as everywhere. Its
// state lives here, where the page's drawing reads it each time the dialogue
// waits for a key; the dialogue never learns that anyone does.

#include <emscripten.h>

#include <optional>
#include <string>

#include "app/drawing.h"
#include "beam/report.h"
#include "console/console.h"
#include "console/system_streams.h"
#include "dialogue/dialogue.h"
#include "dialogue/input_state.h"
#include "dialogue/texts.h"

namespace {

veldra::dialogue::InputState gState;
std::optional<veldra::app::Printed> gPrinted;  // the values of the last report
std::string gDrawing;
std::string gText;

void onReport(const veldra::dialogue::InputState& state) {
  gPrinted = veldra::app::Printed{state.Nr, state.beam};
}

}  // namespace

// The drawing of the values entered so far (see app/drawing.h), valid until the
// next call. Called by the page while the dialogue waits; it only reads.
extern "C" EMSCRIPTEN_KEEPALIVE const char* veldra_drawing(int points) {
  gDrawing = veldra::app::drawingJson(gState.Nr, gState.beam, points, gPrinted);
  return gDrawing.c_str();
}

// What key w would show now (see dialogue/dialogue.h), valid until the next
// call: the values for the page's printout.
extern "C" EMSCRIPTEN_KEEPALIVE const char* veldra_values() {
  gText = veldra::dialogue::valuesText(gState);
  return gText.c_str();
}

// The last report that key g printed, byte for byte as it was printed; empty
// before the first. Valid until the next call.
extern "C" EMSCRIPTEN_KEEPALIVE const char* veldra_report() {
  gText = gPrinted ? veldra::beam::resultReport(gPrinted->Nr, gPrinted->in) : std::string();
  return gText.c_str();
}

// 1 when the last report is that of the values entered now, else 0.
extern "C" EMSCRIPTEN_KEEPALIVE int veldra_report_current() {
  return veldra::app::sameValues(gState.Nr, gState.beam, gPrinted) ? 1 : 0;
}

// The version line and licence, as --version prints them elsewhere.
extern "C" EMSCRIPTEN_KEEPALIVE const char* veldra_version() {
  return veldra::dialogue::kVersion.data();
}

int main() {
  veldra::console::StdinSource in;
  veldra::console::StdoutSink out;
  veldra::console::NoteSink notes;
  veldra::console::Console console(in, out, &notes);
  return out.finish(veldra::dialogue::runMenu(console, gState, onReport),
                    veldra::dialogue::kOutputFailed);
}
