#include "dialogue/dialogue.h"

#include <algorithm>
#include <array>
#include <string_view>

#include "beam/report.h"
#include "beam/six_decimals.h"
#include "dialogue/input_state.h"
#include "dialogue/texts.h"

namespace veldra::dialogue {
namespace {

using console::Console;

// Whether the session goes on after a command.
enum class Flow { Continue, Stop };

// Waits for any key. Stops the session when none can come any more.
Flow anyKey(Console& console) { return console.waitKey() ? Flow::Continue : Flow::Stop; }

Flow pause(Console& console) {
  console.print(kPausePrompt);
  return anyKey(console);
}

Flow showBanner(Console& console, InputState& /*state*/) {
  console.print(kBanner);
  return pause(console);
}

Flow showCatalogue(Console& console, InputState& /*state*/) {
  for (const std::string_view page : kCataloguePages) {
    console.print(page);
    if (pause(console) == Flow::Stop) return Flow::Stop;
  }
  return Flow::Continue;
}

Flow enterCaseNumber(Console& console, InputState& s) {
  console.print(kAskCaseNumber);
  console.readInt(s.Nr);
  // Tested on whatever Nr holds now, also after a read that converted nothing;
  // a rejected number stays stored.
  if (beam::namesLoadCase(s.Nr)) return Flow::Continue;
  console.print(kNoSuchCase);
  return anyKey(console);
}

// Prints a prompt and reads a value into `field` (unchanged when nothing converts).
void ask(Console& console, std::string_view prompt, double& field) {
  console.print(prompt);
  console.readDouble(field);
}

Flow enterLoad(Console& console, InputState& s) {
  ask(console, kAskLoad, s.beam.F);
  return Flow::Continue;
}

Flow enterSpanAndStiffness(Console& console, InputState& s) {
  ask(console, kAskSpan, s.beam.L);
  ask(console, kAskModulus, s.beam.E);
  ask(console, kAskSecondMoment, s.beam.Iy);
  return Flow::Continue;
}

Flow enterDistance(Console& console, InputState& s) {
  ask(console, kAskDistance, s.beam.a);
  return Flow::Continue;
}

Flow enterCoordinates(Console& console, InputState& s) {
  ask(console, kAskCoordinate, s.beam.x);
  // Only the overhang cases have a second coordinate; otherwise xq keeps its value.
  if (s.Nr == 11 || s.Nr == 12) ask(console, kAskOverhangCoordinate, s.beam.xq);
  return Flow::Continue;
}

// cppcheck-suppress constParameter ; every command of the key table takes the state alike
Flow showValues(Console& console, InputState& s) {
  const auto show = [&console](std::string_view label, double v) {
    console.print(label);
    console.print(beam::sixDecimals(v));
    console.print("\n");
  };
  const beam::Inputs& b = s.beam;
  console.print(kValuesHeading);
  show(kValueLabels.F, b.F);
  show(kValueLabels.L, b.L);
  show(kValueLabels.a, b.a);
  show(kValueLabels.E, b.E);
  show(kValueLabels.Iy, b.Iy);
  show(kValueLabels.x, b.x);
  show(kValueLabels.xq, b.xq);
  return pause(console);
}

Flow computeResults(Console& console, InputState& s) {
  console.print(beam::resultReport(s.Nr, s.beam));
  return pause(console);
}

Flow quit(Console& /*console*/, InputState& /*state*/) { return Flow::Stop; }

struct KeyCommand {
  int key;
  // cppcheck-suppress unusedStructMember ; called through the table in runMenu
  Flow (*run)(Console&, InputState&);
};

// Only these ten codes act; every other code just brings the menu back.
constexpr std::array kKeyCommands = {
    KeyCommand{'i', showBanner},
    KeyCommand{'b', showCatalogue},
    KeyCommand{'n', enterCaseNumber},
    KeyCommand{'f', enterLoad},
    KeyCommand{'l', enterSpanAndStiffness},
    KeyCommand{'a', enterDistance},
    KeyCommand{'x', enterCoordinates},
    KeyCommand{'w', showValues},
    KeyCommand{'g', computeResults},
    KeyCommand{'q', quit},
};

}  // namespace

int runMenu(Console& console) {
  InputState state;
  return runMenu(console, state);
}

int runMenu(Console& console, InputState& state) {
  for (;;) {
    console.print(kMenu);
    const std::optional<int> key = console.waitKey();
    if (!key) break;
    const auto* command = std::find_if(kKeyCommands.begin(), kKeyCommands.end(),
                                       [&](const KeyCommand& c) { return c.key == *key; });
    if (command != kKeyCommands.end() && command->run(console, state) == Flow::Stop) break;
  }
  // Whether this last output arrived is the console owner's to report.
  (void)console.flush();
  return kExitStatus;
}

}  // namespace veldra::dialogue
