// The pulley's solid as a triangle mesh for printers: the solid's faces cut
// into triangles, its arcs divided evenly into chords by a tolerance.
#pragma once

#include "calc/geometry/model/pulley_solid.h"

#include <array>
#include <cstdint>
#include <vector>

namespace quillon {

struct MeshVertex {
    double x = 0;
    double y = 0;
    double z = 0;
};

// Three indices into the vertices, counter-clockwise seen from outside.
using MeshTriangle = std::array<std::uint32_t, 3>;

// One shared list of vertices, each on the solid (on its edges), and the
// triangles over them. Closed and 2-manifold: every edge between two
// vertices is in exactly two triangles, once in each direction.
struct PulleyMesh {
    std::vector<MeshVertex> vertices;
    std::vector<MeshTriangle> triangles;
};

// The finest chord tolerance a mesh is made for: 0.1 µm, where a chord of a
// small fillet is still a thousand times the spacing of the single-precision
// floats a mesh file stores near the axis of a small pulley. Far from the
// axis the floats are coarser (0.06 mm at 1 km), which is why the end faces
// are cut into triangles in the file's floats (pulleyMesh).
inline constexpr double kFinestChordTolerance = 1e-4;

// How many equal chords an arc of the radius turning by sweep needs so that
// none is farther than tolerance (mm) from the arc: the fewest n with
// r (1 − cos(sweep / 2n)) ≤ tolerance, and at least one chord for each third
// of a turn, so that a half circle is never one chord.
//   (10, π/2, 0.01) -> 18   (0.5, π/2, 0.01) -> 4   (10, π, 100) -> 2
int chordCount(double radius, double sweep, double tolerance);

// The mesh of a solid, every arc divided by chordCount; lengths in mm. The
// end faces are cut into triangles in the coordinates a file of the units
// stores (single-precision floats in mm or inches), so that each keeps its
// turn and its area when written.
PulleyMesh pulleyMesh(const PulleySolid& solid, double tolerance, Units units = Units::Millimetres);

} // namespace quillon
