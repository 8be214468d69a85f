#include "beam/catalogue.h"

#include <algorithm>
#include <array>
#include <limits>

namespace veldra::beam {
namespace {

// A line that no mark shows: a slope.
ResultLine plain(std::string_view label, double value) { return {label, {}, value}; }

// A deflection that a mark shows, at `markAt` with the line's value `markW`.
ResultLine marked(std::string_view label, double value, Mark mark, double markAt, double markW) {
  return {label, {}, value, mark, markAt, markW};
}

// "label<at>)= <w>": the deflection line w at the coordinate at.
ResultLine lineAt(std::string_view label, double at, double w, Mark mark, double markAt) {
  return {label, at, w, mark, markAt, w};
}

// Places of loads, from A.
double atA(const Inputs& /*in*/) { return 0; }
double atB(const Inputs& in) { return in.L; }
double midSpan(const Inputs& in) { return in.L / 2; }
double atForce(const Inputs& in) { return in.a; }
double atC(const Inputs& in) { return in.L + in.a; }

void forceAtMidSpanResults(const Inputs& in, Report& out) {
  const SymmetricSpan r = forceAtMidSpan(in);
  out.add(marked("fm    = ", r.fm, Mark::kLargest, in.L / 2, r.fm));
  out.add(plain("alphaA= ", r.alphaA));
  out.add(plain("alphaB= ", r.alphaB));
  out.add(lineAt("w(x=", in.x, r.w, Mark::kAtX, in.x));
}

void forceOffCentreResults(const Inputs& in, Report& out) {
  const OffCentreForce r = forceOffCentre(in);
  out.add(marked("f     = ", r.f, Mark::kCharacteristic, in.a, r.f));
  out.add(marked("fm    = ", r.fm, Mark::kLargest, r.xm, r.fm));
  out.add(marked("xm    = ", r.xm, Mark::kLargest, r.xm, r.fm));
  out.add(plain("alphaA= ", r.alphaA));
  out.add(plain("alphaB= ", r.alphaB));
  if (r.wI) out.add(lineAt("wI(x=", in.x, *r.wI, Mark::kAtX, in.x));
  if (r.wII) out.add(lineAt("wII(x=", in.x, *r.wII, Mark::kAtX, in.x));
}

// Cases 31 and 32 print alike but for the label of the deflection line.
void endMomentResults(const EndMoment& r, std::string_view wLabel, double x, Report& out) {
  out.add({"f(", r.xf, r.f});
  out.add(marked("fm    = ", r.fm, Mark::kLargest, r.xm, r.fm));
  out.add(marked("xm    = ", r.xm, Mark::kLargest, r.xm, r.fm));
  out.add(plain("alphaA= ", r.alphaA));
  out.add(plain("alphaB= ", r.alphaB));
  out.add(lineAt(wLabel, x, r.w, Mark::kAtX, x));
}

void uniformLoadResults(const Inputs& in, Report& out) {
  const SymmetricSpan r = uniformLoad(in);
  out.add(marked("fm    = ", r.fm, Mark::kLargest, in.L / 2, r.fm));
  out.add(plain("alphaA= ", r.alphaA));
  out.add(plain("alphaB= ", r.alphaB));
  out.add(lineAt("w(", in.x, r.w, Mark::kAtX, in.x));
}

void triangularLoadResults(const Inputs& in, Report& out) {
  const TriangularSpan r = triangularLoad(in);
  out.add(marked("fm    = ", r.fm, Mark::kLargest, r.xm, r.fm));
  out.add(marked("xm    = ", r.xm, Mark::kLargest, r.xm, r.fm));
  out.add(plain("alphaA= ", r.alphaA));
  out.add(plain("alphaB= ", r.alphaB));
  out.add(lineAt("w(", in.x, r.w, Mark::kAtX, in.x));
}

// A cantilever's f is the deflection of its free end A.
void cantileverResults(const Cantilever& r, double x, Report& out) {
  out.add(marked("f     = ", r.f, Mark::kCharacteristic, 0, r.f));
  out.add(plain("alphaA= ", r.alphaA));
  out.add(lineAt("w(", x, r.w, Mark::kAtX, x));
}

// On an overhang the span deflects against the load: fm is the size of its
// largest deflection, which the line has with the opposite sign.
void overhangResults(const Overhang& r, const Inputs& in, Report& out) {
  out.add(marked("f = ", r.f, Mark::kCharacteristic, in.L + in.a, r.f));
  out.add(marked("fm= ", r.fm, Mark::kLargest, r.xm, -r.fm));
  out.add(marked("xm= ", r.xm, Mark::kLargest, r.xm, -r.fm));
  out.add(plain("alpha = ", r.alpha));
  out.add(plain("alphaA= ", r.alphaA));
  out.add(plain("alphaB= ", r.alphaB));
  out.add(lineAt("w(x =", in.x, r.w, Mark::kAtX, in.x));
  out.add(lineAt("w(xq=", in.xq, r.wq, Mark::kAtXq, in.L + in.xq));
}

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

// Case 2's line: the piece on the side of the force that x lies on.
double offCentreLine(const Inputs& in) {
  const OffCentreForce r = forceOffCentre(in);
  if (r.wI) return *r.wI;
  return r.wII ? *r.wII : kNaN;
}

// clang-format off
constexpr std::array kLoadCases = {
    LoadCase{1, "+Fall 1:Lager bei A u. B, Kraft in der Mitte\n",
             Support::kSpan, LoadKind::kForce, midSpan, nullptr, false, false,
             forceAtMidSpanResults,
             [](const Inputs& in) { return forceAtMidSpan(in).w; }, nullptr},
    LoadCase{2, "+Fall 2:Lager bei A u. B, Kraft aussermittig\n",
             Support::kSpan, LoadKind::kForce, atForce, nullptr, true, false,
             forceOffCentreResults, offCentreLine, nullptr},
    LoadCase{31, "+Fall 31:Lager bei A u. B,Moment um A\n",
             Support::kSpan, LoadKind::kMoment, atA, nullptr, false, true,
             [](const Inputs& in, Report& out) { endMomentResults(momentAtA(in), "w(x=", in.x, out); },
             [](const Inputs& in) { return momentAtA(in).w; }, nullptr},
    LoadCase{32, "+Fall 32:Lager bei A u. B,Moment um B\n",
             Support::kSpan, LoadKind::kMoment, atB, nullptr, false, false,
             [](const Inputs& in, Report& out) { endMomentResults(momentAtB(in), "w(", in.x, out); },
             [](const Inputs& in) { return momentAtB(in).w; }, nullptr},
    LoadCase{4, "+Fall 4:Lager bei A u. B, Gleichstreckenlast\n",
             Support::kSpan, LoadKind::kUniform, atA, atB, false, false,
             uniformLoadResults,
             [](const Inputs& in) { return uniformLoad(in).w; }, nullptr},
    LoadCase{5, "+Fall 5:Lager bei A u. B, Dreieckslast aufst.\n",
             Support::kSpan, LoadKind::kRising, atA, atB, false, false,
             triangularLoadResults,
             [](const Inputs& in) { return triangularLoad(in).w; }, nullptr},
    LoadCase{6, "+Fall 6:Einsp bei B,Kraft bei A\n",
             Support::kCantilever, LoadKind::kForce, atA, nullptr, false, false,
             [](const Inputs& in, Report& out) { cantileverResults(cantileverForce(in), in.x, out); },
             [](const Inputs& in) { return cantileverForce(in).w; }, nullptr},
    LoadCase{7, "+Fall 7:Einsp bei B,Moment um A\n",
             Support::kCantilever, LoadKind::kMoment, atA, nullptr, false, false,
             [](const Inputs& in, Report& out) { cantileverResults(cantileverMoment(in), in.x, out); },
             [](const Inputs& in) { return cantileverMoment(in).w; }, nullptr},
    LoadCase{8, "+Fall 8:Einsp bei B,Gleichstreckenlast\n",
             Support::kCantilever, LoadKind::kUniform, atA, atB, false, false,
             [](const Inputs& in, Report& out) { cantileverResults(cantileverUniformLoad(in), in.x, out); },
             [](const Inputs& in) { return cantileverUniformLoad(in).w; }, nullptr},
    LoadCase{9, "+Fall 9:Einsp bei B,Dreickslast aufst.\n",
             Support::kCantilever, LoadKind::kRising, atA, atB, false, false,
             [](const Inputs& in, Report& out) { cantileverResults(cantileverRisingLoad(in), in.x, out); },
             [](const Inputs& in) { return cantileverRisingLoad(in).w; }, nullptr},
    LoadCase{10, "+Fall 10:Einsp bei B,Dreieckslast abfall.\n",
             Support::kCantilever, LoadKind::kFalling, atA, atB, false, false,
             [](const Inputs& in, Report& out) { cantileverResults(cantileverFallingLoad(in), in.x, out); },
             [](const Inputs& in) { return cantileverFallingLoad(in).w; }, nullptr},
    LoadCase{11, "+Fall 11:Kragtraeger,Lager bei A u. B,Kraft am Kragende C\n",
             Support::kOverhang, LoadKind::kForce, atC, nullptr, false, false,
             [](const Inputs& in, Report& out) { overhangResults(overhangForce(in), in, out); },
             [](const Inputs& in) { return overhangForce(in).w; },
             [](const Inputs& in) { return overhangForce(in).wq; }},
    LoadCase{12, "+Fall 12:Kragtraeger,Lager bei A u. B,Gleichstreckenlast am Kragarm\n",
             Support::kOverhang, LoadKind::kUniform, atB, atC, false, false,
             [](const Inputs& in, Report& out) { overhangResults(overhangUniformLoad(in), in, out); },
             [](const Inputs& in) { return overhangUniformLoad(in).w; },
             [](const Inputs& in) { return overhangUniformLoad(in).wq; }},
};
// clang-format on

}  // namespace

std::span<const LoadCase> loadCases() { return kLoadCases; }

const LoadCase* findLoadCase(std::int32_t Nr) {
  const auto* it = std::find_if(kLoadCases.begin(), kLoadCases.end(),
                                [Nr](const LoadCase& c) { return c.Nr == Nr; });
  return it == kLoadCases.end() ? nullptr : it;
}

}  // namespace veldra::beam
