#include "console/console.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <limits>
#include <ostream>
#include <string>
#include <vector>

#include "support/scripted_console.h"

namespace veldra::console {
namespace {

using test::CapturedSink;
using test::ScriptedSource;

constexpr double kInf = std::numeric_limits<double>::infinity();
constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr double kUntouched = 99;  // every field starts here
constexpr int kEnd = ByteSource::kEnd;

struct ReadCase {
  const char* name;
  std::string script;
  std::string reads;             // one letter a read: 'i' = "%d", 'd' = "%lf", 'k' = a key
  std::vector<double> expected;  // the field (or key code) after each read
};

void PrintTo(const ReadCase& c, std::ostream* os) { *os << c.name; }

class NumberReading : public ::testing::TestWithParam<ReadCase> {};

TEST_P(NumberReading, LeavesFieldsAndKeysAsTypedInput) {
  const ReadCase& c = GetParam();
  ASSERT_EQ(c.reads.size(), c.expected.size());
  ScriptedSource in(c.script);
  CapturedSink out;
  Console console(in, out);
  for (std::size_t i = 0; i < c.reads.size(); ++i) {
    double got = kUntouched;
    if (c.reads[i] == 'i') {
      std::int32_t field = static_cast<std::int32_t>(kUntouched);
      console.readInt(field);
      got = field;
    } else if (c.reads[i] == 'd') {
      console.readDouble(got);
    } else {
      got = console.waitKey().value_or(kEnd);
    }
    if (std::isnan(c.expected[i])) {
      EXPECT_TRUE(std::isnan(got)) << "read " << i;
    } else {
      EXPECT_EQ(got, c.expected[i]) << "read " << i;
    }
  }
  EXPECT_EQ(out.text(), "") << "number entry prints nothing";
}

const std::string kLongLine = std::string(kLineLimit, ' ') + "5\n3\n";
const std::string kLastKeptByte = std::string(kLineLimit - 1, ' ') + "5\n3\n";

INSTANTIATE_TEST_SUITE_P(
    Table, NumberReading,
    ::testing::Values(
        ReadCase{"plain_int", "42\n", "ik", {42, kEnd}},
        ReadCase{"negative_int", "-17\n", "i", {-17}}, ReadCase{"plus_sign", "+5\n", "i", {5}},
        ReadCase{"int_stops_at_point", "3.9\n", "id", {3, 0.9}},
        ReadCase{"decimal", "3.75\n", "d", {3.75}},
        ReadCase{"negative_exponent", "-2.5e3\n", "d", {-2500}},
        ReadCase{"small_exponent", "1E-2\n", "d", {0.01}},
        ReadCase{"leading_point", ".5\n", "d", {0.5}},
        ReadCase{"three_on_a_line", "3 1 1\n", "ddd", {3, 1, 1}},
        ReadCase{"tabs_between", "1\t2\n", "dd", {1, 2}},
        ReadCase{"empty_lines_skipped", "\n\n  \t 8\n", "d", {8}},
        ReadCase{"crlf_line_end", "5\r\nq", "dk", {5, 'q'}},
        ReadCase{"letters_keep_field", "abc\n7\n", "dd", {kUntouched, 7}},
        ReadCase{"failure_drops_rest_of_line", "x 4\n6\n", "dd", {kUntouched, 6}},
        ReadCase{"trailing_junk_pending", "12abc\n", "ddk", {12, kUntouched, kEnd}},
        ReadCase{"key_skips_pending_rest", "4.5x\nq", "dk", {4.5, 'q'}},
        ReadCase{"pending_survives_key", "2 5\nw", "ikd", {2, 'w', 5}},
        ReadCase{"int_overflow_saturates", "99999999999\n", "i", {2147483647}},
        ReadCase{"int_underflow_saturates", "-99999999999\n", "i", {-2147483648.0}},
        ReadCase{"int_limit", "2147483647 -2147483648\n", "ii", {2147483647, -2147483648.0}},
        ReadCase{"int_is_decimal_only", "031\n0x1A\n", "ii", {31, 0}},
        ReadCase{"inf", "inf -INF\n", "dd", {kInf, -kInf}}, ReadCase{"nan", "nan\n", "d", {kNaN}},
        ReadCase{"hex_float", "0x1p4\n", "d", {16}},
        ReadCase{"double_overflow", "1e999\n", "d", {kInf}},
        ReadCase{"end_of_input", "", "dik", {kUntouched, kUntouched, kEnd}},
        ReadCase{"number_at_end_without_newline", "7", "dk", {7, kEnd}},
        ReadCase{"sign_alone", "-\n2\n", "dd", {kUntouched, 2}},
        ReadCase{"nul_byte",
                 std::string("\0"
                             "9\n3\n",
                             5),
                 "dd",
                 {kUntouched, 3}},
        ReadCase{"high_bytes", "\xff\xa0 1\n2\n", "dd", {kUntouched, 2}},
        ReadCase{"line_cut_at_terminal_limit", kLongLine, "d", {3}},
        ReadCase{"last_byte_the_terminal_keeps", kLastKeptByte, "d", {5}}),
    [](const ::testing::TestParamInfo<ReadCase>& p) { return std::string(p.param.name); });

TEST(WaitKey, FlushesBeforeWaiting) {
  ScriptedSource in("k");
  CapturedSink out;
  Console console(in, out);
  console.print("Nr= ");
  EXPECT_EQ(console.waitKey(), 'k');
  EXPECT_EQ(out.flushed, "Nr= ");
}

TEST(WaitKey, FlushesOnlyBeforeAReadThatMayWait) {
  ScriptedSource in("k5\n");
  in.readAhead = true;
  CapturedSink out;
  Console console(in, out);
  console.print("menu");
  EXPECT_EQ(console.waitKey(), 'k');
  double v = 0;
  console.readDouble(v);
  EXPECT_EQ(out.flushes, 0) << "the input was at hand";
  console.print("Nr= ");
  EXPECT_EQ(console.waitKey(), std::nullopt);
  EXPECT_EQ(out.flushed, "menuNr= ") << "shown before the read that found the end";
}

TEST(WaitKey, EndsWhenOutputIsGone) {
  ScriptedSource in("kkk");
  CapturedSink out;
  out.closeAfter = 1;
  Console console(in, out);
  EXPECT_EQ(console.waitKey(), 'k');
  EXPECT_EQ(console.waitKey(), std::nullopt);
}

TEST(NumberReadingMemory, OverlongLineKeepsOnlyTheTerminalsShare) {
  // A million-digit number converts from its first 4095 digits only.
  ScriptedSource in("1" + std::string(1'000'000, '0') + "\n2\n");
  CapturedSink out;
  Console console(in, out);
  double v = 0;
  console.readDouble(v);
  EXPECT_EQ(v, kInf);
  console.readDouble(v);
  EXPECT_EQ(v, 2);
}

}  // namespace
}  // namespace veldra::console
