#include "beam/report.h"

#include <algorithm>
#include <array>
#include <string_view>

#include "beam/six_decimals.h"

namespace veldra::beam {
namespace {

// "label<v>\n"
std::string line(std::string_view label, double v) {
  std::string text(label);
  text += sixDecimals(v);
  text += '\n';
  return text;
}

// "label<at>)= <v>\n", a value at a coordinate.
std::string lineAt(std::string_view label, double at, double v) {
  std::string text(label);
  text += sixDecimals(at);
  text += ")= ";
  text += sixDecimals(v);
  text += '\n';
  return text;
}

std::string forceAtMidSpanLines(const Inputs& in) {
  const SymmetricSpan r = forceAtMidSpan(in);
  return line("fm    = ", r.fm) + line("alphaA= ", r.alphaA) + line("alphaB= ", r.alphaB) +
         lineAt("w(x=", in.x, r.w);
}

std::string forceOffCentreLines(const Inputs& in) {
  const OffCentreForce r = forceOffCentre(in);
  std::string text = line("f     = ", r.f) + line("fm    = ", r.fm) + line("xm    = ", r.xm) +
                     line("alphaA= ", r.alphaA) + line("alphaB= ", r.alphaB);
  if (r.wI) text += lineAt("wI(x=", in.x, *r.wI);
  if (r.wII) text += lineAt("wII(x=", in.x, *r.wII);
  return text;
}

// Cases 31 and 32 print alike but for the label of the deflection line.
std::string endMomentLines(const EndMoment& r, std::string_view wLabel, double x) {
  return lineAt("f(", r.xf, r.f) + line("fm    = ", r.fm) + line("xm    = ", r.xm) +
         line("alphaA= ", r.alphaA) + line("alphaB= ", r.alphaB) + lineAt(wLabel, x, r.w);
}

std::string uniformLoadLines(const Inputs& in) {
  const SymmetricSpan r = uniformLoad(in);
  return line("fm    = ", r.fm) + line("alphaA= ", r.alphaA) + line("alphaB= ", r.alphaB) +
         lineAt("w(", in.x, r.w);
}

std::string triangularLoadLines(const Inputs& in) {
  const TriangularSpan r = triangularLoad(in);
  return line("fm    = ", r.fm) + line("xm    = ", r.xm) + line("alphaA= ", r.alphaA) +
         line("alphaB= ", r.alphaB) + lineAt("w(", in.x, r.w);
}

std::string cantileverLines(const Cantilever& r, double x) {
  return line("f     = ", r.f) + line("alphaA= ", r.alphaA) + lineAt("w(", x, r.w);
}

std::string overhangLines(const Overhang& r, const Inputs& in) {
  return line("f = ", r.f) + line("fm= ", r.fm) + line("xm= ", r.xm) + line("alpha = ", r.alpha) +
         line("alphaA= ", r.alphaA) + line("alphaB= ", r.alphaB) + lineAt("w(x =", in.x, r.w) +
         lineAt("w(xq=", in.xq, r.wq);
}

struct LoadCase {
  std::int32_t Nr;
  std::string (*lines)(const Inputs&);
};

// In the order in which the case numbers are tested.
constexpr std::array kLoadCases = {
    LoadCase{1, forceAtMidSpanLines},
    LoadCase{2, forceOffCentreLines},
    LoadCase{31, [](const Inputs& in) { return endMomentLines(momentAtA(in), "w(x=", in.x); }},
    LoadCase{32, [](const Inputs& in) { return endMomentLines(momentAtB(in), "w(", in.x); }},
    LoadCase{4, uniformLoadLines},
    LoadCase{5, triangularLoadLines},
    LoadCase{6, [](const Inputs& in) { return cantileverLines(cantileverForce(in), in.x); }},
    LoadCase{7, [](const Inputs& in) { return cantileverLines(cantileverMoment(in), in.x); }},
    LoadCase{8, [](const Inputs& in) { return cantileverLines(cantileverUniformLoad(in), in.x); }},
    LoadCase{9, [](const Inputs& in) { return cantileverLines(cantileverRisingLoad(in), in.x); }},
    LoadCase{10, [](const Inputs& in) { return cantileverLines(cantileverFallingLoad(in), in.x); }},
    LoadCase{11, [](const Inputs& in) { return overhangLines(overhangForce(in), in); }},
    LoadCase{12, [](const Inputs& in) { return overhangLines(overhangUniformLoad(in), in); }},
};

const LoadCase* findLoadCase(std::int32_t Nr) {
  const auto* it = std::find_if(kLoadCases.begin(), kLoadCases.end(),
                                [Nr](const LoadCase& c) { return c.Nr == Nr; });
  return it == kLoadCases.end() ? nullptr : it;
}

}  // namespace

bool namesLoadCase(std::int32_t Nr) { return findLoadCase(Nr) != nullptr; }

std::string resultReport(std::int32_t Nr, const Inputs& in) {
  std::string text = "Ergebnisse Biegefall " + std::to_string(Nr) + "\n";
  if (const LoadCase* c = findLoadCase(Nr)) text += c->lines(in);
  return text;
}

}  // namespace veldra::beam
