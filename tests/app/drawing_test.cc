#include "app/drawing.h"

#include <gtest/gtest.h>

#include <string>

namespace veldra::app {
namespace {

bool has(const std::string& json, const std::string& part) {
  return json.find(part) != std::string::npos;
}

TEST(Drawing, DescribesTheBeamTheLoadAndTheMarkersOfKeyG) {
  const beam::Inputs ipe300{
      .F = 10'000, .L = 4'000, .E = 210'000, .Iy = 8.356e7, .a = 1'500, .x = 2'000};
  const std::string json = drawingJson(2, ipe300, 201);
  EXPECT_TRUE(has(json, R"("case": 2, "status": "sampled", "beam": "span")")) << json;
  EXPECT_TRUE(has(json, R"("load": {"kind": "force", "at": 1500})")) << json;
  EXPECT_TRUE(has(json, R"({"role": "x", "at": 2000, "w": 0.69453900000000002, )"
                        R"("labels": ["wII(x=2000.000000)= 0.694539"]})"))
      << json;
  EXPECT_TRUE(has(json, R"("labels": ["xm = 1859.127904", "fm = 0.698980"])")) << json;

  beam::Inputs overhang = ipe300;
  overhang.xq = 750;
  const std::string c12 = drawingJson(12, overhang, 201);
  EXPECT_TRUE(has(c12, R"("beam": "overhang")")) << c12;
  EXPECT_TRUE(has(c12, R"("load": {"kind": "uniform", "from": 4000, "to": 5500})")) << c12;
  EXPECT_TRUE(has(c12, R"({"role": "xq", "at": 4750, )")) << c12;
}

TEST(Drawing, NamesWhatIsMissingInsteadOfALine) {
  EXPECT_EQ(drawingJson(0, {}, 201), R"({"case": 0, "status": "no-case"})");
  const std::string noSpan = drawingJson(6, {.F = 1}, 201);
  EXPECT_TRUE(has(noSpan, R"("status": "no-span", "beam": "cantilever")")) << noSpan;
  EXPECT_FALSE(has(noSpan, "points")) << noSpan;
}

}  // namespace
}  // namespace veldra::app
