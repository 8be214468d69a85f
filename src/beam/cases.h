#pragma once

// The thirteen load cases of linear elastic beam theory, as closed forms.
//
// Every function takes what the user typed and returns the case's named results.
// Nothing is validated: a zero L, E, Iy, or (where it divides) a or L - a yields
// IEEE infinities or NaNs in the results, never a trap or an exception.
//
// Sign convention: a positive deflection points the way a positive load acts.
// Slopes (alpha, alphaA, alphaB) are the rotations at the supports or ends with
// the sign that the case's own load gives them; for a positive load they are
// positive. Coordinates are measured from A; on an overhang, xq from B towards C.
//
// Each formula is evaluated in one fixed order with std::pow and std::sqrt, so
// that the same inputs give the same bits on every platform built without
// floating-point contraction.

#include <optional>

namespace veldra::beam {

// The quantities of one beam. Units are the user's, used consistently.
struct Inputs {
  double F = 0.0;   // the load: a force, a moment or a line load intensity q
  double L = 0.0;   // span between A and B, or length of a cantilever
  double E = 0.0;   // modulus of elasticity
  double Iy = 0.0;  // second moment of area
  double a = 0.0;   // case 2: distance of the force from A; 11, 12: overhang length
  double x = 0.0;   // where the deflection line is evaluated, from A
  double xq = 0.0;  // cases 11, 12: where on the overhang, from B towards C
};

// Cases 1 and 4: loads symmetric about mid-span, where fm lies.
struct SymmetricSpan {
  double fm;      // deflection at mid-span, the largest
  double alphaA;  // slope at A
  double alphaB;  // slope at B, equal to alphaA
  double w;       // deflection line at x
};

// Case 2: a force off centre.
struct OffCentreForce {
  double f;                   // deflection under the force
  double fm;                  // largest deflection, in the longer of the two pieces
  double xm;                  // where fm lies, from A
  double alphaA;              // slope at A
  double alphaB;              // slope at B
  std::optional<double> wI;   // deflection line at x, when x <= a (left of the force)
  std::optional<double> wII;  // deflection line at x, when x >= a (right of it)
};

// Cases 31 and 32: a moment at one end of a beam on two supports.
struct EndMoment {
  double xf;      // mid-span, L / 2
  double f;       // deflection at mid-span
  double fm;      // largest deflection
  double xm;      // where fm lies, from A
  double alphaA;  // slope at A
  double alphaB;  // slope at B
  double w;       // deflection line at x
};

// Case 5: a triangular line load.
struct TriangularSpan {
  double fm;      // largest deflection (a rounded constant, see triangularLoad)
  double xm;      // where fm lies, from A (rounded likewise)
  double alphaA;  // slope at A
  double alphaB;  // slope at B
  double w;       // deflection line at x
};

// Cases 6 to 10: a cantilever clamped at B, free at A (x = 0).
struct Cantilever {
  double f;       // deflection of the free end A, the largest
  double alphaA;  // slope at A
  double w;       // deflection line at x
};

// Cases 11 and 12: supports at A and B, an overhang of length a beyond B to C,
// loaded only on the overhang. The span deflects against the load.
struct Overhang {
  double f;       // deflection of the overhang end C
  double fm;      // size of the largest (upward) deflection between A and B
  double xm;      // where fm lies, L / sqrt(3) from A
  double alpha;   // slope at C
  double alphaA;  // slope at A
  double alphaB;  // slope at B
  double w;       // deflection line on the span at x (negative inside the span)
  double wq;      // deflection line on the overhang at xq
};

// Case 1: beam on supports A and B, force F at mid-span. The deflection line is
// symmetric: for x beyond L / 2 it is evaluated at the mirrored point L - x.
SymmetricSpan forceAtMidSpan(const Inputs& in);

// Case 2: beam on supports A and B, force F at distance a from A. wI is set
// exactly when a >= x, wII exactly when a <= x (both when x == a, neither when
// the comparison fails on a NaN).
OffCentreForce forceOffCentre(const Inputs& in);

// Case 31: beam on supports A and B, moment F at A.
EndMoment momentAtA(const Inputs& in);

// Case 32: beam on supports A and B, moment F at B.
EndMoment momentAtB(const Inputs& in);

// Case 4: beam on supports A and B, uniform line load q = F.
SymmetricSpan uniformLoad(const Inputs& in);

// Case 5: beam on supports A and B, triangular line load rising from 0 at A to
// q = F at B. fm and xm use the rounded handbook constants 153.3 and 0.519, not
// the exact maximum of the deflection line (they differ by under 1e-3).
TriangularSpan triangularLoad(const Inputs& in);

// Case 6: cantilever clamped at B, force F at A.
Cantilever cantileverForce(const Inputs& in);

// Case 7: cantilever clamped at B, moment F at A.
Cantilever cantileverMoment(const Inputs& in);

// Case 8: cantilever clamped at B, uniform line load q = F.
Cantilever cantileverUniformLoad(const Inputs& in);

// Case 9: cantilever clamped at B, triangular load from 0 at A to q = F at B.
Cantilever cantileverRisingLoad(const Inputs& in);

// Case 10: cantilever clamped at B, triangular load from q = F at A to 0 at B.
Cantilever cantileverFallingLoad(const Inputs& in);

// Case 11: supports A and B with an overhang a, force F at its end C.
Overhang overhangForce(const Inputs& in);

// Case 12: supports A and B with an overhang a, uniform load q = F on it.
Overhang overhangUniformLoad(const Inputs& in);

}  // namespace veldra::beam
