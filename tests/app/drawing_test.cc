#include "app/drawing.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <limits>
#include <string>
#include <vector>

#include "beam/catalogue.h"

namespace veldra::app {
namespace {

bool has(const std::string& json, const std::string& part) {
  return json.find(part) != std::string::npos;
}

// The numbers of a JSON array of pairs that starts after `key`.
std::vector<std::pair<double, double>> pairs(const std::string& json, const std::string& key) {
  std::vector<std::pair<double, double>> found;
  std::size_t at = json.find(key);
  if (at == std::string::npos) return found;
  const std::size_t end = json.find("]]", at);
  for (at = json.find("[[", at) + 1; at < end; at = json.find('[', at + 1)) {
    char* rest = nullptr;
    const double u = std::strtod(json.c_str() + at + 1, &rest);
    const double v = std::strtod(rest + 1, nullptr);
    found.emplace_back(u, v);
  }
  return found;
}

// Each marker's "u" and "v", in order.
std::vector<std::pair<double, double>> markers(const std::string& json) {
  std::vector<std::pair<double, double>> found;
  for (std::size_t at = json.find("\"role\": \""); at != std::string::npos;
       at = json.find("\"role\": \"", at + 1)) {
    const std::size_t u = json.find("\"u\": ", at);
    const std::size_t v = json.find("\"v\": ", at);
    found.emplace_back(std::strtod(json.c_str() + u + 5, nullptr),
                       std::strtod(json.c_str() + v + 5, nullptr));
  }
  return found;
}

// The drawn line between its two nearest points at u.
double lineAt(const std::vector<std::pair<double, double>>& line, double u) {
  for (std::size_t k = 1; k < line.size(); ++k) {
    const auto [u1, v1] = line[k - 1];
    const auto [u2, v2] = line[k];
    if (u >= u1 && u <= u2) return u2 == u1 ? v1 : v1 + (v2 - v1) * (u - u1) / (u2 - u1);
  }
  return std::nan("");
}

// Every case, with loads from 1e-300 to 1e290 (beyond that L^3 F overflows):
// the marks stay on the line
// (within a pixel of a 480 px beam), the line is drawn at a visible scale, and
// no number of the description is other than finite.
TEST(Drawing, MarksLieOnTheLineAtEveryMagnitude) {
  for (const beam::LoadCase& c : beam::loadCases()) {
    for (const double F : {1e-300, 1e-6, 1.0, 1e6, 1e290}) {
      const beam::Inputs in{
          .F = F, .L = 4'000, .E = 210'000, .Iy = 8.356e7, .a = 1'200, .x = 1'000, .xq = 600};
      const std::string json = drawingJson(c.Nr, in, 401, Printed{c.Nr, in});
      const std::string what =
          "case " + std::to_string(c.Nr) + ", F " + std::to_string(std::log10(F));
      ASSERT_TRUE(has(json, R"("status": "sampled")")) << what << json;
      EXPECT_FALSE(has(json, "nan") || has(json, "inf") || has(json, "null")) << what;
      const auto line = pairs(json, "\"line\": ");
      ASSERT_EQ(line.size(), 401U) << what;
      double deepest = 0;
      for (const auto& [u, v] : line) deepest = std::max(deepest, std::abs(v));
      EXPECT_GE(deepest, 1.0 / 20) << what;
      EXPECT_LE(deepest, 1.0 / 8) << what;
      const auto marks = markers(json);
      EXPECT_GE(marks.size(), 2U) << what;
      for (const auto& [u, v] : marks) {
        EXPECT_NEAR(v, lineAt(line, u), 1.0 / 480) << what << " mark at u = " << u;
      }
    }
  }
}

TEST(Drawing, SaysWhatIsNotWellDefinedAndDrawsOnlyWhatIs) {
  constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
  const beam::Inputs steel{.F = 10, .L = 4'000, .E = 210'000, .Iy = 8.356e7, .a = 1'500};
  struct Row {
    std::int32_t Nr;
    beam::Inputs in;
    const char* status;
    bool load;  // the load is drawn
  };
  const auto with = [&steel](auto change) {
    beam::Inputs in = steel;
    change(in);
    return in;
  };
  for (const Row& r : std::vector<Row>{
           {0, steel, "no-case", false},
           {3, steel, "unknown-case", false},
           {2, steel, "sampled", true},
           {2, with([](beam::Inputs& in) { in.a = 5'000; }), "force-off-span", false},
           {2, with([](beam::Inputs& in) { in.a = 4'000; }), "force-on-support", true},
           {1, with([](beam::Inputs& in) { in.E = -1; }), "stiffness", true},
           {1, with([](beam::Inputs& in) { in.Iy = HUGE_VAL; }), "stiffness", true},
           {4, with([](beam::Inputs& in) { in.L = 1e-310; }), "tiny", false},
           {12, with([](beam::Inputs& in) { in.a = kNaN; }), "no-span", false},
           {11, with([](beam::Inputs& in) { in.a = -500; }), "no-span", false},
           {8, with([](beam::Inputs& in) { in.F = kNaN; }), "not-finite", false},
       }) {
    const std::string json = drawingJson(r.Nr, r.in, 101);
    const std::string what = "case " + std::to_string(r.Nr) + " " + r.status;
    EXPECT_TRUE(has(json, std::string(R"("status": ")") + r.status + "\"")) << what << json;
    EXPECT_EQ(has(json, "\"line\""), std::string(r.status) == "sampled") << what;
    EXPECT_EQ(has(json, "\"load\""), r.load) << what << json;
    EXPECT_EQ(has(json, R"("notes": [])"), std::string(r.status) == "sampled") << what;
  }
}

// The labels are the lines key g printed, and only for the values it printed.
TEST(Drawing, LabelsOnlyWhatKeyGPrintedForTheseValues) {
  beam::Inputs in{.F = 10'000, .L = 4'000, .E = 210'000, .Iy = 8.356e7, .a = 1'500, .x = 1'500};
  const std::string json = drawingJson(2, in, 201, Printed{2, in});
  EXPECT_TRUE(has(json, R"({"text": "fm = 0.698980", "shown": "fm = 0.698980"})")) << json;
  EXPECT_TRUE(has(json, R"("ratio": "fm = L/5723")")) << json;
  // Both pieces where x = a, and f under the force.
  EXPECT_TRUE(has(json, R"("text": "wI(x=1500.000000)= 0.667826")")) << json;
  EXPECT_TRUE(has(json, R"("text": "wII(x=1500.000000)= 0.667826")")) << json;
  EXPECT_TRUE(has(json, R"({"role": "f", "u": 0.375, )")) << json;

  const beam::Inputs printed = in;
  in.F = 20'000;
  const std::string changed = drawingJson(2, in, 201, Printed{2, printed});
  EXPECT_FALSE(has(changed, "fm = ")) << changed;
  EXPECT_TRUE(has(changed, R"("legend": "Werte geändert: Taste g berechnet die Ergebnisse neu.")"))
      << changed;

  in.F = 1e200;  // a long line is shortened, whole in the tooltip
  const std::string huge = drawingJson(1, in, 201, Printed{1, in});
  EXPECT_TRUE(has(huge, R"("shown": "fm = 7.59838e+195")")) << huge;
}

}  // namespace
}  // namespace veldra::app
