#pragma once

// Whether the drawing shows the deflection line, and if not, why: each status
// with its name (for the page and its checks) and the note that says it. Where
// the values put the beam out of its meaning, the note is the caveat's
// (beam/caveats.h), which the calculator's notes after key g say too.

#include <algorithm>
#include <array>
#include <optional>
#include <string_view>

#include "beam/caveats.h"

namespace veldra::drawing {

enum class Status {
  kSampled,         // the line is drawn
  kNoCase,          // no case chosen yet (Nr is 0)
  kUnknownCase,     // Nr names none of the thirteen cases
  kSketch,          // the span not given yet (L is 0): the case as a sketch
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
  // The caveat whose note says why there is no line, if one does.
  std::optional<beam::Caveat> caveat;
  // The note; after a caveat's, what the drawing adds. For the two without a
  // case, the start of a sentence that lists the cases.
  std::string_view note;
};

inline constexpr std::array kStatuses = {
    StatusEntry{Status::kSampled, "sampled", std::nullopt, ""},
    StatusEntry{Status::kNoCase, "no-case", std::nullopt, "Taste n, dann einer der Biegefälle"},
    StatusEntry{Status::kUnknownCase, "unknown-case", std::nullopt, "Es gibt die Biegefälle"},
    StatusEntry{Status::kSketch, "sketch", std::nullopt,
                "Skizze des Biegefalls: Taste f gibt die Last ein, l die Länge L, E und Iy, "
                "a den Abstand a, x die Koordinaten; mit L, E und Iy erscheint die "
                "Biegelinie."},
    StatusEntry{Status::kNoSpan, "no-span", beam::Caveat::kNoSpan, ""},
    StatusEntry{Status::kForceOffSpan, "force-off-span", beam::Caveat::kForceOffSpan, ""},
    StatusEntry{Status::kForceOnSupport, "force-on-support", beam::Caveat::kForceOnSupport, ""},
    StatusEntry{Status::kStiffness, "stiffness", beam::Caveat::kNoStiffness,
                " Das Terminal zeigt, was die Formeln mit diesen Werten ergeben."},
    StatusEntry{Status::kNotFinite, "not-finite", beam::Caveat::kNotFinite, ""},
    StatusEntry{Status::kTiny, "tiny", std::nullopt,
                "Keine Biegelinie: die Werte sind so klein, dass sie unter die kleinste normale "
                "Gleitkommazahl fallen (subnormal); sie lassen sich nicht genau zeichnen."},
};

// The entry of `status` in kStatuses.
[[nodiscard]] constexpr const StatusEntry& entryOf(Status status) {
  return *std::find_if(kStatuses.begin(), kStatuses.end(),
                       [status](const StatusEntry& e) { return e.status == status; });
}

}  // namespace veldra::drawing
