#include "beam/report.h"

#include <algorithm>
#include <array>
#include <string_view>

#include "beam/six_decimals.h"

namespace veldra::beam {
namespace {

// The lines of one report, appended to a single string as they are formed.
class Lines {
 public:
  explicit Lines(std::string& text) : text_(text) {}

  // "label<v>\n"
  Lines& add(std::string_view label, double v) {
    text_ += label;
    appendSixDecimals(text_, v);
    text_ += '\n';
    return *this;
  }

  // "label<at>)= <v>\n", a value at a coordinate.
  Lines& addAt(std::string_view label, double at, double v) {
    text_ += label;
    appendSixDecimals(text_, at);
    text_ += ")= ";
    appendSixDecimals(text_, v);
    text_ += '\n';
    return *this;
  }

 private:
  std::string& text_;
};

void forceAtMidSpanLines(const Inputs& in, Lines& out) {
  const SymmetricSpan r = forceAtMidSpan(in);
  out.add("fm    = ", r.fm).add("alphaA= ", r.alphaA).add("alphaB= ", r.alphaB);
  out.addAt("w(x=", in.x, r.w);
}

void forceOffCentreLines(const Inputs& in, Lines& out) {
  const OffCentreForce r = forceOffCentre(in);
  out.add("f     = ", r.f).add("fm    = ", r.fm).add("xm    = ", r.xm);
  out.add("alphaA= ", r.alphaA).add("alphaB= ", r.alphaB);
  if (r.wI) out.addAt("wI(x=", in.x, *r.wI);
  if (r.wII) out.addAt("wII(x=", in.x, *r.wII);
}

// Cases 31 and 32 print alike but for the label of the deflection line.
void endMomentLines(const EndMoment& r, std::string_view wLabel, double x, Lines& out) {
  out.addAt("f(", r.xf, r.f).add("fm    = ", r.fm).add("xm    = ", r.xm);
  out.add("alphaA= ", r.alphaA).add("alphaB= ", r.alphaB).addAt(wLabel, x, r.w);
}

void uniformLoadLines(const Inputs& in, Lines& out) {
  const SymmetricSpan r = uniformLoad(in);
  out.add("fm    = ", r.fm).add("alphaA= ", r.alphaA).add("alphaB= ", r.alphaB);
  out.addAt("w(", in.x, r.w);
}

void triangularLoadLines(const Inputs& in, Lines& out) {
  const TriangularSpan r = triangularLoad(in);
  out.add("fm    = ", r.fm).add("xm    = ", r.xm).add("alphaA= ", r.alphaA);
  out.add("alphaB= ", r.alphaB).addAt("w(", in.x, r.w);
}

void cantileverLines(const Cantilever& r, double x, Lines& out) {
  out.add("f     = ", r.f).add("alphaA= ", r.alphaA).addAt("w(", x, r.w);
}

void overhangLines(const Overhang& r, const Inputs& in, Lines& out) {
  out.add("f = ", r.f).add("fm= ", r.fm).add("xm= ", r.xm).add("alpha = ", r.alpha);
  out.add("alphaA= ", r.alphaA).add("alphaB= ", r.alphaB);
  out.addAt("w(x =", in.x, r.w).addAt("w(xq=", in.xq, r.wq);
}

struct LoadCase {
  std::int32_t Nr;
  void (*lines)(const Inputs&, Lines&);
};

// In the order in which the case numbers are tested.
constexpr std::array kLoadCases = {
    LoadCase{1, forceAtMidSpanLines},
    LoadCase{2, forceOffCentreLines},
    LoadCase{
        31, [](const Inputs& in, Lines& out) { endMomentLines(momentAtA(in), "w(x=", in.x, out); }},
    LoadCase{32,
             [](const Inputs& in, Lines& out) { endMomentLines(momentAtB(in), "w(", in.x, out); }},
    LoadCase{4, uniformLoadLines},
    LoadCase{5, triangularLoadLines},
    LoadCase{6,
             [](const Inputs& in, Lines& out) { cantileverLines(cantileverForce(in), in.x, out); }},
    LoadCase{
        7, [](const Inputs& in, Lines& out) { cantileverLines(cantileverMoment(in), in.x, out); }},
    LoadCase{8, [](const Inputs& in,
                   Lines& out) { cantileverLines(cantileverUniformLoad(in), in.x, out); }},
    LoadCase{9, [](const Inputs& in,
                   Lines& out) { cantileverLines(cantileverRisingLoad(in), in.x, out); }},
    LoadCase{10, [](const Inputs& in,
                    Lines& out) { cantileverLines(cantileverFallingLoad(in), in.x, out); }},
    LoadCase{11, [](const Inputs& in, Lines& out) { overhangLines(overhangForce(in), in, out); }},
    LoadCase{12,
             [](const Inputs& in, Lines& out) { overhangLines(overhangUniformLoad(in), in, out); }},
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
  if (const LoadCase* c = findLoadCase(Nr)) {
    text.reserve(512);  // the longest report, case 12, has about 200 characters
    Lines out(text);
    c->lines(in, out);
  }
  return text;
}

}  // namespace veldra::beam
