// The outer contour of a whole pulley as lines and arcs, built from the groove
// data of the catalogue row the run picks. Writers of drawing files take it
// from here (calc/geometry/files/).
#pragma once

#include "calc/diameters.h"
#include "calc/profile.h"

#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace quillon {

// A point in millimetres; the pulley's axis is (0, 0), y points up.
struct Point {
    double x = 0;
    double y = 0;
    friend bool operator==(const Point&, const Point&) = default;
};

// One piece of the contour, from start to end: a straight line when sweep is
// 0, else an arc about centre of the given radius that turns by sweep radians,
// counter-clockwise when positive. Each piece starts exactly (the same
// doubles) where the one before it ends, and the last ends where the first
// starts.
struct OutlinePiece {
    Point start;
    Point end;
    double sweep = 0;
    Point centre{};
    double radius = 0;
};

// How the grooves are drawn.
enum class GrooveConstruction {
    StraightFlanks, // the inch series and the T series: exact from the table
    ArcBottom,      // HTD, approximate: a bottom arc and straight flanks tangent to it
};

// The hob that cut a pulley's grooves (calc/geometry/hob/hobbed_outline.h)
// and how far they stray from the table's, in millimetres.
struct HobbedBy {
    std::string_view segment; // "Z10-20"; empty where the design count lies in no segment
    int designTeeth = 0;
    double overcut = 0;
    double metalLeft = 0;
};

// A pulley's contour: counter-clockwise, groove 0 centred on +y, grooves
// 360°/teeth apart. Each groove has its land arc on the outside circle before
// it (the first piece is the land arc that ends where groove 0 begins).
struct PulleyOutline {
    std::string_view beltType; // the catalogue's name, valid for the program's life
    int teeth = 0;
    GrooveProfile profile{}; // the table row drawn
    Diameters diameters{};   // unrounded, as the run computes them
    GrooveConstruction construction = GrooveConstruction::StraightFlanks;
    double topWidth = 0; // the groove's width on the outside circle as drawn
    std::vector<OutlinePiece> pieces{};
    std::optional<HobbedBy> hobbed{}; // none: the table's groove itself
};

// What keeps a pulley's outline from being drawn. The comment names the
// numbers of OutlineRefusal that go with it.
enum class OutlineObstacle {
    UnknownBeltType,          // beltType
    FlankCentresNotGiven,     // beltType (STPD): its flanks are arcs of radius RA, centres not given
    TeethNotWhole,            // toothCount
    TeethOutOfRange,          // toothCount, outside 3 to kMaxOutlineTeeth
    RootDiameterNotAboveZero, // length: the root diameter
    BottomWidthDoesNotFit,    // length: the bottom width, in the root circle
    TopWidthDoesNotFit,       // length: the top width, in the outside circle
    TipFilletDoesNotFit,      // length: its radius, between the flank and the outside circle
    RootFilletDoesNotFit,     // length: its radius, between the flank and the root circle
    NoFlankBetweenFillets,    // no straight flank is left between the tip and root fillets
    NoRootArc,                // no root arc is left between the root fillets
    NoFlankAboveBottomArc,    // no straight flank is left between the tip fillet and the bottom arc
    TopWidthUnlikeTable,      // length: the arc-bottom groove's top width; tableLength: the table's
    OnlyApproximately,        // length: the arc-bottom groove's top width; tableLength: the table's
    NoLand,                   // no land is left on the outside circle between the grooves
    GroovesOverlap,           // neighbouring grooves overlap below the outside circle
    NoHob, // beltType, toothCount: no hob cuts it; HobRefused (calc/geometry/hob/hob_refusal.h) says why
};

// Why a pulley's outline cannot be drawn, with the numbers a message names;
// each front end words it (quillon-cli in English, the page in Chinese).
struct OutlineRefusal {
    OutlineObstacle obstacle = OutlineObstacle::UnknownBeltType;
    std::string beltType{}; // as asked for
    double toothCount = 0;  // as asked for
    double length = 0;      // millimetres
    double tableLength = 0; // millimetres
};

// The pulley cannot be drawn from its groove data; reason() says why, with
// its numbers. onlyApproximately: it can be drawn when approximate is asked
// for (reason().obstacle is OnlyApproximately).
class OutlineRefused : public std::runtime_error {
public:
    explicit OutlineRefused(OutlineRefusal reason)
        : std::runtime_error("the pulley's outline cannot be drawn"),
          onlyApproximately(reason.obstacle == OutlineObstacle::OnlyApproximately),
          reason_(std::move(reason))
    {
    }
    const OutlineRefusal& reason() const { return reason_; }
    bool onlyApproximately;

private:
    OutlineRefusal reason_;
};

// The most teeth an outline is drawn for.
inline constexpr int kMaxOutlineTeeth = 100'000;

// The contour of a pulley of toothCount teeth of the belt type, for the
// circles the run computes (pitch × z ÷ 3.14159265, less twiceTipOffset, less
// twice the groove depth), unrounded. Straight-sided grooves (MXL … XXH, T2.5
// … T20) have 8 pieces each: land arc, tip fillet, flank, root fillet, root
// arc, root fillet, flank, tip fillet. HTD3M … HTD14M are drawn only when
// approximate is true, with 6 pieces a groove: land arc, tip fillet, flank,
// bottom arc, flank, tip fillet. Throws OutlineRefused for an unknown belt
// type, STPD and HTD20M, a tooth count that is not whole or is below 3 or
// above kMaxOutlineTeeth, a groove whose pieces do not all fit, and grooves
// that overlap their neighbours; its reason() names the obstacle.
//   ("XL", 20).pieces.size() -> 160      ("T5", 40).topWidth -> 3.32
//   ("HTD5M", 40) -> throws, onlyApproximately   ("T2.5", 6) -> throws, NoLand
PulleyOutline pulleyOutline(std::string_view beltType, double toothCount, bool approximate = false);

} // namespace quillon
