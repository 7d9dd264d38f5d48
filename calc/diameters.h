// The three diameters of a pulley, as the run computes them.
#pragma once

namespace quillon {

// The three diameters of a pulley in millimetres, unrounded.
struct Diameters {
    double pitch = 0;   // pitch * toothCount / kDiameterPi
    double outside = 0; // pitch diameter - twiceTipOffset
    double root = 0;    // outside diameter - 2 * grooveDepth
};

} // namespace quillon
