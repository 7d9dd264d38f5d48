#include "calc/geometry/model/planar_triangulation.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <stdexcept>

namespace quillon {
namespace {

// > 0 when a, b, c turn counter-clockwise.
double cross(Point a, Point b, Point c)
{
    return (b.x - a.x) * (c.y - a.y) - (b.y - a.y) * (c.x - a.x);
}

struct Node {
    Point p;
    std::uint32_t vertex = 0;
    int prev = 0;
    int next = 0;
    bool removed = false;
};

// The corners that turn inward, by square cells over their extent, about one
// corner a cell: an ear is tested against the corners of the cells it
// covers, not against all of them, which keeps a face of a hundred thousand
// corners quick.
class InwardGrid {
public:
    InwardGrid() = default;
    InwardGrid(const std::vector<Node>& nodes, const std::vector<int>& corners)
    {
        if (corners.empty())
            return;
        low_ = high_ = nodes[static_cast<std::size_t>(corners.front())].p;
        for (int n : corners) {
            const Point p = nodes[static_cast<std::size_t>(n)].p;
            low_ = {std::min(low_.x, p.x), std::min(low_.y, p.y)};
            high_ = {std::max(high_.x, p.x), std::max(high_.y, p.y)};
        }
        side_ = std::clamp(static_cast<int>(std::sqrt(static_cast<double>(corners.size()))), 1, kMostCellsASide);
        width_ = std::max((high_.x - low_.x) / side_, (high_.y - low_.y) / side_);
        if (!(width_ > 0))
            side_ = 1;
        cells_.assign(static_cast<std::size_t>(side_) * static_cast<std::size_t>(side_), {});
        all_ = corners;
        for (int n : corners) {
            const Point p = nodes[static_cast<std::size_t>(n)].p;
            cells_[cellIndex(column(p.x), row(p.y))].push_back(n);
        }
    }

    // Whether no corner in the cells the box covers is inside: `test` tells
    // of each whether it is Inside, Outside or Gone (clipped, or turned
    // outward), which drops it from its cell for good.
    enum class Corner { Inside, Outside, Gone };
    template <typename Test> bool none(Point low, Point high, const Test& test)
    {
        if (cells_.empty() || low.x > high_.x || low.y > high_.y || high.x < low_.x || high.y < low_.y)
            return true;
        const int firstColumn = column(low.x), lastColumn = column(high.x);
        const int firstRow = row(low.y), lastRow = row(high.y);
        // A box wider than the corners left (late in a large face, when the
        // ears span it) is tested against those corners alone.
        const auto covered
            = static_cast<std::size_t>(lastColumn - firstColumn + 1) * static_cast<std::size_t>(lastRow - firstRow + 1);
        if (covered > all_.size())
            return noneIn(all_, test);
        for (int r = firstRow; r <= lastRow; ++r) {
            for (int col = firstColumn; col <= lastColumn; ++col) {
                if (!noneIn(cells_[cellIndex(col, r)], test))
                    return false;
            }
        }
        return true;
    }

private:
    static constexpr int kMostCellsASide = 4096;

    template <typename Test> static bool noneIn(std::vector<int>& corners, const Test& test)
    {
        std::size_t kept = 0;
        bool inside = false;
        for (std::size_t i = 0; i < corners.size(); ++i) {
            const Corner corner = inside ? Corner::Outside : test(corners[i]);
            if (corner != Corner::Gone)
                corners[kept++] = corners[i];
            inside = inside || corner == Corner::Inside;
        }
        corners.resize(kept);
        return !inside;
    }

    // The cell a coordinate falls in, along x or along y, clamped to the grid.
    int cellOf(double coordinate, double from) const
    {
        if (side_ == 1)
            return 0;
        return std::clamp(static_cast<int>((coordinate - from) / width_), 0, side_ - 1);
    }
    int column(double x) const { return cellOf(x, low_.x); }
    int row(double y) const { return cellOf(y, low_.y); }
    std::size_t cellIndex(int col, int row) const
    {
        return static_cast<std::size_t>(row) * static_cast<std::size_t>(side_) + static_cast<std::size_t>(col);
    }

    Point low_{}, high_{};
    double width_ = 0;
    int side_ = 0;
    std::vector<std::vector<int>> cells_;
    std::vector<int> all_; // every corner, for the widest boxes
};

class Polygon {
public:
    // Links a ring in as a loop of its own; returns its first node.
    int add(const PlanarRing& ring)
    {
        const int first = static_cast<int>(nodes_.size());
        const int count = static_cast<int>(ring.points.size());
        for (int i = 0; i < count; ++i)
            nodes_.push_back({ring.points[static_cast<std::size_t>(i)], ring.vertices[static_cast<std::size_t>(i)],
                first + (i + count - 1) % count, first + (i + 1) % count});
        return first;
    }

    // Joins the hole whose loop holds `hole` into the loop that holds `outer`.
    void bridge(int hole, int outer)
    {
        int h = hole;
        for (int n = nodes_[hole].next; n != hole; n = nodes_[n].next) {
            if (at(n).x > at(h).x)
                h = n;
        }
        split(visiblePoint(h, outer), h);
    }

    std::vector<MeshTriangle> clip(int start, std::size_t count)
    {
        std::vector<int> inward;
        int n = start;
        for (std::size_t i = 0; i < count; ++i, n = nodes_[n].next) {
            if (turn(n) <= 0)
                inward.push_back(n);
        }
        grid_ = InwardGrid(nodes_, inward);
        std::vector<MeshTriangle> triangles;
        triangles.reserve(count);
        int ear = start;
        int stop = ear;
        while (count > 3) {
            const int a = nodes_[ear].prev;
            const int c = nodes_[ear].next;
            if (isEar(a, ear, c)) {
                triangles.push_back({nodes_[a].vertex, nodes_[ear].vertex, nodes_[c].vertex});
                nodes_[ear].removed = true;
                nodes_[a].next = c;
                nodes_[c].prev = a;
                --count;
                // The ears of a strip, as an annulus joined by a bridge is, are
                // at its ends: the next is looked for beside the one clipped.
                ear = stop = a;
                continue;
            }
            ear = c;
            if (ear == stop)
                throw std::logic_error("an end face of the solid could not be cut into triangles");
        }
        const int a = nodes_[ear].prev;
        const int c = nodes_[ear].next;
        if (!(cross(at(a), at(ear), at(c)) > 0))
            throw std::logic_error("an end face of the solid ends in a triangle of no area");
        triangles.push_back({nodes_[a].vertex, nodes_[ear].vertex, nodes_[c].vertex});
        return triangles;
    }

private:
    Point at(int n) const { return nodes_[static_cast<std::size_t>(n)].p; }
    double turn(int n) const { return cross(at(nodes_[n].prev), at(n), at(nodes_[n].next)); }

    // Whether no corner that turns inward lies in or on the triangle abc, but
    // for a, b and c themselves. Only such corners can lie inside an ear of
    // a simple polygon; a corner that has turned outward stays so.
    bool isEar(int a, int b, int c)
    {
        const Point pa = at(a), pb = at(b), pc = at(c);
        if (!(cross(pa, pb, pc) > 0))
            return false;
        const Point low{std::min({pa.x, pb.x, pc.x}), std::min({pa.y, pb.y, pc.y})};
        const Point high{std::max({pa.x, pb.x, pc.x}), std::max({pa.y, pb.y, pc.y})};
        using Corner = InwardGrid::Corner;
        return grid_.none(low, high, [&](int n) {
            if (nodes_[n].removed || turn(n) > 0)
                return Corner::Gone;
            const Point p = at(n);
            // A bridge's two copies of a point are the same point.
            if (n == a || n == b || n == c || p.x < low.x || p.x > high.x || p.y < low.y || p.y > high.y || p == pa
                || p == pb || p == pc)
                return Corner::Outside;
            return cross(pa, pb, p) >= 0 && cross(pb, pc, p) >= 0 && cross(pc, pa, p) >= 0 ? Corner::Inside
                                                                                           : Corner::Outside;
        });
    }

    // Whether b lies inside the polygon's corner at a.
    bool locallyInside(int a, int b) const
    {
        const Point pa = at(a), pb = at(b), before = at(nodes_[a].prev), after = at(nodes_[a].next);
        if (cross(before, pa, after) > 0)
            return cross(pa, after, pb) >= 0 && cross(before, pa, pb) >= 0;
        return cross(pa, after, pb) >= 0 || cross(before, pa, pb) >= 0;
    }

    // A point of the outer loop that the hole's point h sees: the nearer end
    // of the first edge a ray from h in +x meets, unless a corner inside the
    // triangle that ray and edge make hides it, then the corner nearest to
    // the ray's direction.
    int visiblePoint(int h, int outer) const
    {
        const Point ph = at(h);
        double hit = std::numeric_limits<double>::infinity();
        int m = -1;
        int n = outer;
        do {
            const Point p = at(n), q = at(nodes_[n].next);
            if (p.y <= ph.y && ph.y <= q.y && p.y < q.y) {
                const double x = p.x + (ph.y - p.y) * (q.x - p.x) / (q.y - p.y);
                if (x >= ph.x && x < hit) {
                    hit = x;
                    m = p.x > q.x ? n : nodes_[n].next;
                }
            }
            n = nodes_[n].next;
        } while (n != outer);
        if (m < 0)
            throw std::logic_error("a hole of an end face lies outside it");
        const Point pm = at(m);
        const Point ray{hit, ph.y};
        double bestTangent = std::numeric_limits<double>::infinity();
        int best = m;
        n = outer;
        do {
            const Point p = at(n);
            const bool inTriangle = ph.y < pm.y
                ? cross(ph, ray, p) >= 0 && cross(ray, pm, p) >= 0 && cross(pm, ph, p) >= 0
                : cross(ph, pm, p) >= 0 && cross(pm, ray, p) >= 0 && cross(ray, ph, p) >= 0;
            if (n != m && p.x > ph.x && p.x <= pm.x && inTriangle && locallyInside(n, h)) {
                const double tangent = std::abs(p.y - ph.y) / (p.x - ph.x);
                if (tangent < bestTangent) {
                    bestTangent = tangent;
                    best = n;
                }
            }
            n = nodes_[n].next;
        } while (n != outer);
        return best;
    }

    // Links a to b by a bridge there and back: a, b, on round b's loop to b
    // again (a copy), a's copy, on round a's loop.
    void split(int a, int b)
    {
        const int a2 = static_cast<int>(nodes_.size());
        nodes_.push_back(nodes_[a]);
        const int b2 = a2 + 1;
        nodes_.push_back(nodes_[b]);
        const int an = nodes_[a].next;
        const int bp = nodes_[b].prev;
        nodes_[a].next = b;
        nodes_[b].prev = a;
        nodes_[a2].next = an;
        nodes_[an].prev = a2;
        nodes_[b2].next = a2;
        nodes_[a2].prev = b2;
        nodes_[bp].next = b2;
        nodes_[b2].prev = bp;
    }

    std::vector<Node> nodes_;
    InwardGrid grid_;
};

} // namespace

std::vector<MeshTriangle> triangulateRegion(const std::vector<PlanarRing>& rings)
{
    Polygon polygon;
    const int outer = polygon.add(rings.front());
    std::size_t count = rings.front().points.size();
    // The holes farthest in +x first, so that no later bridge crosses an
    // earlier one.
    std::vector<std::pair<double, int>> holes;
    for (std::size_t i = 1; i < rings.size(); ++i) {
        double right = -std::numeric_limits<double>::infinity();
        for (const Point& p : rings[i].points)
            right = std::max(right, p.x);
        holes.emplace_back(-right, polygon.add(rings[i]));
        count += rings[i].points.size() + 2;
    }
    std::sort(holes.begin(), holes.end());
    for (const auto& [right, hole] : holes)
        polygon.bridge(hole, outer);
    return polygon.clip(outer, count);
}

} // namespace quillon
