#include "drawing/json.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <nlohmann/json.hpp>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "drawing/drawing.h"
#include "drawing/drawing_json.h"

namespace veldra::drawing {
namespace {

TEST(JsonWriter, NestsAndSeparates) {
  JsonWriter json;
  json.beginObject().key("a").beginArray().value(1).value(2.5).beginObject();
  json.key("b").value(true).key("c").beginArray().endArray().endObject().endArray();
  json.key("d").value("x").endObject();
  EXPECT_EQ(json.text(), R"({"a":[1,2.5,{"b":true,"c":[]}],"d":"x"})");
}

TEST(JsonWriter, EscapesWhatJsonRequiresAndKeepsUtf8) {
  using namespace std::literals;
  const std::string text{"Größte \"q\\n\"\nend\t\0\x1f\x7f"sv};
  JsonWriter json;
  json.value(text);
  EXPECT_EQ(json.text(), R"("Größte \"q\\n\"\u000aend\u0009\u0000\u001f)"
                         "\x7f\"");
  EXPECT_EQ(nlohmann::json::parse(json.text()).get<std::string>(), text);
}

TEST(JsonWriter, WritesEveryDoubleExactlyAndNoInfinity) {
  JsonWriter json;
  json.beginArray();
  for (const double v : {0.1, 1.0 / 3, -2.5e-310, 1.7976931348623157e308}) json.value(v);
  json.value(std::numeric_limits<double>::infinity()).value(std::nan("")).endArray();
  EXPECT_EQ(nlohmann::json::parse(json.text()),
            nlohmann::json::parse("[0.1, 0.3333333333333333, -2.5e-310, 1.7976931348623157e308, "
                                  "null, null]"));
  EXPECT_EQ(nlohmann::json::parse(json.text())[1].get<double>(), 1.0 / 3);
}

// What the page reads is the drawing, every number to the last bit and every
// part under its own name.
TEST(DrawingJson, HoldsTheDrawingExactly) {
  // The kinds of load by the names the page draws them by.
  for (const auto& [Nr, kind] : std::vector<std::pair<std::int32_t, std::string>>{
           {2, "force"}, {7, "moment"}, {12, "uniform"}, {5, "rising"}, {10, "falling"}}) {
    const beam::Inputs in{.F = 3, .L = 7, .E = 11, .Iy = 13, .a = 1.7, .x = 1.9, .xq = 0.7};
    const Drawing d = drawCase(Nr, in, 41, Printed{Nr, in});
    ASSERT_TRUE(d.beam && d.beam->load && d.line && !d.line->markers.empty()) << Nr;
    const nlohmann::json j = nlohmann::json::parse(toJson(d));
    EXPECT_EQ(j["status"], "sampled") << Nr;
    EXPECT_EQ(j["subtitle"], std::string(d.subtitle)) << Nr;

    const Load& load = *d.beam->load;
    const nlohmann::json& l = j["load"];
    EXPECT_EQ(l["kind"], kind) << Nr;
    if (load.kind != beam::LoadKind::kForce && load.kind != beam::LoadKind::kMoment) {
      EXPECT_EQ(l["from"].get<double>(), load.from) << Nr;
      EXPECT_EQ(l["to"].get<double>(), load.to) << Nr;
    } else {
      EXPECT_EQ(l["u"].get<double>(), load.from) << Nr;
    }
    EXPECT_EQ(l.contains("clockwise"), Nr == 7) << Nr;
    EXPECT_EQ(j["supports"].back()["role"], std::string(d.beam->supports.back().role)) << Nr;
    EXPECT_EQ(j["dimensions"].back()["to"].get<double>(), d.beam->dimensions.back().to) << Nr;

    ASSERT_EQ(j["line"].size(), d.line->points.size()) << Nr;
    for (std::size_t k = 0; k < d.line->points.size(); ++k) {
      EXPECT_EQ(j["line"][k][0].get<double>(), d.line->points[k].u) << Nr << " point " << k;
      EXPECT_EQ(j["line"][k][1].get<double>(), d.line->points[k].v) << Nr << " point " << k;
    }
    const Marker& m = d.line->markers.back();
    EXPECT_EQ(j["markers"].back()["role"], std::string(m.role)) << Nr;
    EXPECT_EQ(j["markers"].back()["tag"], std::string(m.tag)) << Nr;
    EXPECT_EQ(j["markers"].back()["v"].get<double>(), m.v) << Nr;
    EXPECT_EQ(j["markers"].back()["labels"][0]["text"], m.labels[0].text) << Nr;
    EXPECT_EQ(j["ratio"], d.line->ratio) << Nr;
  }
}

}  // namespace
}  // namespace veldra::drawing
