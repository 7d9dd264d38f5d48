#include "calc/geometry/model/pulley_mesh.h"

#include "calc/geometry/files/drawing_number.h"
#include "calc/geometry/model/planar_triangulation.h"
#include "calc/geometry/portable_math.h"

#include <algorithm>
#include <cmath>
#include <numbers>
#include <stdexcept>

namespace quillon {
namespace {

// At most a third of a turn a chord, whatever the tolerance.
constexpr double kWidestChordTurn = 2 * std::numbers::pi / 3;
// More chords on one arc than this would not fit the 32-bit vertex indices
// of a mesh file; the model's length range keeps every arc below it.
constexpr double kMostChords = 1e8;

double sagitta(double radius, double sweep, int chords)
{
    return radius * (1 - portableCos(sweep / (2 * chords)));
}

// A loop's points, each piece's start and then its chords' ends inside it.
std::vector<Point> loopPoints(const Loop& loop, double tolerance)
{
    std::vector<Point> points;
    for (const OutlinePiece& piece : loop) {
        points.push_back(piece.start);
        if (piece.sweep == 0)
            continue;
        const int chords = chordCount(piece.radius, piece.sweep, tolerance);
        const double from = portableAtan2(piece.start.y - piece.centre.y, piece.start.x - piece.centre.x);
        for (int k = 1; k < chords; ++k) {
            const double angle = from + piece.sweep * k / chords;
            points.push_back({piece.centre.x + piece.radius * portableCos(angle),
                piece.centre.y + piece.radius * portableSin(angle)});
        }
    }
    return points;
}

} // namespace

int chordCount(double radius, double sweep, double tolerance)
{
    const double turn = std::abs(sweep);
    const int fewest = static_cast<int>(std::ceil(turn / kWidestChordTurn));
    if (!(tolerance < radius))
        return fewest;
    // A first guess from the C library's arcsine, then settled by the
    // portable cosine, so that every machine divides alike. r (1 − cos(θ/2))
    // = 2r sin²(θ/4), which keeps θ above 0 for the smallest ratio, where
    // 1 − tolerance / radius would round to 1.
    const double widest = 4 * std::asin(std::sqrt(tolerance / (2 * radius)));
    const double guess = std::ceil(turn / widest);
    if (!(guess <= kMostChords))
        throw std::invalid_argument("chordCount: more chords than a mesh holds");
    int chords = std::max(fewest, static_cast<int>(guess));
    while (chords > fewest && sagitta(radius, turn, chords - 1) <= tolerance)
        --chords;
    while (sagitta(radius, turn, chords) > tolerance)
        ++chords;
    return chords;
}

PulleyMesh pulleyMesh(const PulleySolid& solid, double tolerance, Units units)
{
    PulleyMesh mesh;
    // Each wall's points once, and each of its rings' vertices: the first
    // vertex index of the bottom ring and of the top.
    std::vector<std::vector<Point>> points;
    std::vector<std::array<std::uint32_t, 2>> firstVertex;
    for (const Wall& wall : solid.walls) {
        points.push_back(loopPoints(wall.loop, tolerance));
        std::array<std::uint32_t, 2> first{};
        for (int end = 0; end < 2; ++end) {
            first[static_cast<std::size_t>(end)] = static_cast<std::uint32_t>(mesh.vertices.size());
            const double z = solid.levels[static_cast<std::size_t>(end == 0 ? wall.bottom : wall.top)];
            for (const Point& p : points.back())
                mesh.vertices.push_back({p.x, p.y, z});
        }
        firstVertex.push_back(first);
    }
    // The walls: two triangles between each chord at the bottom and at the
    // top, facing outward, to the right of the loop's direction.
    for (std::size_t w = 0; w < solid.walls.size(); ++w) {
        const auto count = static_cast<std::uint32_t>(points[w].size());
        const std::uint32_t bottom = firstVertex[w][0];
        const std::uint32_t top = firstVertex[w][1];
        for (std::uint32_t i = 0; i < count; ++i) {
            const std::uint32_t next = (i + 1) % count;
            mesh.triangles.push_back({bottom + i, bottom + next, top + next});
            mesh.triangles.push_back({bottom + i, top + next, top + i});
        }
    }
    // The end faces, cut into triangles in their plane, turned over where
    // they face down.
    for (const EndFace& face : solid.endFaces) {
        std::vector<PlanarRing> rings;
        for (const EndFace::Bound& bound : face.bounds) {
            const auto w = static_cast<std::size_t>(bound.ring.wall);
            // As the file stores the points: on a large pulley the floats
            // are coarse enough to turn a thin triangle of the exact points
            // over, or to flatten it, where the file's own points cannot.
            PlanarRing ring{{}, {}};
            ring.points.reserve(points[w].size());
            for (const Point& p : points[w])
                ring.points.push_back(
                    {static_cast<float>(drawingLength(p.x, units)), static_cast<float>(drawingLength(p.y, units))});
            const std::uint32_t first = firstVertex[w][bound.ring.top ? 1 : 0];
            for (std::uint32_t i = 0; i < ring.points.size(); ++i)
                ring.vertices.push_back(first + i);
            // As the region runs, counter-clockwise about it from above.
            if (bound.forward != face.facesUp) {
                std::reverse(ring.points.begin(), ring.points.end());
                std::reverse(ring.vertices.begin(), ring.vertices.end());
            }
            rings.push_back(std::move(ring));
        }
        for (MeshTriangle triangle : triangulateRegion(rings)) {
            if (!face.facesUp)
                std::swap(triangle[1], triangle[2]);
            mesh.triangles.push_back(triangle);
        }
    }
    return mesh;
}

} // namespace quillon
