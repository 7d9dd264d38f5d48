// The one error of the calculation: a number beyond what a double holds.
#pragma once

#include <stdexcept>

namespace quillon {

// Thrown when the tooth count, or a diameter computed from it, lies beyond the
// range of a double (or an &H/&O number beyond 32 bits). Nothing else throws it.
class OutOfRange : public std::range_error {
public:
    using std::range_error::range_error;
};

} // namespace quillon
