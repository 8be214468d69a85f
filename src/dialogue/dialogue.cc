#include "dialogue/dialogue.h"

#include <algorithm>
#include <array>
#include <optional>
#include <string>
#include <string_view>

#include "beam/catalogue.h"
#include "beam/caveats.h"
#include "beam/report.h"
#include "beam/six_decimals.h"
#include "dialogue/input_state.h"
#include "dialogue/texts.h"
#include "sections/sections.h"

namespace veldra::dialogue {
namespace {

using console::Console;

// What a command works on.
struct Session {
  Console& console;
  InputState& state;
  Listeners listeners;

  // Waits for a key that is for `wait`; none once no key can come any more.
  std::optional<int> waitKey(KeyWait wait) {
    if (listeners.waiting != nullptr) listeners.waiting(wait);
    return console.waitKey();
  }

  // Tells who listens which value the next number read is for.
  void asking(std::string_view field) const {
    if (listeners.asking != nullptr) listeners.asking(field);
  }
};

// Whether the session goes on after a command.
enum class Flow { Continue, Stop };

// Waits for any key. Stops the session when none can come any more.
Flow anyKey(Session& session) {
  return session.waitKey(KeyWait::kAnyKey) ? Flow::Continue : Flow::Stop;
}

Flow pause(Session& session) {
  session.console.print(kPausePrompt);
  return anyKey(session);
}

Flow showBanner(Session& session) {
  session.console.print(kBanner);
  return pause(session);
}

Flow showCatalogue(Session& session) {
  auto line = beam::loadCases().begin();
  for (const std::size_t length : kCataloguePageLengths) {
    for (std::size_t k = 0; k < length; ++k, ++line) {
      session.console.print(catalogueLine(line->Nr, line->title));
    }
    if (pause(session) == Flow::Stop) return Flow::Stop;
  }
  return Flow::Continue;
}

// Says what a read dropped: the decimal part after a comma, or a word that is
// no number. The dialogue's own output stays as it is.
void noteDropped(Console& console, const Console::Read& read, std::string_view name,
                 const std::string& value) {
  const auto show = [&console](const Note& n) { console.note(n.kind, n.text); };
  if (read.result == Console::Read::Result::kNoNumber) {
    show(notANumberNote(read.text, name, value));
  } else if (read.result == Console::Read::Result::kNumber && read.after.starts_with(',')) {
    show(decimalCommaNote(read.text, read.after));
  }
}

Flow enterCaseNumber(Session& session) {
  Console& console = session.console;
  InputState& s = session.state;
  console.print(kAskCaseNumber);
  session.asking("Nr");
  const Console::Read read = console.readInt(s.Nr);
  noteDropped(console, read, "Nr", std::to_string(s.Nr));
  // Tested on whatever Nr holds now, also after a read that converted nothing;
  // a rejected number stays stored.
  if (beam::findLoadCase(s.Nr) != nullptr) return Flow::Continue;
  console.print(kNoSuchCase);
  return anyKey(session);
}

// Prints a prompt and reads a value into `field` (unchanged when nothing
// converts), with a note when a typed character was dropped.
void ask(Session& session, std::string_view prompt, double& field, std::string_view name) {
  Console& console = session.console;
  console.print(prompt);
  session.asking(name);
  const Console::Read read = console.readDouble(field);
  noteDropped(console, read, name, beam::sixDecimals(field));
}

Flow enterLoad(Session& session) {
  InputState& s = session.state;
  ask(session, kAskLoad, s.beam.F, "F");
  return Flow::Continue;
}

Flow enterSpanAndStiffness(Session& session) {
  InputState& s = session.state;
  ask(session, kAskSpan, s.beam.L, "L");
  ask(session, kAskModulus, s.beam.E, "E");
  ask(session, kAskSecondMoment, s.beam.Iy, "Iy");
  return Flow::Continue;
}

Flow enterDistance(Session& session) {
  InputState& s = session.state;
  ask(session, kAskDistance, s.beam.a, "a");
  return Flow::Continue;
}

Flow enterCoordinates(Session& session) {
  InputState& s = session.state;
  ask(session, kAskCoordinate, s.beam.x, "x");
  // Only a beam with an overhang has a second coordinate; otherwise xq keeps
  // its value.
  const beam::LoadCase* c = beam::findLoadCase(s.Nr);
  if (c != nullptr && c->support == beam::Support::kOverhang) {
    ask(session, kAskOverhangCoordinate, s.beam.xq, "xq");
  }
  return Flow::Continue;
}

Flow showValues(Session& session) {
  session.console.print(valuesText(session.state));
  return pause(session);
}

// The report, then on standard error a note for each value that puts the
// beam out of the meaning of its formulas.
Flow computeResults(Session& session) {
  const InputState& s = session.state;
  const beam::Report report = beam::computeReport(s.Nr, s.beam);
  session.console.print(beam::renderReport(report));
  for (const beam::Caveat caveat : beam::caveatsOfReport(report, s.beam)) {
    const Note n = caveatNote(caveat, *beam::findLoadCase(s.Nr), s.beam);
    session.console.note(n.kind, n.text);
  }
  if (session.listeners.reported != nullptr) session.listeners.reported(s);
  return pause(session);
}

Flow quit(Session& /*session*/) { return Flow::Stop; }

struct KeyCommand {
  int key;
  // cppcheck-suppress unusedStructMember ; called through the table in runMenu
  Flow (*run)(Session&);
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

std::string valuesText(const InputState& state) {
  std::string text(kValuesHeading);
  const auto show = [&text](std::string_view label, double v) {
    text.append(label).append(beam::sixDecimals(v)).append("\n");
  };
  const beam::Inputs& b = state.beam;
  show(kValueLabels.F, b.F);
  show(kValueLabels.L, b.L);
  show(kValueLabels.a, b.a);
  show(kValueLabels.E, b.E);
  show(kValueLabels.Iy, b.Iy);
  show(kValueLabels.x, b.x);
  show(kValueLabels.xq, b.xq);
  return text;
}

std::optional<int> answerArguments(std::span<const std::string_view> arguments,
                                   console::ByteSink& out, console::NoteSink& notes) {
  if (arguments.empty()) return std::nullopt;
  if (arguments.size() == 1 && (arguments[0] == "--help" || arguments[0] == "--version")) {
    out.write(arguments[0] == "--help" ? usageText() : std::string(kVersion));
    return 0;
  }
  if (arguments.size() == 2 && arguments[0] == "--querschnitt") {
    const sections::RolledSection* section = sections::findSection(arguments[1]);
    if (section != nullptr) {
      out.write(sectionText(*section));
      return 0;
    }
    const Note n = unknownSectionNote(arguments[1]);
    notes.note(n.kind, n.text);
    return kUsageStatus;
  }
  const auto unknown = std::find_if(arguments.begin(), arguments.end(), [](std::string_view a) {
    return a != "--help" && a != "--version";
  });
  const Note n = unknownArgumentNote(unknown != arguments.end() ? *unknown : arguments[1]);
  notes.note(n.kind, n.text);
  return kUsageStatus;
}

int statusAtEnd(int status, const std::optional<std::string>& outputFailure,
                console::NoteSink& notes) {
  if (!outputFailure) return status;
  const Note n = outputFailedNote(*outputFailure);
  notes.note(n.kind, n.text);
  return kOutputFailedStatus;
}

int runMenu(Console& console) {
  InputState state;
  return runMenu(console, state);
}

int runMenu(Console& console, InputState& state, Listeners listeners) {
  Session session{console, state, listeners};
  for (;;) {
    console.print(kMenu);
    const std::optional<int> key = session.waitKey(KeyWait::kMenu);
    if (!key) break;
    const auto* command = std::find_if(kKeyCommands.begin(), kKeyCommands.end(),
                                       [&](const KeyCommand& c) { return c.key == *key; });
    if (command != kKeyCommands.end() && command->run(session) == Flow::Stop) break;
  }
  // Whether this last output arrived is the console owner's to report.
  (void)console.flush();
  return kExitStatus;
}

}  // namespace veldra::dialogue
