// A flat face with holes cut into triangles, by clipping ears.
#pragma once

#include "calc/geometry/model/pulley_mesh.h"

#include <vector>

namespace quillon {

// A closed polygon of a region: its points, and the mesh vertex each is.
struct PlanarRing {
    std::vector<Point> points;
    std::vector<std::uint32_t> vertices;
};

// Triangles that cover the region exactly, counter-clockwise, over the rings'
// own vertices (no new ones): the first ring is the region's outside,
// counter-clockwise; the others are holes in it, clockwise. Rings must be
// simple and must not touch. A point on a straight stretch of a ring is kept
// and is a corner of a triangle, so that the face shares every vertex its
// edges have with the faces beside it; no triangle has zero area. Each hole
// is joined to the outside by a bridge from its point farthest in +x to a
// point of the outside it sees, then the one ring is clipped ear by ear,
// testing only the corners that turn inward, which may lie inside an ear.
//   a unit square -> 2 triangles   a square with a square hole -> 8 triangles
std::vector<MeshTriangle> triangulateRegion(const std::vector<PlanarRing>& rings);

} // namespace quillon
