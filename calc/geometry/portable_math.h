// Trigonometry that gives the same double on every machine. The C library's
// sin, cos, atan2 and hypot differ in the last bit between glibc, musl (the
// WebAssembly build) and Windows' runtimes, and the outline's drawing files
// are to be the same bytes everywhere. These use only +, -, ×, ÷ and sqrt,
// which IEEE 754 rounds alike on every machine.
//
// How far they are from the true values, for the angles and lengths of a
// drawing (|x| up to 10^6, lengths from 1e-20 to 10^6), as measured against
// glibc's long double functions (tests/calc/geometry/portable_math_test.cpp):
// - sin and cos: within 1.42 × 2^-53 (1.6e-16) everywhere; within 2 units
//   in the last place where the result is at least 1e-9 in magnitude. Nearer
//   to a multiple of pi the error stays below 3e-26, but that is up to 10^5
//   units in the last place of a result of 1e-16: the angle is reduced by
//   pi/2 held in two doubles, which leaves an error of about 1e-26 at 10^6.
// - tan: within 4 units in the last place where |cos x| >= 0.1 and the
//   result is at least 1e-9 in magnitude.
// - atan2: within 4 units in the last place; hypot within 1.2.
#pragma once

namespace quillon {

//   portableSin(0) -> 0   portableSin(pi / 6) -> 0.49999999999999994 (within 1e-15 of 0.5)
double portableSin(double x);
//   portableCos(0) -> 1   portableCos(pi) -> -1
double portableCos(double x);
//   portableTan(pi / 4) -> 1 (within 1e-15)
double portableTan(double x);
// The angle of (x, y) from +x, in (-pi, pi]; 0 for (0, 0).
//   portableAtan2(1, 1) -> pi / 4   portableAtan2(0, -1) -> pi   portableAtan2(-1, 0) -> -pi / 2
double portableAtan2(double y, double x);
// sqrt(x² + y²).   portableHypot(3, 4) -> 5
double portableHypot(double x, double y);

} // namespace quillon
