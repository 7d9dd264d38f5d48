// An unsigned whole number of any size, for exact decimal conversions: a
// double's exact decimal value has up to 767 significant digits.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace quillon {

class BigNumber {
public:
    explicit BigNumber(std::uint64_t value = 0);
    // The number a text of decimal digits writes.   "4294967296" -> 2^32
    static BigNumber fromDigits(std::string_view digits);

    bool isZero() const { return limbs_.empty(); }
    // Bits needed to write it: 0 for 0, 1 for 1, 33 for 2^32.
    int bitLength() const;
    // Its decimal digits, without leading zeros; "0" for 0.
    std::string decimalDigits() const;

    void multiply(std::uint32_t factor);
    void add(std::uint32_t addend);
    void multiplyByPowerOf5(int exponent);
    void shiftLeft(int bits);
    // Divides in place and gives the remainder.
    std::uint32_t divide(std::uint32_t divisor);
    // Subtracts a number not greater than this one.
    void subtract(const BigNumber& smaller);

    // -1, 0 or 1 as a is less than, equal to or greater than b.
    friend int compare(const BigNumber& a, const BigNumber& b);

private:
    void trim();
    std::vector<std::uint32_t> limbs_; // least significant first
};

} // namespace quillon
