#include "sections/sections.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <numbers>
#include <random>
#include <string>
#include <vector>

namespace veldra::sections {
namespace {

// Iy and Iz of an I-section from its dimensions (mm), in cm^4: two flanges, the
// web between them and the four root fillets, each the square r x r less a
// quarter circle, whose area and first and second moments about the face it
// leans on are r^2 (1 - pi/4), r^3 (5/6 - pi/4) and r^4 (1 - 5 pi/16).
Moments computed(const RolledSection& s) {
  const double pi = std::numbers::pi;
  const double area = s.r * s.r * (1 - pi / 4);
  const double first = s.r * s.r * s.r * (5.0 / 6 - pi / 4);
  const double second = s.r * s.r * s.r * s.r * (1 - 5 * pi / 16);
  // The flange's inner face lies d from the y axis, the fillets towards it;
  // the web's face lies e from the z axis, the fillets away from it.
  const double d = s.h / 2 - s.tf;
  const double e = s.tw / 2;
  const double hw = s.h - 2 * s.tf;
  const double Iy = (s.b * s.h * s.h * s.h - (s.b - s.tw) * hw * hw * hw) / 12 +
                    4 * (d * d * area - 2 * d * first + second);
  const double Iz = 2 * s.tf * s.b * s.b * s.b / 12 + hw * s.tw * s.tw * s.tw / 12 +
                    4 * (e * e * area + 2 * e * first + second);
  return {Iy / 1e4, Iz / 1e4};
}

class RolledSectionRow : public ::testing::TestWithParam<RolledSection> {};

// The published moments agree with the dimensions to 0.05 % in every row; a
// digit typed wrong anywhere but in the last place of either is ten times that.
TEST_P(RolledSectionRow, PublishedMomentsAgreeWithTheDimensions) {
  const RolledSection& s = GetParam();
  const Moments m = computed(s);
  EXPECT_NEAR(m.Iy / s.Iy, 1, 0.001) << nameOf(s) << ": " << m.Iy << " cm^4";
  EXPECT_NEAR(m.Iz / s.Iz, 1, 0.001) << nameOf(s) << ": " << m.Iz << " cm^4";
  const RolledSection* found = findSection(nameOf(s));
  ASSERT_NE(found, nullptr) << nameOf(s);
  EXPECT_EQ(found->Iy, s.Iy) << nameOf(s);
}

INSTANTIATE_TEST_SUITE_P(Table, RolledSectionRow, ::testing::ValuesIn(kRolledSections),
                         [](const ::testing::TestParamInfo<RolledSection>& p) {
                           return std::string(familyName(p.param.family)) +
                                  std::to_string(p.param.size);
                         });

TEST(Sections, NamesAreFoundWithoutCaseOrBlanks) {
  for (const auto& [name, Iy] : std::vector<std::pair<std::string, double>>{
           {"IPE 200", 1943}, {"ipe200", 1943}, {" HEB 300 ", 25170}, {"hea1000", 553800}}) {
    ASSERT_NE(findSection(name), nullptr) << name;
    EXPECT_EQ(findSection(name)->Iy, Iy) << name;
  }
  for (const char* name : {"IPE 201", "HEM 300", "IPE", "", "IPE 200 x"}) {
    EXPECT_EQ(findSection(name), nullptr) << name;
  }
}

// Values moved between units by their decimal point alone, as typed.
TEST(Sections, ScaledWritesWhatAPersonTypes) {
  for (const auto& [value, decades, text] : std::vector<std::tuple<double, int, std::string>>{
           {1943, 4, "19430000"},
           {1943, -8, "1.943e-5"},
           {80.14, 4, "801400"},
           {80.14, -8, "8.014e-7"},
           {142.4, 4, "1424000"},
           {210000, -1, "21000"},
           {210000, 3, "210000000"},
           {8.49, 0, "8.49"},
           {0.125, -3, "0.000125"},
           {-2.5, 15, "-2.5e15"},
           {66666666.666666664, -4, "6666.6666666666664"},  // 17 digits to read back
       }) {
    EXPECT_EQ(scaled(value, decades), text) << value << " e" << decades;
  }
  // Unmoved, any value reads back as itself.
  std::mt19937_64 random(7);
  std::uniform_real_distribution<double> exponent(-30, 30);
  for (int k = 0; k < 1000; ++k) {
    const double v = std::pow(10.0, exponent(random));
    EXPECT_EQ(std::strtod(scaled(v, 0).c_str(), nullptr), v) << scaled(v, 0);
  }
}

TEST(Sections, ShapesFromTheirDimensions) {
  struct Row {
    Shape shape;
    std::array<double, 3> d;
    double Iy;  // mm^4, worked by hand
    double Iz;
  };
  for (const Row& r : std::vector<Row>{
           {Shape::kRectangle, {100, 200, 0}, 66666666.67, 16666666.67},
           {Shape::kRound, {100, 0, 0}, 4908738.52, 4908738.52},
           {Shape::kTube, {100, 10, 0}, 2898119.22, 2898119.22},
           {Shape::kHollowRectangle, {100, 200, 10}, 27786666.67, 8986666.67},
       }) {
    const std::optional<Moments> m = momentsOf(r.shape, r.d);
    ASSERT_TRUE(m.has_value()) << static_cast<int>(r.shape);
    EXPECT_NEAR(m->Iy, r.Iy, 0.01) << static_cast<int>(r.shape);
    EXPECT_NEAR(m->Iz, r.Iz, 0.01) << static_cast<int>(r.shape);
  }
  EXPECT_FALSE(momentsOf(Shape::kTube, {100, 50, 0}));  // no hole left
  EXPECT_FALSE(momentsOf(Shape::kHollowRectangle, {100, 200, 50}));
  EXPECT_FALSE(momentsOf(Shape::kRectangle, {100, -200, 0}));
  EXPECT_FALSE(momentsOf(Shape::kRound, {NAN, 0, 0}));
}

}  // namespace
}  // namespace veldra::sections
