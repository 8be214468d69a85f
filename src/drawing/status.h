#pragma once

// Whether the drawing shows the deflection line, and if not, why: each status
// with its name (for the page and its checks) and the note that says it.

#include <algorithm>
#include <array>
#include <string_view>

namespace veldra::drawing {

enum class Status {
  kSampled,         // the line is drawn
  kNoCase,          // no case chosen yet (Nr is 0)
  kUnknownCase,     // Nr names none of the thirteen cases
  kNoSpan,          // L (or an overhang's a) missing or not positive
  kForceOffSpan,    // case 2's force outside the span
  kForceOnSupport,  // case 2's force on A or B
  kStiffness,       // E or Iy not positive and finite
  kNotFinite,       // the line is not finite with these values
  kTiny,            // the values fall below the smallest normal double
};

struct StatusEntry {
  Status status;
  std::string_view name;
  // Why there is no line; for the two without a case, the start of a
  // sentence that lists the cases.
  std::string_view note;
};

inline constexpr std::array kStatuses = {
    StatusEntry{Status::kSampled, "sampled", ""},
    StatusEntry{Status::kNoCase, "no-case", "Taste n, dann einer der Biegefälle"},
    StatusEntry{Status::kUnknownCase, "unknown-case", "Es gibt die Biegefälle"},
    StatusEntry{Status::kNoSpan, "no-span",
                "Keine Biegelinie: die Länge L (beim Kragträger auch a) fehlt oder ist nicht "
                "positiv."},
    StatusEntry{Status::kForceOffSpan, "force-off-span",
                "Keine Biegelinie: die Kraft steht außerhalb der Stützweite (a zwischen 0 und L)."},
    StatusEntry{Status::kForceOnSupport, "force-on-support",
                "Keine Biegelinie: die Kraft steht auf einem Lager (a = 0 oder a = L); die Formeln "
                "teilen dort durch null."},
    StatusEntry{Status::kStiffness, "stiffness",
                "Keine Biegelinie: E und Iy müssen positiv und endlich sein. Das Terminal zeigt, "
                "was die Formeln mit diesen Werten ergeben."},
    StatusEntry{Status::kNotFinite, "not-finite",
                "Keine Biegelinie: mit diesen Werten ist sie nicht endlich (F, E, Iy oder a null, "
                "unendlich oder nan, oder ein Ergebnis zu groß)."},
    StatusEntry{Status::kTiny, "tiny",
                "Keine Biegelinie: die Werte sind so klein, dass sie unter die kleinste normale "
                "Gleitkommazahl fallen (subnormal); sie lassen sich nicht genau zeichnen."},
};

// The entry of `status` in kStatuses.
[[nodiscard]] constexpr const StatusEntry& entryOf(Status status) {
  return *std::find_if(kStatuses.begin(), kStatuses.end(),
                       [status](const StatusEntry& e) { return e.status == status; });
}

}  // namespace veldra::drawing
