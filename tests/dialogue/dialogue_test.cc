#include "dialogue/dialogue.h"

#include <gtest/gtest.h>

#include <numeric>
#include <string>
#include <utility>
#include <vector>

#include "beam/catalogue.h"
#include "console/console.h"
#include "dialogue/texts.h"
#include "support/output_grammar.h"
#include "support/scripted_console.h"
#include "support/transcripts.h"

namespace veldra::dialogue {
namespace {

using test::CapturedSink;
using test::ScriptedSource;
using test::Transcript;

struct Outcome {
  int status;
  std::string output;
  int keyReads;
};

Outcome run(const std::string& input) {
  ScriptedSource in(input);
  CapturedSink out;
  console::Console console(in, out);
  const int status = runMenu(console);
  return {status, out.text(), in.keyReads};
}

class DialogueTranscript : public ::testing::TestWithParam<Transcript> {};

TEST_P(DialogueTranscript, PrintsExactlyTheExpectedBytes) {
  const Transcript& t = GetParam();
  const Outcome r = run(t.input);
  EXPECT_EQ(r.status, 113);
  EXPECT_EQ(r.output, t.expected);
  EXPECT_TRUE(test::isProgramOutput(t.expected)) << "the fuzzer's check would reject it";
}

std::string caseName(const ::testing::TestParamInfo<Transcript>& p) {
  return std::string(p.param.name) + "_" + std::to_string(p.index);
}

INSTANTIATE_TEST_SUITE_P(Dialogue, DialogueTranscript,
                         ::testing::ValuesIn(test::dialogueTranscripts()), caseName);
INSTANTIATE_TEST_SUITE_P(Reports, DialogueTranscript,
                         ::testing::ValuesIn(test::reportTranscripts()), caseName);

// The check that the fuzzer applies to output from arbitrary input.
TEST(OutputGrammar, RejectsWhatTheProgramNeverPrints) {
  using test::isProgramOutput;
  using test::kMenu;
  std::size_t where = 0;
  for (const std::string& stray :
       {std::string("w"), std::string("1.5"), std::string("Ergebnisse Biegefall \n"),
        std::string("fm    = 1.00000\n"), std::string("x = 1,000000\n"), std::string("x = -nan\n"),
        std::string("\0", 1)}) {
    EXPECT_FALSE(isProgramOutput(kMenu + stray, &where)) << stray;
    EXPECT_GE(where, kMenu.size()) << stray;
  }
  EXPECT_TRUE(isProgramOutput(kMenu + "Ergebnisse Biegefall -7\nw(x =-inf)= nan\n"));
}

TEST(Dialogue, KeyWaitsAreCountedPerCommand) {
  // b waits three times, i once, a rejected number once; plus one wait at each menu.
  EXPECT_EQ(run("b123").keyReads, 1 + 3 + 1);
  EXPECT_EQ(run("i1").keyReads, 1 + 1 + 1);
  EXPECT_EQ(run("n3\nk").keyReads, 1 + 1 + 1);
  EXPECT_EQ(run("n4\n").keyReads, 1 + 1);
}

TEST(Dialogue, EndsAtOnceWhenTheOutputIsGone) {
  ScriptedSource in("wwwwwwwwww");
  CapturedSink out;
  out.closeAfter = 2;
  console::Console console(in, out);
  EXPECT_EQ(runMenu(console), 113);
  EXPECT_EQ(in.keyReads, 2);
}

// Key b's pages show each case of the catalogue once.
TEST(Dialogue, CataloguePagesHoldEveryCase) {
  EXPECT_EQ(
      std::accumulate(kCataloguePageLengths.begin(), kCataloguePageLengths.end(), std::size_t{0}),
      beam::loadCases().size());
}

// The notes reach the page as data: what each is about, and its line.
TEST(Dialogue, NotesSayWhatTheyAreAbout) {
  struct Notes final : console::NoteSink {
    void note(std::string_view kind, std::string_view text) override {
      seen += std::string(kind) + ": " + std::string(text) + "\n";
    }
    std::string seen;
  } notes;
  ScriptedSource in("f12,5\na\nq");
  CapturedSink out;
  console::Console console(in, out, &notes);
  (void)runMenu(console);
  EXPECT_EQ(notes.seen,
            "decimal-comma: \"12,5\" gelesen als 12, \",5\" verworfen - Dezimalpunkt verwenden: "
            "12.5\nnot-a-number: \",5\" ist keine Zahl - a bleibt 0.000000\n");
}

// After a stop (Ctrl-Z, fg) the terminal shows again what is asked: the
// prompt of a number read, the menu, the pause; standard output stays as it is.
TEST(Dialogue, ShowsAgainWhatIsAskedAfterAStop) {
  struct Row {
    const char* script;
    std::size_t stoppedAt;  // before the read of this byte
    std::string shown;
  };
  for (const Row& r : std::vector<Row>{
           {"w q", 0, test::kMenu},
           {"n2\nq", 1, "Nr= "},
           {"l4000\n210000\n8e7\nq", 6, "E = "},
           {"l4000 210000 8e7\nq", 17, test::kMenu},
           {"w q", 1, test::kPause},
           {"w q", 2, test::kMenu},  // not the values and the pause before it
           {"n3\nxq", 3, test::kNoSuchCase},
       }) {
    ScriptedSource stopped(r.script);
    stopped.resumedAt = r.stoppedAt;
    CapturedSink out;
    console::Console console(stopped, out);
    EXPECT_EQ(runMenu(console), 113);
    EXPECT_EQ(stopped.shownAgain, r.shown) << r.script;
    EXPECT_EQ(out.text(), run(r.script).output) << r.script;
  }
}

// Whoever runs the dialogue hears what each key is for, a command at the
// menu (M) or any key that goes on (A), and which value each number is for.
TEST(Dialogue, SaysWhatEachKeyAndNumberIsFor) {
  static std::string heard;
  const Listeners listeners{
      .waiting = [](KeyWait w) { heard += w == KeyWait::kMenu ? 'M' : 'A'; },
      .asking = [](std::string_view field) { heard += "[" + std::string(field) + "]"; }};
  for (const auto& [script, waits] : std::vector<std::pair<std::string, std::string>>{
           {"i q", "MAM"},
           {"b   q", "MAAAM"},
           {"n3\n q", "M[Nr]AM"},
           {"n2\nq", "M[Nr]M"},
           {"w g q", "MAMAM"},
           {"l1 2 3\nf4\nq", "M[L][E][Iy]M[F]M"},
           {"n11\na1\nx2 3\nq", "M[Nr]M[a]M[x][xq]M"},
       }) {
    heard.clear();
    ScriptedSource in(script);
    CapturedSink out;
    console::Console console(in, out);
    InputState state;
    EXPECT_EQ(runMenu(console, state, listeners), 113);
    EXPECT_EQ(heard, waits) << script;
  }
}

TEST(Dialogue, BadValuesStillGiveAWholeReport) {
  // Span zero: every line is still printed, with IEEE non-finite values.
  const Outcome r = run("n11\nf1\nl0 0 0\ng q");
  const std::string report = r.output.substr(r.output.find("Ergebnisse Biegefall 11\n"));
  for (const char* label : {"\nf = ", "\nfm= ", "\nxm= ", "\nalpha = ", "\nalphaA= ", "\nalphaB= ",
                            "\nw(x =0.000000)= ", "\nw(xq=0.000000)= "}) {
    EXPECT_NE(report.find(label), std::string::npos) << label;
  }
  EXPECT_NE(report.find("nan"), std::string::npos);
  EXPECT_EQ(r.status, 113);
}

}  // namespace
}  // namespace veldra::dialogue
