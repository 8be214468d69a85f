#include "app/drawing.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <string_view>
#include <vector>

#include "beam/line.h"
#include "beam/report.h"

namespace veldra::app {
namespace {

using beam::Inputs;

enum class Beam { kSpan, kCantilever, kOverhang };

// How a case is supported and loaded; positions measured from A.
struct CaseDrawing {
  std::int32_t Nr;
  Beam beam;
  // cppcheck-suppress unusedStructMember ; read through the table in drawingJson
  const char* load;
  // cppcheck-suppress unusedStructMember ; the force or moment, or where the line load starts
  double (*from)(const Inputs&);
  // cppcheck-suppress unusedStructMember ; where the line load ends; null for a force or moment
  double (*to)(const Inputs&);
};

double atA(const Inputs& /*in*/) { return 0; }
double atB(const Inputs& in) { return in.L; }
double midSpan(const Inputs& in) { return in.L / 2; }
double atForce(const Inputs& in) { return in.a; }
double atC(const Inputs& in) { return in.L + in.a; }

constexpr std::array kCaseDrawings = {
    CaseDrawing{1, Beam::kSpan, "force", midSpan, nullptr},
    CaseDrawing{2, Beam::kSpan, "force", atForce, nullptr},
    CaseDrawing{31, Beam::kSpan, "moment", atA, nullptr},
    CaseDrawing{32, Beam::kSpan, "moment", atB, nullptr},
    CaseDrawing{4, Beam::kSpan, "uniform", atA, atB},
    CaseDrawing{5, Beam::kSpan, "rising", atA, atB},
    CaseDrawing{6, Beam::kCantilever, "force", atA, nullptr},
    CaseDrawing{7, Beam::kCantilever, "moment", atA, nullptr},
    CaseDrawing{8, Beam::kCantilever, "uniform", atA, atB},
    CaseDrawing{9, Beam::kCantilever, "rising", atA, atB},
    CaseDrawing{10, Beam::kCantilever, "falling", atA, atB},
    CaseDrawing{11, Beam::kOverhang, "force", atC, nullptr},
    CaseDrawing{12, Beam::kOverhang, "uniform", atB, atC},
};

const char* statusName(beam::LineStatus status) {
  switch (status) {
    case beam::LineStatus::kSampled:
      return "sampled";
    case beam::LineStatus::kNoSuchCase:
      return "no-case";
    case beam::LineStatus::kNoSpan:
      return "no-span";
    case beam::LineStatus::kForceOffTheSpan:
      return "force-off-span";
    case beam::LineStatus::kForceOnASupport:
      return "force-on-support";
    case beam::LineStatus::kNotFinite:
      return "not-finite";
  }
  return "no-case";
}

const char* beamName(Beam b) {
  switch (b) {
    case Beam::kSpan:
      return "span";
    case Beam::kCantilever:
      return "cantilever";
    case Beam::kOverhang:
      return "overhang";
  }
  return "span";
}

// A finite double as JSON; JSON has no inf or nan, so those become null.
std::string number(double v) {
  if (!std::isfinite(v)) return "null";
  std::array<char, 32> text{};
  const int n = std::snprintf(text.data(), text.size(), "%.17g", v);
  return {text.data(), static_cast<std::size_t>(n)};
}

std::string quoted(std::string_view text) {
  std::string json = "\"";
  for (const char c : text) {
    if (c == '"' || c == '\\') json += '\\';
    json += c;
  }
  return json + "\"";
}

// Appends `"name": value` to an object under way, after a comma unless first.
void field(std::string& object, std::string_view name, std::string_view value) {
  if (object.back() != '{') object += ", ";
  object += quoted(name);
  object += ": ";
  object += value;
}

// A JSON array of values already written as JSON.
std::string list(const std::vector<std::string>& values) {
  std::string array = "[";
  for (const std::string& v : values) {
    if (array.size() > 1) array += ", ";
    array += v;
  }
  return array + "]";
}

// The result lines of key g, blanks folded ("fm    = 1.000000" as "fm = 1.000000").
std::vector<std::string> reportLines(std::int32_t Nr, const Inputs& in) {
  std::vector<std::string> lines(1);
  for (const char c : beam::resultReport(Nr, in)) {
    std::string& line = lines.back();
    if (c == '\n') {
      lines.emplace_back();
    } else if (c != ' ' || line.empty() || line.back() != ' ') {
      line += c;
    }
  }
  lines.pop_back();  // after the last line end
  return lines;
}

// The first line that starts with one of `prefixes`, or "".
std::string lineStarting(const std::vector<std::string>& lines,
                         std::initializer_list<std::string_view> prefixes) {
  for (const std::string& line : lines) {
    for (const std::string_view prefix : prefixes) {
      if (line.starts_with(prefix)) return line;
    }
  }
  return {};
}

// The number after the last "= " of a result line: the value it prints.
double printedValue(const std::string& line) {
  const std::size_t at = line.rfind("= ");
  return at == std::string::npos ? std::nan("") : std::strtod(line.c_str() + at + 2, nullptr);
}

struct Marker {
  const char* role;
  double at;
  double w;
  std::vector<std::string> labels;
};

std::vector<Marker> markers(const CaseDrawing& c, const Inputs& in) {
  const std::vector<std::string> lines = reportLines(c.Nr, in);
  std::vector<Marker> found;
  const std::string wAtX = lineStarting(lines, {"w(", "wI(", "wII("});  // x before xq
  if (in.x >= 0 && in.x <= in.L && !wAtX.empty()) {
    found.push_back({"x", in.x, printedValue(wAtX), {wAtX}});
  }
  const std::string fm = lineStarting(lines, {"fm"});
  const std::string xm = lineStarting(lines, {"xm"});
  if (!fm.empty() && !xm.empty()) {
    // On an overhang the span deflects against the load: fm is its size.
    const double size = printedValue(fm);
    found.push_back({"xm", printedValue(xm), c.beam == Beam::kOverhang ? -size : size, {xm, fm}});
  } else if (!fm.empty()) {
    found.push_back({"xm", in.L / 2, printedValue(fm), {fm}});  // cases 1 and 4: at mid-span
  }
  const std::string f = lineStarting(lines, {"f = "});
  if (c.beam == Beam::kCantilever) found.push_back({"f", 0, printedValue(f), {f}});
  if (c.beam == Beam::kOverhang) {
    found.push_back({"f", in.L + in.a, printedValue(f), {f}});
    const std::string wAtXq = lineStarting(lines, {"w(xq="});
    if (in.xq >= 0 && in.xq <= in.a) {
      found.push_back({"xq", in.L + in.xq, printedValue(wAtXq), {wAtXq}});
    }
  }
  return found;
}

// 1, 2 or 5 times a power of ten, at most `factor`: a scale a reader takes in.
double roundScale(double factor) {
  const double decade = std::pow(10.0, std::floor(std::log10(factor)));
  const double mantissa = factor / decade;  // from 1 to below 10
  return (mantissa >= 5 ? 5 : mantissa >= 2 ? 2 : 1) * decade;
}

}  // namespace

std::string drawingJson(std::int32_t Nr, const Inputs& in, int points) {
  const beam::DeflectionLine line = beam::sampleDeflectionLine(Nr, in, points);
  std::string json = "{";
  field(json, "case", std::to_string(Nr));
  field(json, "status", quoted(statusName(line.status)));
  const auto* c = std::find_if(kCaseDrawings.begin(), kCaseDrawings.end(),
                               [Nr](const CaseDrawing& d) { return d.Nr == Nr; });
  if (c == kCaseDrawings.end()) return json + "}";

  field(json, "beam", quoted(beamName(c->beam)));
  field(json, "L", number(in.L));
  field(json, "a", number(in.a));
  field(json, "sign", in.F > 0 ? "1" : in.F < 0 ? "-1" : "0");
  std::string load = "{";
  field(load, "kind", quoted(c->load));
  if (c->to == nullptr) {
    field(load, "at", number(c->from(in)));
  } else {
    field(load, "from", number(c->from(in)));
    field(load, "to", number(c->to(in)));
  }
  field(json, "load", load + "}");
  if (line.status != beam::LineStatus::kSampled) return json + "}";

  std::vector<std::string> sampled;
  double largest = 0;
  for (const beam::LinePoint& p : line.points) {
    sampled.push_back(list({number(p.at), number(p.w)}));
    largest = std::max(largest, std::abs(p.w));
  }
  field(json, "points", list(sampled));
  field(json, "extreme", list({number(line.extreme.at), number(line.extreme.w)}));
  const double length = line.points.back().at;
  field(json, "exaggeration", number(largest > 0 ? roundScale(length / 8 / largest) : 1));
  std::vector<std::string> described;
  for (const Marker& m : markers(*c, in)) {
    std::string marker = "{";
    field(marker, "role", quoted(m.role));
    field(marker, "at", number(m.at));
    field(marker, "w", number(m.w));
    std::vector<std::string> labels(m.labels.size());
    std::transform(m.labels.begin(), m.labels.end(), labels.begin(), quoted);
    field(marker, "labels", list(labels));
    described.push_back(marker + "}");
  }
  field(json, "markers", list(described));
  return json + "}";
}

}  // namespace veldra::app
