// The groove data of one belt type and the form of a catalogue entry.
#pragma once

#include <string_view>
#include <variant>

namespace quillon {

// One field of a groove profile: unset, a whole number, a real number or a text.
// The catalogue writes whole numbers as integers and decimals as reals; both show
// and compute alike, so the kind only matters to the fixed format and to tests.
// Texts are UTF-8 string literals that live as long as the program.
class ProfileValue {
public:
    enum class Kind { Unset, Integer, Real, Text };

    constexpr ProfileValue() = default;
    constexpr ProfileValue(int integer) : value_(integer) { }
    constexpr ProfileValue(double real) : value_(real) { }
    constexpr ProfileValue(const char* text) : value_(std::string_view(text)) { }

    constexpr Kind kind() const { return static_cast<Kind>(value_.index()); }
    constexpr bool isUnset() const { return kind() == Kind::Unset; }
    constexpr bool isNumber() const { return kind() == Kind::Integer || kind() == Kind::Real; }
    constexpr bool isText() const { return kind() == Kind::Text; }

    // The value in arithmetic: an integer or real as itself, anything else as 0.
    constexpr double number() const
    {
        if (kind() == Kind::Integer)
            return std::get<int>(value_);
        if (kind() == Kind::Real)
            return std::get<double>(value_);
        return 0.0;
    }
    constexpr int integer() const { return kind() == Kind::Integer ? std::get<int>(value_) : 0; }
    constexpr std::string_view text() const
    {
        return kind() == Kind::Text ? std::get<std::string_view>(value_) : std::string_view();
    }

    friend constexpr bool operator==(const ProfileValue&, const ProfileValue&) = default;

private:
    // The order of the alternatives is the order of Kind.
    std::variant<std::monostate, int, double, std::string_view> value_;
};

// The groove data of one belt type. Lengths in millimetres, halfAngle in degrees.
// Fields a catalogue row does not give stay unset.
struct GrooveProfile {
    ProfileValue pitch{};       // belt pitch Pb
    ProfileValue bottomWidth{}; // groove width at the bottom bw
    ProfileValue bottomWidthTol{};
    ProfileValue topWidth{}; // groove width at the top br
    ProfileValue topWidthTol{};
    ProfileValue grooveDepth{}; // full groove depth hg
    ProfileValue grooveDepthTol{};
    ProfileValue halfAngle{}; // groove half-angle Y
    ProfileValue halfAngleTol{};
    ProfileValue tipRadius{}; // radius at the groove tip Rt
    ProfileValue tipRadiusTol{};
    ProfileValue rootRadius{}; // radius at the groove root Rb
    ProfileValue rootRadiusTol{};
    ProfileValue twiceTipOffset{}; // twice the pitch line to outside diameter distance 2a
    ProfileValue flankRadius{};    // radius of the flank arc RA
    ProfileValue segmentLine1{};   // tooth-count ranges one hob serves
    ProfileValue segmentLine2{};

    friend constexpr bool operator==(const GrooveProfile&, const GrooveProfile&) = default;
};

// Which tooth counts a catalogue entry applies to. Only the T series tells
// pulleys of more than 20 teeth from the smaller ones.
enum class ToothCountCondition {
    Any,
    Above20, // toothCount > 20
    UpTo20,  // toothCount <= 20, i.e. whenever Above20 does not hold
};

constexpr bool holds(ToothCountCondition condition, double toothCount)
{
    switch (condition) {
    case ToothCountCondition::Above20:
        return toothCount > 20;
    case ToothCountCondition::UpTo20:
        return !(toothCount > 20);
    case ToothCountCondition::Any:
        break;
    }
    return true;
}

// One row of the catalogue: the exact belt type text that selects it, the
// tooth-count condition, and the groove data.
struct ProfileEntry {
    std::string_view beltType;
    ToothCountCondition condition = ToothCountCondition::Any;
    GrooveProfile profile;
};

} // namespace quillon
