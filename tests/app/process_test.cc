// The built program, fed through a pipe as a script would feed it.

#include <gtest/gtest.h>

#include <string>

#include "support/child_process.h"
#include "support/transcripts.h"

namespace veldra::testing {
namespace {

class ProgramTranscript : public ::testing::TestWithParam<Transcript> {};

TEST_P(ProgramTranscript, PrintsExactlyTheExpectedBytesAndExits113) {
  const Transcript& t = GetParam();
  const Finished f = runPiped(t.input);
  EXPECT_EQ(f.signal, 0);
  EXPECT_EQ(f.status, 113);
  EXPECT_EQ(f.output, t.expected);
}

std::string caseName(const ::testing::TestParamInfo<Transcript>& p) {
  return std::string(p.param.name) + "_" + std::to_string(p.index);
}

INSTANTIATE_TEST_SUITE_P(Dialogue, ProgramTranscript, ::testing::ValuesIn(dialogueTranscripts()),
                         caseName);
INSTANTIATE_TEST_SUITE_P(Reports, ProgramTranscript, ::testing::ValuesIn(reportTranscripts()),
                         caseName);

TEST(Program, ReaderThatGoesAwayEndsTheRun) {
  std::string session;
  for (int i = 0; i < 20000; ++i) session += "w ";
  const Finished f = runPiped(session, /*closeOutputEarly=*/true);
  EXPECT_EQ(f.signal, 0);
  EXPECT_EQ(f.status, 113);
}

TEST(Program, IgnoresItsLocaleEnvironment) {
  // A German locale would print decimal commas through printf; the program
  // never adopts the environment's locale.
  setenv("LC_ALL", "de_DE.UTF-8", 1);
  const Finished f = runPiped("f1.5\nw q");
  unsetenv("LC_ALL");
  EXPECT_NE(f.output.find("F/M/q/q2 = 1.500000\n"), std::string::npos);
}

}  // namespace
}  // namespace veldra::testing
