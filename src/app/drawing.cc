#include "app/drawing.h"

#include <algorithm>
#include <array>
#include <cfloat>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string_view>
#include <vector>

#include "beam/catalogue.h"
#include "beam/line.h"
#include "beam/report.h"

namespace veldra::app {
namespace {

using beam::Inputs;
using beam::LoadCase;

// ------------------------------------------------------------------ JSON

// A number as JSON. Every number written is finite; should one not be, it is
// written as 0 rather than as something a script would choke on.
std::string number(double v) {
  if (!std::isfinite(v)) return "0";
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

// An object under way: `"name": value` pairs, each value already JSON.
class Object {
 public:
  Object& field(std::string_view name, std::string_view value) {
    if (json_.size() > 1) json_ += ", ";
    json_ += quoted(name);
    json_ += ": ";
    json_ += value;
    return *this;
  }
  Object& text(std::string_view name, std::string_view value) { return field(name, quoted(value)); }
  Object& num(std::string_view name, double value) { return field(name, number(value)); }
  Object& flag(std::string_view name, bool value) { return field(name, value ? "true" : "false"); }
  [[nodiscard]] std::string str() const { return json_ + "}"; }

 private:
  std::string json_ = "{";
};

// A JSON array of values already written as JSON.
std::string list(const std::vector<std::string>& values) {
  std::string array = "[";
  for (const std::string& v : values) {
    if (array.size() > 1) array += ", ";
    array += v;
  }
  return array + "]";
}

// ------------------------------------------------------------- the texts

// A value as the user would write it: as few digits as read back the same,
// without an exponent where a plain decimal is short; six significant digits
// when even that is long.
std::string typed(double v) {
  std::array<char, 400> text{};
  if (!std::isfinite(v)) {
    (void)std::snprintf(text.data(), text.size(), "%g", v);
    return text.data();
  }
  int digits = 1;
  for (; digits < 17; ++digits) {
    (void)std::snprintf(text.data(), text.size(), "%.*g", digits, v);
    if (std::strtod(text.data(), nullptr) == v) break;
  }
  const int exponent = v == 0 ? 0 : static_cast<int>(std::floor(std::log10(std::abs(v))));
  if (exponent >= -4 && exponent < 15) {
    (void)std::snprintf(text.data(), text.size(), "%.*f", std::max(0, digits - 1 - exponent), v);
  } else {
    (void)std::snprintf(text.data(), text.size(), "%.*g", digits, v);
  }
  std::string s = text.data();
  if (s.size() > 12) {
    (void)std::snprintf(text.data(), text.size(), "%.6g", v);
    s = text.data();
  }
  return s;
}

std::string sixSignificant(double v) {
  std::array<char, 32> text{};
  (void)std::snprintf(text.data(), text.size(), "%.6g", v);
  return text.data();
}

// Blanks folded: "fm    = 1.000000" reads "fm = 1.000000".
std::string folded(std::string_view line) {
  std::string text;
  for (const char c : line) {
    if (c != ' ' || text.empty() || text.back() != ' ') text += c;
  }
  return text;
}

// A label longer than this is shown shortened, the whole line in its tooltip.
constexpr std::size_t kLongestLabel = 30;

std::string labelJson(const beam::ResultLine& line) {
  const std::string text = folded(beam::renderLine(line));
  std::string shown = text;
  if (text.size() > kLongestLabel) {
    shown = folded(line.label);
    if (line.at) shown += sixSignificant(*line.at) + ")= ";
    shown += sixSignificant(line.value);
  }
  return Object().text("text", text).text("shown", shown).str();
}

// "10¹²": powers of ten as a reader writes them.
std::string powerOfTen(int exponent) {
  static constexpr std::array<std::string_view, 10> kDigits = {"⁰", "¹", "²", "³", "⁴",
                                                               "⁵", "⁶", "⁷", "⁸", "⁹"};
  std::string digits;
  for (int e = std::abs(exponent); e > 0 || digits.empty(); e /= 10) {
    digits.insert(0, kDigits[static_cast<std::size_t>(e % 10)]);
  }
  return "10" + std::string(exponent < 0 ? "⁻" : "") + digits;
}

// m · 10^e in words, m being 1, 2 or 5.
std::string times(int m, int e) {
  if (e >= 0 && e <= 6) {
    std::string s = std::to_string(m);
    s.append(static_cast<std::size_t>(e), '0');
    return s;
  }
  return (m == 1 ? "" : std::to_string(m) + " · ") + powerOfTen(e);
}

// ------------------------------------------------------------- the scale

// How much the deflection line is exaggerated: by m · 10^decade (m 1, 2 or 5),
// the largest such factor that draws the largest deflection at an eighth of
// the beam's length at most. Worked out in logarithms, so that neither the
// factor nor the drawn values overflow at any magnitude.
struct Exaggeration {
  int m = 1;
  int decade = 0;
  double drawn = 0;  // the largest deflection as drawn, a fraction of the length
};

Exaggeration exaggeration(double length, double largest) {
  const double wanted = std::log10(length) - std::log10(8.0) - std::log10(largest);
  auto decade = static_cast<int>(std::floor(wanted));
  double mantissa = std::pow(10.0, wanted - decade);
  if (mantissa >= 10) mantissa /= 10, ++decade;
  const int m = mantissa >= 5 ? 5 : mantissa >= 2 ? 2 : 1;
  return {m, decade, m / (8 * mantissa)};
}

std::string scaleText(const Exaggeration& e) {
  if (e.m == 1 && e.decade == 0) return "Biegelinie maßstäblich";
  if (e.decade >= 0) return "Durchbiegung " + times(e.m, e.decade) + "-fach vergrößert";
  // Below one: m · 10^d is 1 / ((10 / m) · 10^(-d-1)).
  return "Durchbiegung auf 1/" + times(10 / e.m, -e.decade - 1) + " verkleinert";
}

// ------------------------------------------------------------ the beam

bool normalPositive(double v) { return std::isfinite(v) && v >= DBL_MIN; }

const char* supportName(beam::Support s) {
  switch (s) {
    case beam::Support::kSpan:
      return "span";
    case beam::Support::kCantilever:
      return "cantilever";
    case beam::Support::kOverhang:
      return "overhang";
  }
  return "span";
}

const char* loadName(beam::LoadKind k) {
  switch (k) {
    case beam::LoadKind::kForce:
      return "force";
    case beam::LoadKind::kMoment:
      return "moment";
    case beam::LoadKind::kUniform:
      return "uniform";
    case beam::LoadKind::kRising:
      return "rising";
    case beam::LoadKind::kFalling:
      return "falling";
  }
  return "force";
}

const char* loadSymbol(beam::LoadKind k) {
  return k == beam::LoadKind::kForce ? "F" : k == beam::LoadKind::kMoment ? "M" : "q";
}

const char* markRole(beam::Mark m) {
  switch (m) {
    case beam::Mark::kAtX:
      return "x";
    case beam::Mark::kAtXq:
      return "xq";
    case beam::Mark::kLargest:
      return "xm";
    case beam::Mark::kCharacteristic:
      return "f";
    case beam::Mark::kNone:
      break;
  }
  return "";
}

// Builds the description of one case.
class Description {
 public:
  Description(const LoadCase& c, const Inputs& in) : c_(c), in_(in) {}

  // The parts of the beam that are well defined, whatever else is not.
  void structure(Object& json) {
    const bool overhang = c_.support == beam::Support::kOverhang;
    spanOk_ = normalPositive(in_.L);
    overhangOk_ = overhang && spanOk_ && normalPositive(in_.a) && std::isfinite(in_.L + in_.a);
    if (!spanOk_) return;
    length_ = overhangOk_ ? in_.L + in_.a : in_.L;
    const double b = in_.L / length_;
    json.text("beam", supportName(c_.support));
    std::vector<std::string> supports;
    std::vector<std::string> ends;
    if (c_.support == beam::Support::kCantilever) {
      supports.push_back(
          Object().text("kind", "clamp").num("u", 1).text("name", "Einspannung B").str());
      ends.push_back(Object().num("u", 0).text("name", "freies Ende A").str());
    } else {
      supports.push_back(Object().text("kind", "pin").num("u", 0).text("name", "Lager A").str());
      supports.push_back(Object().text("kind", "roller").num("u", b).text("name", "Lager B").str());
    }
    if (overhangOk_) {
      ends.push_back(Object().num("u", 1).text("name", "C").str());
      json.field("overhang", Object().num("from", b).num("to", 1).str());
    }
    json.field("supports", list(supports)).field("ends", list(ends));

    std::vector<std::string> dimensions = {
        Object().num("from", 0).num("to", b).text("label", "L = " + typed(in_.L)).str()};
    if (overhangOk_) {
      dimensions.push_back(
          Object().num("from", b).num("to", 1).text("label", "a = " + typed(in_.a)).str());
    }
    if (c_.loadAtA && in_.a > 0 && in_.a < in_.L) {
      dimensions.push_back(Object()
                               .num("from", 0)
                               .num("to", in_.a / length_)
                               .text("label", "a = " + typed(in_.a))
                               .str());
    }
    json.field("dimensions", list(dimensions));
    load(json);
  }

  // The load, where it stands on the drawn beam and its value is a number.
  void load(Object& json) {
    // An overhang's load stands on the overhang.
    if (!std::isfinite(in_.F) || (c_.support == beam::Support::kOverhang && !overhangOk_)) return;
    Object load;
    load.text("kind", loadName(c_.load));
    const double from = c_.loadAt(in_);
    const auto onBeam = [this](double p) { return p >= 0 && p <= length_; };
    if (c_.loadTo == nullptr) {
      if (!onBeam(from)) return;
      load.num("u", from / length_);
    } else {
      const double to = c_.loadTo(in_);
      if (!onBeam(from) || !onBeam(to)) return;
      load.num("from", from / length_).num("to", to / length_);
    }
    load.flag("down", in_.F >= 0);
    if (c_.load == beam::LoadKind::kMoment) load.flag("clockwise", c_.clockwise == (in_.F >= 0));
    load.text("label", std::string(loadSymbol(c_.load)) + " = " + typed(in_.F));
    json.field("load", load.str());
    loadDrawn_ = true;
  }

  [[nodiscard]] bool spanOk() const { return spanOk_; }
  [[nodiscard]] double length() const { return length_; }
  [[nodiscard]] bool loadDrawn() const { return loadDrawn_; }

 private:
  const LoadCase& c_;
  const Inputs& in_;
  bool spanOk_ = false;
  bool overhangOk_ = false;
  bool loadDrawn_ = false;
  double length_ = 1;
};

// "die Kraft F = 10000 bei a = 1500" and the like, for the summary.
std::string loadWords(const LoadCase& c, const Inputs& in) {
  const std::string value = typed(in.F);
  switch (c.load) {
    case beam::LoadKind::kForce:
      return "Kraft F = " + value;
    case beam::LoadKind::kMoment:
      return "Moment M = " + value;
    default:
      return "Streckenlast q = " + value;
  }
}

std::string statusName(beam::LineStatus status) {
  switch (status) {
    case beam::LineStatus::kSampled:
      return "sampled";
    case beam::LineStatus::kNoSuchCase:
      return "unknown-case";
    case beam::LineStatus::kNoSpan:
      return "no-span";
    case beam::LineStatus::kForceOffTheSpan:
      return "force-off-span";
    case beam::LineStatus::kForceOnASupport:
      return "force-on-support";
    case beam::LineStatus::kNotFinite:
      return "not-finite";
  }
  return "not-finite";
}

std::string statusNote(const std::string& status) {
  if (status == "no-span") {
    return "Keine Biegelinie: die Länge L (beim Kragträger auch a) fehlt oder ist nicht positiv.";
  }
  if (status == "force-off-span") {
    return "Keine Biegelinie: die Kraft steht außerhalb der Stützweite (a zwischen 0 und L).";
  }
  if (status == "force-on-support") {
    return "Keine Biegelinie: die Kraft steht auf einem Lager (a = 0 oder a = L); die Formeln "
           "teilen dort durch null.";
  }
  if (status == "stiffness") {
    return "Keine Biegelinie: E und Iy müssen positiv und endlich sein. Das Terminal zeigt, was "
           "die Formeln mit diesen Werten ergeben.";
  }
  if (status == "tiny") {
    return "Keine Biegelinie: die Werte sind so klein, dass sie unter die kleinste normale "
           "Gleitkommazahl fallen (subnormal); sie lassen sich nicht genau zeichnen.";
  }
  return "Keine Biegelinie: mit diesen Werten ist sie nicht endlich (F, E, Iy oder a null, "
         "unendlich oder nan, oder ein Ergebnis zu groß).";
}

// "1, 2, 31, 32, 4, …": the numbers of the cases, from the catalogue.
std::string caseNumbers() {
  std::string numbers;
  for (const LoadCase& c : beam::loadCases()) {
    if (!numbers.empty()) numbers += ", ";
    numbers += std::to_string(c.Nr);
  }
  return numbers;
}

// Why there is no line, or "sampled": the sampler's word, and the drawing's
// own for what it cannot draw truthfully.
std::string lineStatus(const LoadCase& c, const Inputs& in, const beam::DeflectionLine& line,
                       double largest) {
  const bool tinyBeam = (in.L > 0 && in.L < DBL_MIN) ||
                        (c.support == beam::Support::kOverhang && in.a > 0 && in.a < DBL_MIN);
  if (tinyBeam) return "tiny";
  std::string status = statusName(line.status);
  const bool stiff = std::isfinite(in.E) && std::isfinite(in.Iy) && in.E > 0 && in.Iy > 0;
  // E or Iy infinite gives a straight line; zero or less, no sensible one.
  if ((status == "sampled" || status == "not-finite") && !stiff) return "stiffness";
  if (status == "sampled" && largest > 0 && largest < DBL_MIN) return "tiny";
  return status;
}

// The line's parts of the drawing: the line, its marks, the ratio, the legend.
class LineParts {
 public:
  LineParts(const LoadCase& c, const Inputs& in, bool current,
            const std::optional<Printed>& printed)
      : c_(c), in_(in), current_(current), printed_(printed) {}

  void add(Object& json, const beam::DeflectionLine& line, double length, double largest) {
    length_ = length;
    largest_ = largest;
    if (largest > 0) exaggeration_ = exaggeration(length, largest);
    std::vector<std::string> sampled(line.points.size());
    std::transform(line.points.begin(), line.points.end(), sampled.begin(),
                   [this](const beam::LinePoint& p) {
                     return "[" + number(p.at / length_) + ", " + number(v(p.w)) + "]";
                   });
    json.field("line", list(sampled));
    json.text("scale", largest > 0 ? scaleText(exaggeration_) : "keine Durchbiegung");
    const beam::Report report = beam::computeReport(c_.Nr, in_);
    json.field("markers", list(markers(report)));
    if (current_) {
      ratio(json, report);
    } else {
      json.text("legend", printed_ && printed_->Nr == c_.Nr
                              ? "Werte geändert: Taste g berechnet die Ergebnisse neu."
                              : "Taste g berechnet die Ergebnisse.");
    }
  }

  [[nodiscard]] const std::vector<std::string>& notes() const { return notes_; }
  [[nodiscard]] const std::string& largestWords() const { return largestWords_; }

 private:
  [[nodiscard]] double v(double w) const {
    return largest_ > 0 ? w / largest_ * exaggeration_.drawn : 0.0;
  }

  // Whether a mark at x or xq stands on the beam; a note says when not.
  bool onBeam(beam::Mark mark) {
    if (mark == beam::Mark::kAtX && !(in_.x >= 0 && in_.x <= in_.L)) {
      notes_.push_back("x = " + typed(in_.x) + " liegt nicht auf dem Träger (0 bis L = " +
                       typed(in_.L) + "): keine Marke für x.");
      return false;
    }
    if (mark == beam::Mark::kAtXq && !(in_.xq >= 0 && in_.xq <= in_.a)) {
      notes_.push_back("xq = " + typed(in_.xq) + " liegt nicht auf dem Kragarm (0 bis a = " +
                       typed(in_.a) + "): keine Marke für xq.");
      return false;
    }
    return true;
  }

  // The labels of a mark, and for the largest deflection its words for the
  // summary.
  std::vector<std::string> printedLabels(const std::vector<const beam::ResultLine*>& lines,
                                         beam::Mark mark) {
    std::vector<std::string> labels;
    for (const beam::ResultLine* l : lines) {
      labels.push_back(labelJson(*l));
      if (mark != beam::Mark::kLargest) continue;
      largestWords_ += (largestWords_.empty() ? "" : ", ") + folded(beam::renderLine(*l));
    }
    return labels;
  }

  // One mark for each kind of marked line; its labels are the lines it marks.
  std::vector<std::string> markers(const beam::Report& report) {
    std::vector<std::string> found;
    for (const beam::Mark mark :
         {beam::Mark::kAtX, beam::Mark::kLargest, beam::Mark::kCharacteristic, beam::Mark::kAtXq}) {
      std::vector<const beam::ResultLine*> lines;
      for (const beam::ResultLine& l : report.lines) {
        if (l.mark == mark) lines.push_back(&l);
      }
      if (lines.empty() || !onBeam(mark)) continue;
      const beam::ResultLine& first = *lines.front();
      if (!std::isfinite(first.markAt) || !std::isfinite(first.markW)) continue;
      std::vector<std::string> labels;
      if (current_) labels = printedLabels(lines, mark);
      found.push_back(Object()
                          .text("role", markRole(mark))
                          .num("u", first.markAt / length_)
                          .num("v", v(first.markW))
                          .field("labels", list(labels))
                          .str());
    }
    return found;
  }

  // The largest deflection against the span, as limits are written (L/300).
  void ratio(Object& json, const beam::Report& report) const {
    const bool cantilever = c_.support == beam::Support::kCantilever;
    const beam::Mark wanted = cantilever ? beam::Mark::kCharacteristic : beam::Mark::kLargest;
    const auto fm = std::find_if(report.lines.begin(), report.lines.end(),
                                 [wanted](const beam::ResultLine& l) { return l.mark == wanted; });
    if (fm == report.lines.end() || fm->value == 0) return;
    // In logarithms: L / fm may exceed the largest double.
    const double digits = std::log10(in_.L) - std::log10(std::abs(fm->value));
    std::string n;
    if (digits < 7) {
      n = std::to_string(std::llround(std::pow(10.0, digits)));
    } else {
      const double decade = std::floor(digits);
      n = sixSignificant(std::pow(10.0, digits - decade)) + "e+" +
          std::to_string(static_cast<int>(decade));
    }
    json.text("ratio", (cantilever ? "f = L/" : "fm = L/") + n);
  }

  const LoadCase& c_;
  const Inputs& in_;
  bool current_;
  const std::optional<Printed>& printed_;
  double length_ = 1;
  double largest_ = 0;
  Exaggeration exaggeration_;
  std::vector<std::string> notes_;
  std::string largestWords_;
};

std::string unknownCase(std::int32_t Nr) {
  Object json;
  json.num("case", Nr);
  const bool chosen = Nr != 0;
  json.text("title", chosen ? "Biegefall " + std::to_string(Nr) + " gibt es nicht"
                            : "Kein Biegefall gewählt");
  json.text("status", chosen ? "unknown-case" : "no-case");
  const std::string note =
      (chosen ? "Es gibt die Biegefälle " : "Taste n, dann einer der Biegefälle ") + caseNumbers() +
      " (Taste b beschreibt sie).";
  json.field("notes", list({quoted(note)}));
  json.text("summary", chosen ? "Den Biegefall " + std::to_string(Nr) + " gibt es nicht."
                              : "Noch kein Biegefall gewählt.");
  return json.str();
}

}  // namespace

// The bytes of the values, so that a NaN typed again counts as unchanged.
bool sameValues(std::int32_t Nr, const Inputs& in, const std::optional<Printed>& printed) {
  if (!printed || printed->Nr != Nr) return false;
  const auto same = [](double p, double q) {
    std::uint64_t pBits = 0;
    std::uint64_t qBits = 0;
    std::memcpy(&pBits, &p, sizeof p);
    std::memcpy(&qBits, &q, sizeof q);
    return pBits == qBits;
  };
  const Inputs& p = printed->in;
  return same(p.F, in.F) && same(p.L, in.L) && same(p.E, in.E) && same(p.Iy, in.Iy) &&
         same(p.a, in.a) && same(p.x, in.x) && same(p.xq, in.xq);
}

std::string drawingJson(std::int32_t Nr, const Inputs& in, int points,
                        const std::optional<Printed>& printed) {
  const LoadCase* c = beam::findLoadCase(Nr);
  if (c == nullptr) return unknownCase(Nr);

  std::string_view words = c->catalogueLine;
  words.remove_prefix(words.find(':') + 1);
  words.remove_suffix(1);  // the line end
  Object json;
  json.num("case", Nr).text("title", "Biegefall " + std::to_string(Nr)).text("subtitle", words);

  const beam::DeflectionLine line = beam::sampleDeflectionLine(Nr, in, points);
  double largest = 0;
  for (const beam::LinePoint& p : line.points) largest = std::max(largest, std::abs(p.w));
  const std::string status = lineStatus(*c, in, line, largest);
  json.text("status", status);

  Object parts;  // what is drawn, after the notes about it
  Description d(*c, in);
  d.structure(parts);
  std::vector<std::string> notes;
  if (status != "sampled") notes.push_back(statusNote(status));
  if (d.spanOk() && !std::isfinite(in.F)) {
    notes.emplace_back("Die Last ist nicht gezeichnet: F ist unendlich oder nan.");
  }
  LineParts lineParts(*c, in, sameValues(Nr, in, printed), printed);
  if (status == "sampled") lineParts.add(parts, line, d.length(), largest);
  notes.insert(notes.end(), lineParts.notes().begin(), lineParts.notes().end());

  std::string summary = std::string(words) + ".";
  if (d.spanOk()) summary += " Länge L = " + typed(in.L) + ".";
  if (d.loadDrawn()) summary += " Last: " + loadWords(*c, in) + ".";
  if (!lineParts.largestWords().empty()) {
    summary += " Größte Durchbiegung: " + lineParts.largestWords() + ".";
  }
  if (status != "sampled") summary += " " + notes.front();

  std::vector<std::string> quotedNotes(notes.size());
  std::transform(notes.begin(), notes.end(), quotedNotes.begin(), quoted);
  json.field("notes", list(quotedNotes)).text("summary", summary);
  std::string head = json.str();
  const std::string rest = parts.str();
  if (rest.size() > 2) head.insert(head.size() - 1, ", " + rest.substr(1, rest.size() - 2));
  return head;
}

}  // namespace veldra::app
