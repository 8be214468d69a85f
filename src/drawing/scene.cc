#include <algorithm>
#include <cfloat>
#include <cmath>
#include <cstdint>
#include <cstring>

#include "beam/line.h"
#include "drawing/drawing.h"
#include "drawing/numbers.h"
#include "drawing/texts.h"

namespace veldra::drawing {
namespace {

using beam::Inputs;
using beam::LoadCase;

bool normalPositive(double v) { return std::isfinite(v) && v >= DBL_MIN; }

// Where a sketch draws what is not given yet, in parts of the span: an
// overhang, case 2's force, x, and xq on the overhang.
constexpr double kSketchOverhang = 0.3;
constexpr double kSketchForce = 0.4;
constexpr double kSketchX = 0.7;
constexpr double kSketchXq = 0.5;  // of the overhang

// The parts of the beam that are well defined, whatever else is not. Before
// the span is given (L is still 0), the case as a sketch: every part where
// the case puts it in proportions of its own, each length and the load
// named by its symbol until it is typed, and where x and xq are measured
// from.
class StructureBuilder {
 public:
  StructureBuilder(const LoadCase& c, const Inputs& in, const sections::UnitSystem* units)
      : c_(c), in_(in), units_(units), sketch_(in.L == 0), drawn_(in) {
    const bool overhang = c.support == beam::Support::kOverhang;
    if (sketch_) {
      drawn_.L = 1;
      drawn_.a = overhang ? kSketchOverhang : kSketchForce;
      if (in.F == 0) drawn_.F = 1;  // a load not given points the way a positive one does
    }
    spanOk_ = normalPositive(drawn_.L);
    overhangOk_ =
        overhang && spanOk_ && normalPositive(drawn_.a) && std::isfinite(drawn_.L + drawn_.a);
    length_ = overhangOk_ ? drawn_.L + drawn_.a : drawn_.L;
  }

  // Whether there is a beam to draw: a span of a normal positive length, or
  // a sketch.
  [[nodiscard]] bool spanOk() const { return spanOk_; }
  [[nodiscard]] bool sketch() const { return sketch_; }
  // The drawn beam's length: L, on an overhang L + a.
  [[nodiscard]] double length() const { return length_; }

  [[nodiscard]] Structure build() const {
    Structure s{.support = c_.support};
    const double b = drawn_.L / length_;
    if (c_.support == beam::Support::kCantilever) {
      s.supports.push_back({SupportKind::kClamp, "clamp", 1, kClampB});
      s.ends.push_back({"free-end", 0, kFreeEndA});
    } else {
      s.supports.push_back({SupportKind::kPin, "support-a", 0, kSupportA});
      s.supports.push_back({SupportKind::kRoller, "support-b", b, kSupportB});
    }
    if (overhangOk_) {
      s.ends.push_back({"end-c", 1, kEndC});
      s.overhang = OverhangPart{b, 1, kOverhangName};
    }
    s.dimensions.push_back({"dimension-L", 0, b, label("L", in_.L, lengthUnit())});
    if (overhangOk_) s.dimensions.push_back({"dimension-a", b, 1, label("a", in_.a, lengthUnit())});
    // Case 2's force stands at a from A; on a support it gets no dimension.
    if (c_.loadAt == &beam::atDistanceA && drawn_.a > 0 && drawn_.a < drawn_.L) {
      s.dimensions.push_back(
          {"dimension-a", 0, drawn_.a / length_, label("a", in_.a, lengthUnit())});
    }
    // A sketch shows where x is measured from (A, a cantilever's free end)
    // and xq (B).
    if (sketch_) {
      s.dimensions.push_back({"dimension-x", 0, kSketchX * b, label("x", in_.x, lengthUnit())});
      if (overhangOk_) {
        s.dimensions.push_back(
            {"dimension-xq", b, b + kSketchXq * (1 - b), label("xq", in_.xq, lengthUnit())});
      }
    }
    s.load = load();
    return s;
  }

 private:
  // "L = 4000" (with units "L = 4000 mm"), or in a sketch "L" for a value
  // not typed yet.
  [[nodiscard]] std::string label(std::string_view symbol, double value,
                                  std::string_view unit) const {
    return sketch_ && value == 0 ? std::string(symbol) : valueLabel(symbol, value, unit);
  }

  // A length's unit, and the load's; none where no units are stated.
  [[nodiscard]] std::string_view lengthUnit() const { return units_ ? units_->length : ""; }
  [[nodiscard]] std::string_view loadUnit() const {
    if (units_ == nullptr) return {};
    switch (c_.load) {
      case beam::LoadKind::kForce:
        return units_->force;
      case beam::LoadKind::kMoment:
        return units_->moment;
      default:
        return units_->lineLoad;
    }
  }

  // The load, where it stands on the drawn beam and its value is a number.
  [[nodiscard]] std::optional<Load> load() const {
    // An overhang's load stands on the overhang.
    if (!std::isfinite(drawn_.F) || (c_.support == beam::Support::kOverhang && !overhangOk_)) {
      return std::nullopt;
    }
    const auto onBeam = [this](double p) { return p >= 0 && p <= length_; };
    const double from = c_.loadAt(drawn_);
    const double to = c_.loadTo != nullptr ? c_.loadTo(drawn_) : from;
    if (!onBeam(from) || !onBeam(to)) return std::nullopt;
    const bool down = drawn_.F >= 0;
    return Load{
        .kind = c_.load,
        .from = from / length_,
        .to = to / length_,
        .down = down,
        .clockwise = c_.load == beam::LoadKind::kMoment && c_.clockwise == down,
        .label = label(beam::namesOf(c_.load).symbol, in_.F, loadUnit()),
    };
  }

  const LoadCase& c_;
  const Inputs& in_;
  const sections::UnitSystem* units_;
  bool sketch_;
  Inputs drawn_;  // the values drawn: the ones given, a sketch's where none is
  bool spanOk_ = false;
  bool overhangOk_ = false;
  double length_ = 1;
};

bool has(const std::vector<beam::Caveat>& caveats, beam::Caveat caveat) {
  return std::find(caveats.begin(), caveats.end(), caveat) != caveats.end();
}

// Why there is no line, or kSampled: the first caveat of the values that
// leaves none, else whether the sampled line is finite, and the drawing's
// own word for what it cannot draw truthfully.
Status lineStatus(const LoadCase& c, const Inputs& in, const std::vector<beam::Caveat>& caveats,
                  beam::LineStatus sampled, double largest) {
  const bool tinyBeam = (in.L > 0 && in.L < DBL_MIN) ||
                        (c.support == beam::Support::kOverhang && in.a > 0 && in.a < DBL_MIN);
  if (tinyBeam) return Status::kTiny;
  for (const beam::Caveat caveat : caveats) {
    const auto* const e =
        std::find_if(kStatuses.begin(), kStatuses.end(),
                     [caveat](const StatusEntry& s) { return s.caveat == caveat; });
    if (e != kStatuses.end()) return e->status;
  }
  if (sampled == beam::LineStatus::kNotFinite) return Status::kNotFinite;
  if (largest > 0 && largest < DBL_MIN) return Status::kTiny;
  return Status::kSampled;
}

// A caveat's note as the drawing writes it: values as the user types them.
std::string noteOf(beam::Caveat caveat, const LoadCase& c, const Inputs& in) {
  return beam::entryOf(caveat).note(c, in, typed);
}

// What marks each kind of marked line, in the order they are drawn.
struct MarkKind {
  beam::Mark mark;
  std::string_view role;
  std::string_view tag;
};
constexpr std::array kMarkKinds = {
    MarkKind{beam::Mark::kAtX, "marker-x", "x"},
    MarkKind{beam::Mark::kLargest, "marker-xm", "xm"},
    MarkKind{beam::Mark::kCharacteristic, "marker-f", "f"},
    MarkKind{beam::Mark::kAtXq, "marker-xq", "xq"},
};

// A label longer than this is shown shortened, the whole line in its tooltip.
constexpr std::size_t kLongestLabel = 30;

// A marked line as printed, and as shown: shortened where long, with the
// unit of its value (every mark's is a length) where units are stated.
Label labelOf(const beam::ResultLine& line, std::string_view unit) {
  const std::string text = folded(beam::renderLine(line));
  std::string shown = text;
  if (text.size() > kLongestLabel) {
    shown = folded(line.label);
    if (line.at) shown += sixSignificant(*line.at) + ")= ";
    shown += sixSignificant(line.value);
  }
  if (!unit.empty()) shown += " " + std::string(unit);
  return {text, shown};
}

// The line's parts of the drawing: the line, its marks, the ratio or the
// legend, and the notes on marks that stand off the beam.
class LineBuilder {
 public:
  LineBuilder(const LoadCase& c, const Inputs& in, const std::vector<beam::Caveat>& caveats,
              double length, bool current, std::string_view unit)
      : c_(c), in_(in), caveats_(caveats), length_(length), current_(current), unit_(unit) {}

  Line build(const beam::DeflectionLine& sampled, double largest, std::vector<Note>& notes) {
    Line line;
    largest_ = largest;
    if (largest > 0) exaggeration_ = exaggeration(length_, largest);
    line.exaggeration = exaggeration_;
    line.points.reserve(sampled.points.size());
    for (const beam::LinePoint& p : sampled.points) line.points.push_back({p.at / length_, v(p.w)});
    line.scale = exaggeration_ ? scaleWords(*exaggeration_) : std::string(kNoDeflection);
    const beam::Report report = beam::computeReport(c_.Nr, in_);
    line.markers = markers(report, notes);
    if (current_) line.ratio = ratio(report);
    return line;
  }

  // The printed lines of the largest deflection, for the summary.
  [[nodiscard]] const std::string& largestWords() const { return largestWords_; }

 private:
  [[nodiscard]] double v(double w) const {
    return exaggeration_ ? w / largest_ * exaggeration_->drawn : 0.0;
  }

  // Whether a mark at x or xq stands on the beam; a note says when not.
  bool onBeam(beam::Mark mark, std::vector<Note>& notes) const {
    if (mark != beam::Mark::kAtX && mark != beam::Mark::kAtXq) return true;
    const bool x = mark == beam::Mark::kAtX;
    const beam::Caveat off = x ? beam::Caveat::kXOffBeam : beam::Caveat::kXqOffOverhang;
    if (!has(caveats_, off)) return true;
    notes.push_back({beam::entryOf(off).name, markNote(noteOf(off, c_, in_), x)});
    return false;
  }

  // One mark for each kind of marked line; its labels are the lines it marks.
  std::vector<Marker> markers(const beam::Report& report, std::vector<Note>& notes) {
    std::vector<Marker> found;
    for (const MarkKind& kind : kMarkKinds) {
      std::vector<const beam::ResultLine*> lines;
      for (const beam::ResultLine& l : report.lines) {
        if (l.mark == kind.mark) lines.push_back(&l);
      }
      if (lines.empty() || !onBeam(kind.mark, notes)) continue;
      const beam::ResultLine& first = *lines.front();
      if (!std::isfinite(first.markAt) || !std::isfinite(first.markW)) continue;
      Marker m{kind.mark, kind.role, kind.tag, first.markAt / length_, v(first.markW), {}};
      for (const beam::ResultLine* l : lines) {
        if (!current_) break;
        m.labels.push_back(labelOf(*l, unit_));
        if (kind.mark != beam::Mark::kLargest) continue;
        largestWords_ += (largestWords_.empty() ? "" : ", ") + m.labels.back().text;
      }
      found.push_back(std::move(m));
    }
    return found;
  }

  // The largest deflection against the span, as limits are written (L/300).
  [[nodiscard]] std::string ratio(const beam::Report& report) const {
    const bool cantilever = c_.support == beam::Support::kCantilever;
    const beam::Mark wanted = cantilever ? beam::Mark::kCharacteristic : beam::Mark::kLargest;
    const auto fm = std::find_if(report.lines.begin(), report.lines.end(),
                                 [wanted](const beam::ResultLine& l) { return l.mark == wanted; });
    if (fm == report.lines.end() || fm->value == 0) return {};
    // In logarithms: L / fm may exceed the largest double, and fm / L too.
    const double digits = std::log10(in_.L) - std::log10(std::abs(fm->value));
    // A mantissa that rounds up to 10 is 1 of the next decade.
    const auto exponent = [](double d) {
      double decade = std::floor(d);
      std::string mantissa = sixSignificant(std::pow(10.0, d - decade));
      if (mantissa == "10") {
        mantissa = "1";
        decade += 1;
      }
      return mantissa + "e+" + std::to_string(static_cast<int>(decade));
    };
    // Never rounded to L/0: below L/10 with two significant digits, and a
    // deflection of more than ten spans as a multiple of L.
    std::string n;
    if (digits >= 7) {
      n = "L/" + exponent(digits);
    } else if (digits >= 1) {
      n = "L/" + std::to_string(std::llround(std::pow(10.0, digits)));
    } else if (digits >= -1) {
      // Two significant digits, also where they round up to the next decade.
      const double r = std::pow(10.0, digits);
      const double next = std::pow(10.0, std::floor(digits) + 1);
      int decimals = 1 - static_cast<int>(std::floor(digits));
      if (withDecimals(r, decimals) == withDecimals(next, decimals)) decimals -= 1;
      n = "L/" + withDecimals(r, decimals);
    } else if (digits > -7) {
      n = std::to_string(std::llround(std::pow(10.0, -digits))) + "·L";
    } else {
      n = exponent(-digits) + "·L";
    }
    return ratioWords(cantilever, n);
  }

  const LoadCase& c_;
  const Inputs& in_;
  const std::vector<beam::Caveat>& caveats_;
  double length_;
  bool current_;
  std::string_view unit_;  // of the marks' values: a length's, or none
  double largest_ = 0;
  std::optional<Exaggeration> exaggeration_;
  std::string largestWords_;
};

// "1, 2, 31, 32, 4, …": the numbers of the cases, from the catalogue.
std::string caseNumbers() {
  std::string numbers;
  for (const LoadCase& c : beam::loadCases()) {
    if (!numbers.empty()) numbers += ", ";
    numbers += std::to_string(c.Nr);
  }
  return numbers;
}

Drawing withoutCase(std::int32_t Nr) {
  const Status status = Nr != 0 ? Status::kUnknownCase : Status::kNoCase;
  Drawing d{.Nr = Nr, .title = noCaseTitle(Nr), .status = status};
  d.notes.push_back({entryOf(status).name, caseListNote(entryOf(status).note, caseNumbers())});
  d.summary = noCaseSummary(Nr);
  return d;
}

}  // namespace

// The bytes of the values, so that a NaN typed again counts as unchanged.
bool sameValues(std::int32_t Nr, const Inputs& in, const std::optional<Printed>& printed) {
  if (!printed || printed->Nr != Nr) return false;
  // (std::bit_cast is missing from emscripten's standard library.)
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

Drawing drawCase(std::int32_t Nr, const Inputs& in, int points,
                 const std::optional<Printed>& printed, const Stated& stated) {
  const LoadCase* c = beam::findLoadCase(Nr);
  if (c == nullptr) return withoutCase(Nr);

  Drawing d{.Nr = Nr, .title = caseTitle(Nr), .subtitle = c->title};
  const beam::DeflectionLine sampled = beam::sampleDeflectionLine(Nr, in, points);
  double largest = 0;
  for (const beam::LinePoint& p : sampled.points) largest = std::max(largest, std::abs(p.w));
  const std::vector<beam::Caveat> caveats = beam::caveatsOfValues(*c, in);
  const StructureBuilder structure(*c, in, stated.units);
  d.status =
      structure.sketch() ? Status::kSketch : lineStatus(*c, in, caveats, sampled.status, largest);
  const StatusEntry& status = entryOf(d.status);
  std::string statusNote(status.note);
  if (status.caveat) statusNote = noLineNote(noteOf(*status.caveat, *c, in), status.note);
  if (d.status != Status::kSampled) d.notes.push_back({status.name, statusNote});

  if (structure.spanOk()) {
    d.beam = structure.build();
    if (!std::isfinite(in.F))
      d.notes.push_back({"load-not-finite", std::string(kLoadNotFiniteNote)});
  }
  const bool current = sameValues(Nr, in, printed);
  LineBuilder line(*c, in, caveats, structure.length(), current,
                   stated.units ? stated.units->length : std::string_view());
  if (d.status == Status::kSampled) {
    d.line = line.build(sampled, largest, d.notes);
    if (!current) {
      d.line->legend = printed && printed->Nr == Nr ? kLegendChanged : kLegendNotComputed;
    }
  }

  // The section and material named while the program holds what the aid typed.
  if (!stated.source.empty() && in.E == stated.E && in.Iy == stated.Iy) d.source = stated.source;

  const bool loaded = d.beam && d.beam->load;
  const beam::LoadKindNames& load = beam::namesOf(c->load);
  d.summary = summary({
      .title = c->title,
      .span = structure.spanOk() && !structure.sketch() ? typed(in.L) : std::string(),
      .noun = loaded ? load.noun : std::string_view(),
      .symbol = load.symbol,
      .load = typed(in.F),
      .largest = line.largestWords(),
      .note = d.status != Status::kSampled ? std::string_view(statusNote) : std::string_view(),
  });
  return d;
}

}  // namespace veldra::drawing
