// A pulley as a solid: the outline extruded along the axis, with a hub,
// flanges and a bore with a keyway. Its topology — which face meets which,
// through which edge — is built here once; the mesh (pulley_mesh.h) and the
// file writers (calc/geometry/files/model_*) take it from here.
#pragma once

#include "calc/derived/inches.h"
#include "calc/geometry/outline.h"

#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

namespace quillon {

// The lengths a model is made for, every one of them (mm): from 1 µm to
// 1 km (10⁶ mm), as far as the portable trigonometry's accuracy is stated;
// beyond, volumes and chord counts leave the numbers they are held in.
inline constexpr double kShortestModelLength = 1e-3;
inline constexpr double kLongestModelLength = 1e6;

// Every length in millimetres.
struct Flanges {
    double height = 0;    // above the outside circle
    double thickness = 0; // along the axis
};
struct Hub {
    double diameter = 0;
    double length = 0;
};
struct Keyway {
    double width = 0;
    double depth = 0; // from the bore's surface to the floor, on the keyway's centre line
};
struct ModelOptions {
    double width = 0; // of the toothed part
    std::optional<Flanges> flanges{};
    std::optional<Hub> hub{};
    std::optional<double> bore{}; // its diameter
    std::optional<Keyway> keyway{};
    // The least radial gap between neighbouring contours: a mesh's chords
    // sag up to its chord tolerance inside their arcs, so contours closer
    // than that would cross once divided. The mesh's tolerance, and the
    // same for STEP, so that every format takes the same inputs.
    double clearance = 0;
};

// The options do not make a solid; what() says why.
class ModelRefused : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// A closed contour in a plane across the axis, the material on its left: an
// outer contour counter-clockwise, a hole's clockwise. Pieces as in
// OutlinePiece: each starts where the one before it ends.
using Loop = std::vector<OutlinePiece>;

// The side of a prism: a loop swept parallel to the axis from level bottom
// to level top (indices into PulleySolid::levels). Each piece makes one face
// (a plane for a line, a cylinder for an arc); each piece's start makes one
// edge along the axis.
struct Wall {
    Loop loop;
    int bottom = 0;
    int top = 0;
};

// A wall's loop at its bottom or top level: one edge per piece, shared by the
// wall's faces and one end face.
struct Ring {
    int wall = 0;
    bool top = false;
};

// A flat face across the axis at a level, facing up (+z) or down. Its first
// bound is the outer one. A bound is traversed forward (piece by piece, as
// the loop runs) or backward, so that the face lies on its left seen from the
// side it faces.
struct EndFace {
    int level = 0;
    bool facesUp = false;
    struct Bound {
        Ring ring;
        bool forward = true;
    };
    std::vector<Bound> bounds;
};

// The whole solid: the walls of the parts from the bottom up, then the hole's
// wall (if there is a bore) from the bottom to the top; the end faces at the
// bottom, between the parts and at the top. Every edge is in exactly two
// faces, once in each direction.
struct PulleySolid {
    std::string name;                 // "XL pulley, 20 teeth"
    std::vector<double> levels;       // z of each level, from 0 up
    std::vector<Wall> walls;          // the parts', then the hole's
    std::vector<EndFace> endFaces;    // bottom first, top last
    std::vector<double> sectionAreas; // each wall's loop, signed: a hole's negative
    double volume = 0;                // exact, from the section areas
};

// The solid of a pulley. The axis is +z, the bottom at z = 0; from the bottom
// up the hub, the bottom flange, the toothed part (the outline extruded by
// the width) and the top flange; the bore through all of it, the keyway a
// slot in the bore centred on +y, its sides parallel and its floor flat at
// bore / 2 + depth from the axis. Parts of one diameter that meet become one
// (a hub as wide as the flanges). Lengths in mm; units name lengths in
// messages only. Throws ModelRefused for a length that is not a positive
// number from kShortestModelLength to kLongestModelLength, a bore not narrower than the root circle and the hub, a
// keyway without a bore, as wide as the bore or whose floor's corners reach the root circle or the hub's surface, and a
// hub that meets the teeth directly with a diameter between the contour's smallest and largest; and for neighbouring
// contours (hub and teeth, hub and flange, hub and bore, bore and root, keyway and root or hub, flange and teeth)
// closer than the clearance.
//   XL 20, width 10 -> levels {0, 10}, one wall of 160 pieces, 2 end faces,
//                      volume the outline's area × 10
//   XL 20, width 10, bore 6 -> 2 walls (the hole's clockwise), 2 end faces of 2 bounds each
//   XL 20, width 10, flanges 1.5 -> levels {0, 1.5, 11.5, 13}, 3 walls, 4 end faces
PulleySolid pulleySolid(const PulleyOutline& outline, const ModelOptions& options, Units units);

// The area a loop encloses by Green's theorem over its pieces, each in
// closed form: ½(x₀y₁ − x₁y₀) for a line, ½(cx(y₁ − y₀) − cy(x₁ − x₀) + r²φ)
// for an arc about (cx, cy) turning by φ. Positive counter-clockwise.
//   a circle of radius 1 as two half arcs -> π
double loopArea(const Loop& loop);

// The smallest and largest distance of a loop from the axis.
struct RadialExtent {
    double smallest = 0;
    double largest = 0;
};
RadialExtent radialExtent(const Loop& loop);

} // namespace quillon
