// The calculator in the browser page: the same dialogue as everywhere. Its
// state lives here, where the page's drawing reads it each time the dialogue
// waits for a key; the dialogue never learns that anyone does.

#include <emscripten.h>

#include <optional>
#include <string>

#include "app/drawing.h"
#include "console/console.h"
#include "console/system_streams.h"
#include "dialogue/dialogue.h"
#include "dialogue/input_state.h"
#include "dialogue/texts.h"

namespace {

veldra::dialogue::InputState gState;
std::optional<veldra::app::Printed> gPrinted;  // the values of the last report
std::string gDrawing;

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

int main() {
  veldra::console::StdinSource in;
  veldra::console::StdoutSink out;
  veldra::console::NoteSink notes;
  veldra::console::Console console(in, out, &notes);
  return out.finish(veldra::dialogue::runMenu(console, gState, onReport),
                    veldra::dialogue::kOutputFailed);
}
