// Trigonometry that gives the same double on every machine. The C library's
// sin, cos, atan2 and hypot differ in the last bit between glibc, musl (the
// WebAssembly build) and Windows' runtimes, and the outline's drawing files
// are to be the same bytes everywhere. These use only +, -, ×, ÷ and sqrt,
// which IEEE 754 rounds alike on every machine, and are within a few units
// in the last place of the true values for the angles and lengths of a
// drawing (|x| below 10^6).
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
