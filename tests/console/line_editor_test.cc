#include "console/line_editor.h"

#include <gtest/gtest.h>

#include <ostream>
#include <string>

namespace veldra::console {
namespace {

struct Edit {
  const char* name;
  LineKeys keys;
  std::string typed;
  std::string line;  // what the read gets
  std::string echo;  // what the terminal shows meanwhile
  std::size_t used;  // bytes taken up to the line's end; the rest waits for the next read
};

void PrintTo(const Edit& e, std::ostream* os) { *os << e.name; }

class LineEditing : public ::testing::TestWithParam<Edit> {};

TEST_P(LineEditing, GivesTheLineAndTheEchoOfATerminal) {
  const Edit& e = GetParam();
  LineEditor editor(e.keys);
  std::string echo;
  std::size_t used = 0;
  bool ended = false;
  while (used < e.typed.size() && !ended) {
    ended = editor.take(static_cast<unsigned char>(e.typed[used++]), echo);
  }
  EXPECT_EQ(editor.line(), e.line);
  EXPECT_EQ(echo, e.echo);
  EXPECT_EQ(used, e.used);
  EXPECT_TRUE(ended || used == e.typed.size());
}

const LineKeys kTerminal{};  // DEL erases, Ctrl-U kills, Ctrl-D ends, ^X echoed
const LineKeys kBackspaceErases{.erase = 0x08};
const LineKeys kBothErase{.erase2 = 0x08};
const LineKeys kNoEchoControl{.echoControl = false};
const LineKeys kNoEcho{.echo = false};
const LineKeys kNoKill{.kill = -1};
const LineKeys kSemicolonEndsLines{.endOfLine = ';'};
const LineKeys kSemicolonEndsLinesToo{.endOfLine2 = ';'};
const std::string kLong(5000, '7');

INSTANTIATE_TEST_SUITE_P(
    LineEditor, LineEditing,
    ::testing::Values(
        Edit{"enter", kTerminal, "12\n34", "12\n", "12\n", 3},
        Edit{"erase", kTerminal, "129\x7f.5\n", "12.5\n", "129\b \b.5\n", 7},
        Edit{"erase_at_start", kTerminal,
             "\x7f"
             "5\n",
             "5\n", "5\n", 3},
        Edit{"erase_of_a_control_byte", kTerminal, "1\x01\x7f\n", "1\n", "1^A\b \b\b \b\n", 4},
        Edit{"kill", kTerminal,
             "12\x15"
             "3\n",
             "3\n", "12\b \b\b \b3\n", 5},
        Edit{"end_of_file_at_start", kTerminal,
             "\x04"
             "5\n",
             "", "", 1},
        Edit{"end_of_file_after_digits", kTerminal,
             "12\x04"
             "5",
             "12", "12", 3},
        Edit{"control_bytes_shown", kBackspaceErases, "\x1b\x7f\t\x08\n", "\x1b\x7f\n",
             "^[^?\t\b \b\n", 5},
        Edit{"control_bytes_as_they_are", kNoEchoControl, "\x1b\n", "\x1b\n", "\x1b\n", 2},
        Edit{"second_erase_key", kBothErase, "12\x08\n", "1\n", "12\b \b\n", 4},
        Edit{"no_echo", kNoEcho, "12\x7f\n", "1\n", "", 4},
        Edit{"disabled_key_is_a_byte", kNoKill, "1\x15\n", "1\x15\n", "1^U\n", 3},
        Edit{"end_of_line_key", kSemicolonEndsLines, "12;3", "12;", "12;", 3},
        Edit{"second_end_of_line_key", kSemicolonEndsLinesToo, "12;3", "12;", "12;", 3},
        Edit{"longer_than_a_line", kTerminal, kLong + "\n", kLong.substr(0, kLineLimit) + "\n",
             kLong.substr(0, kLineLimit) + "\n", kLong.size() + 1}),
    [](const ::testing::TestParamInfo<Edit>& p) { return std::string(p.param.name); });

}  // namespace
}  // namespace veldra::console
