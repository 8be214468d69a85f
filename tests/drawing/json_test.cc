#include "drawing/json.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <nlohmann/json.hpp>
#include <string>

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
  struct Row {
    std::string text;
    const char* json;
  };
  for (const Row& r : std::vector<Row>{
           {"Größte", R"("Größte")"},
           {R"(say "q\n")", R"("say \"q\\n\"")"},
           {"line\nend\ttab", R"("line\u000aend\u0009tab")"},
           {std::string("\0\x1f\x7f", 3), R"("\u0000\u001f)"
                                          "\x7f\""},
       }) {
    JsonWriter json;
    json.value(r.text);
    EXPECT_EQ(json.text(), r.json);
    EXPECT_EQ(nlohmann::json::parse(json.text()).get<std::string>(), r.text);
  }
}

TEST(JsonWriter, WritesEveryDoubleExactlyAndNoInfinity) {
  for (const double v : {0.1, 1.0 / 3, -2.5e-310, 1.7976931348623157e308, 0.375}) {
    JsonWriter json;
    json.value(v);
    EXPECT_EQ(nlohmann::json::parse(json.text()).get<double>(), v) << json.text();
  }
  JsonWriter json;
  json.beginArray().value(std::numeric_limits<double>::infinity()).value(std::nan("")).endArray();
  EXPECT_EQ(json.text(), "[null,null]");
}

// What the page reads is the drawing, every number to the last bit and every
// part under its own name.
TEST(DrawingJson, HoldsTheDrawingExactly) {
  for (const std::int32_t Nr : {2, 7, 12}) {
    const beam::Inputs in{
        .F = 3, .L = 7, .E = 11, .Iy = 13, .a = Nr == 2 ? 2.9 : 1.7, .x = 1.9, .xq = 0.7};
    const Drawing d = drawCase(Nr, in, 41, Printed{Nr, in});
    const nlohmann::json j = nlohmann::json::parse(toJson(d));
    const std::string what = "case " + std::to_string(Nr);
    EXPECT_EQ(j["case"], Nr);
    EXPECT_EQ(j["status"], "sampled") << what;
    EXPECT_EQ(j["subtitle"], std::string(d.subtitle)) << what;
    EXPECT_EQ(j["summary"], d.summary) << what;
    ASSERT_TRUE(d.beam && d.beam->load && d.line) << what;

    const Load& load = *d.beam->load;
    const nlohmann::json& l = j["load"];
    if (Nr == 12) {
      EXPECT_EQ(l["kind"], "uniform") << what;
      EXPECT_EQ(l["from"].get<double>(), load.from) << what;
      EXPECT_EQ(l["to"].get<double>(), load.to) << what;
    } else {
      EXPECT_EQ(l["kind"], Nr == 2 ? "force" : "moment") << what;
      EXPECT_EQ(l["u"].get<double>(), load.from) << what;
    }
    EXPECT_EQ(l["down"], load.down) << what;
    EXPECT_EQ(l.contains("clockwise"), Nr == 7) << what;
    EXPECT_EQ(l["label"], load.label) << what;

    ASSERT_EQ(j["supports"].size(), d.beam->supports.size()) << what;
    for (std::size_t k = 0; k < d.beam->supports.size(); ++k) {
      EXPECT_EQ(j["supports"][k]["role"], std::string(d.beam->supports[k].role)) << what;
      EXPECT_EQ(j["supports"][k]["u"].get<double>(), d.beam->supports[k].u) << what;
    }
    ASSERT_EQ(j["dimensions"].size(), d.beam->dimensions.size()) << what;
    for (std::size_t k = 0; k < d.beam->dimensions.size(); ++k) {
      const Dimension& dim = d.beam->dimensions[k];
      EXPECT_EQ(j["dimensions"][k]["role"], std::string(dim.role)) << what;
      EXPECT_EQ(j["dimensions"][k]["from"].get<double>(), dim.from) << what;
      EXPECT_EQ(j["dimensions"][k]["to"].get<double>(), dim.to) << what;
    }
    EXPECT_EQ(j.contains("overhang"), Nr == 12) << what;
    if (Nr == 12) {
      EXPECT_EQ(j["overhang"]["from"].get<double>(), d.beam->overhang->from);
    }

    ASSERT_EQ(j["line"].size(), d.line->points.size()) << what;
    for (std::size_t k = 0; k < d.line->points.size(); ++k) {
      EXPECT_EQ(j["line"][k][0].get<double>(), d.line->points[k].u) << what << " point " << k;
      EXPECT_EQ(j["line"][k][1].get<double>(), d.line->points[k].v) << what << " point " << k;
    }
    ASSERT_EQ(j["markers"].size(), d.line->markers.size()) << what;
    for (std::size_t k = 0; k < d.line->markers.size(); ++k) {
      const Marker& m = d.line->markers[k];
      const nlohmann::json& jm = j["markers"][k];
      EXPECT_EQ(jm["role"], std::string(m.role)) << what;
      EXPECT_EQ(jm["tag"], std::string(m.tag)) << what;
      EXPECT_EQ(jm["u"].get<double>(), m.u) << what;
      EXPECT_EQ(jm["v"].get<double>(), m.v) << what;
      ASSERT_EQ(jm["labels"].size(), m.labels.size()) << what;
      for (std::size_t i = 0; i < m.labels.size(); ++i) {
        EXPECT_EQ(jm["labels"][i]["text"], m.labels[i].text) << what;
      }
    }
    EXPECT_EQ(j["ratio"], d.line->ratio) << what;
    EXPECT_FALSE(j.contains("legend")) << what;
  }
}

TEST(DrawingJson, NotesAreKindAndText) {
  const Drawing d = drawCase(1, {.F = 1, .L = 4, .E = -1, .Iy = 1, .x = 9}, 11);
  const nlohmann::json j = nlohmann::json::parse(toJson(d));
  EXPECT_EQ(j["status"], "stiffness");
  ASSERT_EQ(j["notes"].size(), d.notes.size());
  for (std::size_t k = 0; k < d.notes.size(); ++k) {
    EXPECT_EQ(j["notes"][k]["kind"], std::string(d.notes[k].kind));
    EXPECT_EQ(j["notes"][k]["text"], d.notes[k].text);
  }
  EXPECT_FALSE(j.contains("line"));
}

}  // namespace
}  // namespace veldra::drawing
