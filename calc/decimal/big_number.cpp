#include "calc/decimal/big_number.h"

namespace quillon {

BigNumber::BigNumber(std::uint64_t value)
{
    for (; value != 0; value >>= 32)
        limbs_.push_back(static_cast<std::uint32_t>(value));
}

BigNumber BigNumber::fromDigits(std::string_view digits)
{
    BigNumber number;
    // Nine digits at a time: 10^9 fits a limb.
    for (std::size_t at = 0; at < digits.size(); at += 9) {
        const std::string_view chunk = digits.substr(at, 9);
        std::uint32_t scale = 1;
        std::uint32_t value = 0;
        for (char digit : chunk) {
            scale *= 10;
            value = value * 10 + static_cast<std::uint32_t>(digit - '0');
        }
        number.multiply(scale);
        number.add(value);
    }
    return number;
}

int BigNumber::bitLength() const
{
    if (limbs_.empty())
        return 0;
    int bits = static_cast<int>(limbs_.size() - 1) * 32;
    for (std::uint32_t top = limbs_.back(); top != 0; top >>= 1)
        ++bits;
    return bits;
}

std::string BigNumber::decimalDigits() const
{
    if (isZero())
        return "0";
    BigNumber rest = *this;
    std::string reversed;
    while (!rest.isZero()) {
        std::uint32_t chunk = rest.divide(1000000000);
        for (int i = 0; i < 9; ++i, chunk /= 10)
            reversed.push_back(static_cast<char>('0' + chunk % 10));
    }
    while (reversed.back() == '0')
        reversed.pop_back();
    return std::string(reversed.rbegin(), reversed.rend());
}

void BigNumber::multiply(std::uint32_t factor)
{
    std::uint64_t carry = 0;
    for (std::uint32_t& limb : limbs_) {
        const std::uint64_t product = std::uint64_t{limb} * factor + carry;
        limb = static_cast<std::uint32_t>(product);
        carry = product >> 32;
    }
    if (carry != 0)
        limbs_.push_back(static_cast<std::uint32_t>(carry));
    trim();
}

void BigNumber::add(std::uint32_t addend)
{
    std::uint64_t carry = addend;
    for (std::size_t i = 0; carry != 0 && i < limbs_.size(); ++i) {
        const std::uint64_t sum = limbs_[i] + carry;
        limbs_[i] = static_cast<std::uint32_t>(sum);
        carry = sum >> 32;
    }
    if (carry != 0)
        limbs_.push_back(static_cast<std::uint32_t>(carry));
}

void BigNumber::multiplyByPowerOf5(int exponent)
{
    constexpr std::uint32_t k5To13 = 1220703125; // the largest power of 5 in a limb
    for (; exponent >= 13; exponent -= 13)
        multiply(k5To13);
    std::uint32_t factor = 1;
    for (; exponent > 0; --exponent)
        factor *= 5;
    multiply(factor);
}

void BigNumber::shiftLeft(int bits)
{
    if (isZero() || bits <= 0)
        return;
    const auto limbShift = static_cast<std::size_t>(bits / 32);
    const int bitShift = bits % 32;
    if (bitShift != 0) {
        std::uint32_t carry = 0;
        for (std::uint32_t& limb : limbs_) {
            const std::uint32_t next = limb >> (32 - bitShift);
            limb = (limb << bitShift) | carry;
            carry = next;
        }
        if (carry != 0)
            limbs_.push_back(carry);
    }
    limbs_.insert(limbs_.begin(), limbShift, 0);
}

std::uint32_t BigNumber::divide(std::uint32_t divisor)
{
    std::uint64_t remainder = 0;
    for (auto limb = limbs_.rbegin(); limb != limbs_.rend(); ++limb) {
        const std::uint64_t current = (remainder << 32) | *limb;
        *limb = static_cast<std::uint32_t>(current / divisor);
        remainder = current % divisor;
    }
    trim();
    return static_cast<std::uint32_t>(remainder);
}

void BigNumber::subtract(const BigNumber& smaller)
{
    std::int64_t borrow = 0;
    for (std::size_t i = 0; i < limbs_.size(); ++i) {
        std::int64_t difference
            = std::int64_t{limbs_[i]} - borrow - (i < smaller.limbs_.size() ? smaller.limbs_[i] : 0);
        borrow = difference < 0 ? 1 : 0;
        limbs_[i] = static_cast<std::uint32_t>(difference + (borrow << 32));
    }
    trim();
}

int compare(const BigNumber& a, const BigNumber& b)
{
    if (a.limbs_.size() != b.limbs_.size())
        return a.limbs_.size() < b.limbs_.size() ? -1 : 1;
    for (std::size_t i = a.limbs_.size(); i-- > 0;) {
        if (a.limbs_[i] != b.limbs_[i])
            return a.limbs_[i] < b.limbs_[i] ? -1 : 1;
    }
    return 0;
}

void BigNumber::trim()
{
    while (!limbs_.empty() && limbs_.back() == 0)
        limbs_.pop_back();
}

} // namespace quillon
