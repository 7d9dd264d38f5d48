// The pulley's solid and its mesh: the exact volume against a sum made
// another way, and meshes that are closed, 2-manifold, outward and within
// their tolerance of the solid.
#include "calc/geometry/files/model_3mf.h"
#include "calc/geometry/files/model_step.h"
#include "calc/geometry/files/model_stl.h"
#include "calc/geometry/model/planar_triangulation.h"
#include "calc/geometry/model/pulley_mesh.h"

#include <gtest/gtest.h>

#include <cmath>
#include <map>
#include <numbers>
#include <set>

namespace quillon {
namespace {

struct ModelCase {
    const char* name;
    const char* belt;
    int teeth;
    bool approximate;
    ModelOptions options;
};

const ModelCase kPulleys[] = {
    {"XlPlain", "XL", 20, false, {.width = 10}},
    {"XlEveryOption", "XL", 20, false,
        {.width = 10, .flanges = Flanges{1.5, 1}, .hub = Hub{20, 8}, .bore = 5, .keyway = Keyway{2, 1}}},
    {"T5HubWiderThanTheTeeth", "T5", 12, false, {.width = 6, .hub = Hub{24, 5}, .bore = 4}},
    {"T5HubNarrowerThanTheFlanges", "T5", 12, false, {.width = 6, .flanges = Flanges{2, 1}, .hub = Hub{12, 5}}},
    {"Htd5mApproximateKeyed", "HTD5M", 30, true, {.width = 15, .bore = 8, .keyway = Keyway{3, 1.4}}},
    {"Mxl10Smallest", "MXL", 10, false, {.width = 6, .flanges = Flanges{1, 1}}},
};

// Section area as the shoelace formula over the pieces' ends plus, for each
// arc, the circular segment between its chord and it.
double shoelaceArea(const Loop& loop)
{
    double area = 0;
    for (const OutlinePiece& piece : loop) {
        area += (piece.start.x * piece.end.y - piece.end.x * piece.start.y) / 2;
        area += piece.radius * piece.radius / 2 * (piece.sweep - std::sin(piece.sweep));
    }
    return area;
}

double loopLength(const Loop& loop)
{
    double length = 0;
    for (const OutlinePiece& piece : loop)
        length += piece.sweep == 0 ? std::hypot(piece.end.x - piece.start.x, piece.end.y - piece.start.y)
                                   : piece.radius * std::abs(piece.sweep);
    return length;
}

PulleySolid solidOf(const ModelCase& c)
{
    return pulleySolid(pulleyOutline(c.belt, c.teeth, c.approximate), c.options, Units::Millimetres);
}

TEST(PulleySolid, VolumeIsTheSectionAreasByTheShoelaceAndSegmentsTimesTheirHeights)
{
    for (const ModelCase& c : kPulleys) {
        const PulleySolid solid = solidOf(c);
        double volume = 0;
        for (const Wall& wall : solid.walls)
            volume += shoelaceArea(wall.loop) * (solid.levels[wall.top] - solid.levels[wall.bottom]);
        EXPECT_NEAR(solid.volume, volume, 1e-10 * volume) << c.name;
    }
}

TEST(PulleySolid, EveryOptionStacksHubFlangeTeethFlangeWithTheBoreThrough)
{
    const PulleySolid solid = solidOf(kPulleys[1]);
    EXPECT_EQ(solid.levels, (std::vector<double>{0, 8, 9, 19, 20}));
    ASSERT_EQ(solid.walls.size(), 5U); // four parts and the hole
    EXPECT_LT(solid.sectionAreas.back(), 0);
    // A hole of a bore of 5 and a keyway of 2 × 1: the circle less the cap
    // the slot cuts away, plus the slot's rectangle above the bore.
    const double cap = 6.25 * std::asin(0.4) - 1 * std::sqrt(6.25 - 1);
    const double slot = 2 * (3.5 - std::sqrt(6.25 - 1));
    EXPECT_NEAR(-solid.sectionAreas.back(), std::numbers::pi * 6.25 - cap + slot, 1e-12);
    EXPECT_EQ(solid.endFaces.size(), 5U);
}

TEST(PulleySolid, ContractExamples)
{
    const PulleyOutline xl = pulleyOutline("XL", 20);
    const struct {
        const char* name;
        ModelOptions options;
        std::vector<double> levels;
        std::size_t walls;
        std::size_t endFaces;
    } cases[] = {
        {"Plain", {.width = 10}, {0, 10}, 1, 2},
        {"Bore", {.width = 10, .bore = 6}, {0, 10}, 2, 2},
        {"Flanges", {.width = 10, .flanges = Flanges{1.5, 1.5}}, {0, 1.5, 11.5, 13}, 3, 4},
    };
    for (const auto& c : cases) {
        const PulleySolid solid = pulleySolid(xl, c.options, Units::Millimetres);
        EXPECT_EQ(solid.levels, c.levels) << c.name;
        EXPECT_EQ(solid.walls.size(), c.walls) << c.name;
        EXPECT_EQ(solid.endFaces.size(), c.endFaces) << c.name;
        EXPECT_EQ(solid.walls.front().loop.size(), c.options.flanges ? 2U : 160U) << c.name;
    }
    EXPECT_EQ(pulleySolid(xl, {.width = 10, .bore = 6}, Units::Millimetres).endFaces.back().bounds.size(), 2U);
    const Loop circle = {{.start = {1, 0}, .end = {-1, 0}, .sweep = std::numbers::pi, .centre = {0, 0}, .radius = 1},
        {.start = {-1, 0}, .end = {1, 0}, .sweep = std::numbers::pi, .centre = {0, 0}, .radius = 1}};
    EXPECT_DOUBLE_EQ(loopArea(circle), std::numbers::pi);
}

TEST(PlanarTriangulation, CoversASquareAndASquareWithAHole)
{
    const PlanarRing square{{{0, 0}, {4, 0}, {4, 4}, {0, 4}}, {0, 1, 2, 3}};
    EXPECT_EQ(triangulateRegion({square}).size(), 2U);
    const PlanarRing hole{{{1, 1}, {1, 3}, {3, 3}, {3, 1}}, {4, 5, 6, 7}};
    const auto triangles = triangulateRegion({square, hole});
    EXPECT_EQ(triangles.size(), 8U);
    // Their areas add up to the square's less the hole's.
    const Point at[] = {{0, 0}, {4, 0}, {4, 4}, {0, 4}, {1, 1}, {1, 3}, {3, 3}, {3, 1}};
    double area = 0;
    for (const MeshTriangle& t : triangles) {
        const Point a = at[t[0]], b = at[t[1]], c = at[t[2]];
        const double twice = (b.x - a.x) * (c.y - a.y) - (b.y - a.y) * (c.x - a.x);
        EXPECT_GT(twice, 0);
        area += twice / 2;
    }
    EXPECT_DOUBLE_EQ(area, 12);
}

TEST(PulleySolid, HubAsWideAsTheFlangesIsOnePart)
{
    const PulleyOutline outline = pulleyOutline("T5", 12);
    const double flange = outline.diameters.outside + 4;
    const PulleySolid solid
        = pulleySolid(outline, {.width = 6, .flanges = Flanges{2, 1}, .hub = Hub{flange, 5}}, Units::Millimetres);
    EXPECT_EQ(solid.levels, (std::vector<double>{0, 6, 12, 13}));
}

void expectClosedManifold(const PulleyMesh& mesh, const char* name);

struct Refusal {
    const char* name;
    ModelOptions options;
    const char* reason;
};

TEST(PulleySolid, RefusesWhatMakesNoSolid)
{
    // XL 20: root diameter 28.532, outside 31.832.
    const double nan = std::nan("");
    const Refusal refusals[] = {
        {"NoWidth", {.width = 0}, "the width must be a positive number, not 0 mm"},
        {"NanWidth", {.width = nan}, "the width must be a positive number"},
        {"NegativeFlange", {.width = 5, .flanges = Flanges{-1, 1}}, "the flanges' height must be"},
        {"InfiniteHub", {.width = 5, .hub = Hub{20, INFINITY}}, "the hub's length must be"},
        {"BoreBeyondTheRoot", {.width = 5, .bore = 28.6}, "leaves no wall"},
        {"BoreAsWideAsTheHub", {.width = 5, .hub = Hub{10, 5}, .bore = 10}, "no wider than the bore"},
        {"KeywayWithoutBore", {.width = 5, .keyway = Keyway{2, 1}}, "give a bore too"},
        {"KeywayAsWideAsTheBore", {.width = 5, .bore = 6, .keyway = Keyway{6, 1}}, "narrower than the bore"},
        {"KeywayThroughTheRoot", {.width = 5, .bore = 20, .keyway = Keyway{6, 4.2}}, "through the root circle"},
        {"KeywayThroughTheHub", {.width = 5, .hub = Hub{14, 5}, .bore = 8, .keyway = Keyway{3, 3}},
            "through the hub's surface"},
        {"HubMeetsTheTeeth", {.width = 5, .hub = Hub{30, 5}}, "meets the teeth"},
        // Lengths outside the model's range, named as given; a length given
        // shown with its own digits, not rounded onto its limit.
        {"HugeWidth", {.width = 1e300}, "the width of 1e+300 mm is outside the lengths"},
        {"TinyWidth", {.width = 5, .hub = Hub{20, 1e-300}}, "the hub's length of 1e-300 mm is outside"},
        {"BoreAsGiven", {.width = 5, .bore = 28.5325}, "a bore of 28.5325 mm leaves no wall"},
        // Contours closer than the chord tolerance, whose chords would cross.
        {"HubWithinTheToleranceOfTheTips", {.width = 5, .hub = Hub{31.84, 5}, .clearance = 0.01},
            "within the tolerance 0.01 mm of the outside circle"},
        {"HubWithinTheToleranceOfTheRoot", {.width = 5, .hub = Hub{28.525, 5}, .clearance = 0.01},
            "of the root circle (28.532 mm), where a mesh's chords would cross: make it at most 28.512 mm"},
        {"HubWithinTheToleranceOfTheFlanges",
            {.width = 5, .flanges = Flanges{1, 1}, .hub = Hub{33.82, 5}, .clearance = 0.01}, "of the flanges"},
        {"HubWithinTheToleranceOfTheBore", {.width = 5, .hub = Hub{10, 5}, .bore = 9.99, .clearance = 0.01},
            "of the bore"},
        {"BoreWithinTheToleranceOfTheRoot", {.width = 5, .bore = 28.522, .clearance = 0.01}, "of the root circle"},
        {"FlangesLowerThanTheTolerance", {.width = 5, .flanges = Flanges{0.3, 1}, .clearance = 0.5},
            "less than the tolerance 0.5 mm"},
        {"KeywayWithinTheToleranceOfTheRoot", {.width = 5, .bore = 5, .keyway = Keyway{0.6, 11.762}, .clearance = 0.01},
            "within the tolerance 0.01 mm of the root circle"},
    };
    const PulleyOutline outline = pulleyOutline("XL", 20);
    for (const Refusal& refusal : refusals) {
        try {
            pulleySolid(outline, refusal.options, Units::Millimetres);
            ADD_FAILURE() << refusal.name << " was not refused";
        } catch (const ModelRefused& refused) {
            EXPECT_NE(std::string(refused.what()).find(refusal.reason), std::string::npos)
                << refusal.name << ": " << refused.what();
        }
    }
    // Just inside the limits: a keyway whose corners stay below the root,
    // and contours the tolerance apart, whose meshes close.
    EXPECT_NO_THROW(pulleySolid(outline, {.width = 5, .bore = 20, .keyway = Keyway{6, 3.9}}, Units::Millimetres));
    for (const ModelOptions& clear : {ModelOptions{.width = 5, .hub = Hub{31.853, 5}, .clearance = 0.01},
             ModelOptions{.width = 5, .bore = 28.511, .clearance = 0.01},
             ModelOptions{.width = 5, .flanges = Flanges{0.0101, 1}, .clearance = 0.01},
             ModelOptions{.width = 5, .bore = 5, .keyway = Keyway{0.6, 11.75}, .clearance = 0.01}})
        expectClosedManifold(pulleyMesh(pulleySolid(outline, clear, Units::Millimetres), 0.01), "clear");
    // In inches the limit takes the digits that tell it from the bore.
    try {
        pulleySolid(outline, {.width = 5, .bore = 1.1233 * 25.4, .clearance = 0.0004 * 25.4}, Units::Inches);
        ADD_FAILURE() << "a bore within the tolerance of the root was not refused";
    } catch (const ModelRefused& refused) {
        EXPECT_NE(std::string(refused.what())
                      .find("a bore of 1.1233 in is within the tolerance 0.0004 in of the root "
                            "circle (1.12332 in)"),
            std::string::npos)
            << refused.what();
    }
}

TEST(ChordCount, DividesEachArcIntoTheFewestChordsWithinTheTolerance)
{
    EXPECT_EQ(chordCount(10, std::numbers::pi / 2, 0.01), 18);
    EXPECT_EQ(chordCount(0.5, std::numbers::pi / 2, 0.01), 4);
    EXPECT_EQ(chordCount(10, std::numbers::pi, 100), 2);
    EXPECT_EQ(chordCount(10, -std::numbers::pi / 2, 0.01), 18);
    // A tolerance so small beside the radius that 1 − tolerance / radius is 1.
    EXPECT_EQ(chordCount(5e5, 1, 1e-4), 25001);
    EXPECT_THROW(chordCount(1e6, 2 * std::numbers::pi, 1e-10), std::invalid_argument);
    for (double tolerance : {0.1, 0.01, 0.001, 0.0001}) {
        const int n = chordCount(5, 1, tolerance);
        EXPECT_LE(5 * (1 - std::cos(0.5 / n)), tolerance);
        EXPECT_GT(5 * (1 - std::cos(0.5 / (n - 1))), tolerance);
    }
}

// Each directed edge once, and its reverse once: closed, 2-manifold and
// consistently wound. No triangle of no area, none twice.
void expectClosedManifold(const PulleyMesh& mesh, const char* name)
{
    std::map<std::pair<std::uint32_t, std::uint32_t>, int> edges;
    std::set<std::array<std::uint32_t, 3>> seen;
    for (const MeshTriangle& t : mesh.triangles) {
        std::array<std::uint32_t, 3> sorted = t;
        std::sort(sorted.begin(), sorted.end());
        EXPECT_TRUE(seen.insert(sorted).second) << name << ": a triangle twice";
        EXPECT_TRUE(t[0] != t[1] && t[1] != t[2] && t[0] != t[2]) << name;
        for (int i = 0; i < 3; ++i)
            ++edges[{t[i], t[(i + 1) % 3]}];
    }
    int faults = 0;
    for (const auto& [edge, count] : edges) {
        const auto back = edges.find({edge.second, edge.first});
        if (count != 1 || back == edges.end() || back->second != 1)
            ++faults;
    }
    EXPECT_EQ(faults, 0) << name << ": edges not in exactly two triangles, once each way";
}

// The signed volume of the mesh and its triangles' least area, both from the
// floats a file stores.
std::pair<double, double> meshVolumeAndLeastArea(const PulleyMesh& mesh)
{
    double volume = 0;
    double least = INFINITY;
    for (const MeshTriangle& t : mesh.triangles) {
        const FloatVertex a = fileVertex(mesh.vertices[t[0]], Units::Millimetres);
        const FloatVertex b = fileVertex(mesh.vertices[t[1]], Units::Millimetres);
        const FloatVertex c = fileVertex(mesh.vertices[t[2]], Units::Millimetres);
        const double ux = double(b.x) - a.x, uy = double(b.y) - a.y, uz = double(b.z) - a.z;
        const double vx = double(c.x) - a.x, vy = double(c.y) - a.y, vz = double(c.z) - a.z;
        const double nx = uy * vz - uz * vy, ny = uz * vx - ux * vz, nz = ux * vy - uy * vx;
        least = std::min(least, std::sqrt(nx * nx + ny * ny + nz * nz) / 2);
        volume += (double(a.x) * nx + double(a.y) * ny + double(a.z) * nz) / 6;
    }
    return {volume, least};
}

TEST(PulleyMesh, IsClosedOutwardAndWithinTheToleranceOfTheSolidsVolume)
{
    for (const ModelCase& c : kPulleys) {
        const PulleySolid solid = solidOf(c);
        for (double tolerance : {0.01, 0.001, 0.2}) {
            const PulleyMesh mesh = pulleyMesh(solid, tolerance);
            expectClosedManifold(mesh, c.name);
            // Each chord lies within the tolerance of its arc, so the section
            // gains or loses less than tolerance × the loop's length.
            double bound = 0;
            for (const Wall& wall : solid.walls)
                bound += tolerance * loopLength(wall.loop) * (solid.levels[wall.top] - solid.levels[wall.bottom]);
            const auto [volume, leastArea] = meshVolumeAndLeastArea(mesh);
            EXPECT_NEAR(volume, solid.volume, bound) << c.name << " at " << tolerance;
            EXPECT_GT(volume, 0) << c.name << ": wound inward";
            EXPECT_GT(leastArea, 0) << c.name << ": a triangle collapsed in floats";
        }
    }
}

TEST(PulleyMesh, EveryVertexLiesOnTheSolidsContours)
{
    const PulleySolid solid = solidOf(kPulleys[1]);
    const PulleyMesh mesh = pulleyMesh(solid, 0.01);
    // Every vertex is on a piece of some wall's loop, at one of the levels.
    for (const MeshVertex& v : mesh.vertices) {
        double nearest = INFINITY;
        for (const Wall& wall : solid.walls) {
            for (const OutlinePiece& piece : wall.loop) {
                if (piece.sweep != 0) {
                    // On the circle, and within the arc's turn from its start.
                    const double from = std::atan2(piece.start.y - piece.centre.y, piece.start.x - piece.centre.x);
                    const double at = std::atan2(v.y - piece.centre.y, v.x - piece.centre.x);
                    double turn = std::remainder((at - from) * (piece.sweep > 0 ? 1 : -1), 2 * std::numbers::pi);
                    if (turn < -1e-12)
                        turn += 2 * std::numbers::pi;
                    const bool within = turn <= std::abs(piece.sweep) + 1e-12;
                    nearest = std::min(nearest,
                        std::abs(std::hypot(v.x - piece.centre.x, v.y - piece.centre.y) - piece.radius)
                            + (within ? 0 : 1));
                    continue;
                }
                const double dx = piece.end.x - piece.start.x, dy = piece.end.y - piece.start.y;
                nearest = std::min(
                    nearest, std::abs((v.x - piece.start.x) * dy - (v.y - piece.start.y) * dx) / std::hypot(dx, dy));
            }
        }
        EXPECT_LT(nearest, 1e-9);
        EXPECT_TRUE(std::find(solid.levels.begin(), solid.levels.end(), v.z) != solid.levels.end());
    }
}

// Far from the axis the floats a file stores are coarse enough to turn a
// thin end-face triangle over or flatten it: in the file's floats each must
// face as its face does (XL 2000 with flanges had 4 flipped on either end).
TEST(PulleyMesh, EndFaceTrianglesFaceTheirWayInTheFilesFloats)
{
    const PulleySolid solid
        = pulleySolid(pulleyOutline("XL", 2000), {.width = 10, .flanges = Flanges{1.5, 1.5}}, Units::Millimetres);
    // The levels 0, 1.5, 11.5 and 13: the bottom faces down, the bottom
    // flange's top up, the top flange's bottom down, the top up.
    const std::map<double, bool> facesUp = {{0, false}, {1.5, true}, {11.5, false}, {13, true}};
    for (Units units : {Units::Millimetres, Units::Inches}) {
        const PulleyMesh mesh = pulleyMesh(solid, 0.01, units);
        int faults = 0;
        for (const MeshTriangle& t : mesh.triangles) {
            const double z = mesh.vertices[t[0]].z;
            if (z != mesh.vertices[t[1]].z || z != mesh.vertices[t[2]].z)
                continue;
            const FloatVertex a = fileVertex(mesh.vertices[t[0]], units);
            const FloatVertex b = fileVertex(mesh.vertices[t[1]], units);
            const FloatVertex c = fileVertex(mesh.vertices[t[2]], units);
            const double turn = (double(b.x) - a.x) * (double(c.y) - a.y) - (double(b.y) - a.y) * (double(c.x) - a.x);
            faults += turn == 0 || (turn > 0) != facesUp.at(z) ? 1 : 0;
        }
        EXPECT_EQ(faults, 0) << (units == Units::Inches ? "in" : "mm");
    }
}

// A contour of many short lines, as a hobbed groove is drawn: a wave of
// `teeth` crests about a circle, `pointsPerTooth` lines a tooth.
PulleyOutline wavyOutline(int teeth, int pointsPerTooth)
{
    PulleyOutline outline = pulleyOutline("T10", teeth);
    outline.pieces.clear();
    const int count = teeth * pointsPerTooth;
    const double radius = outline.diameters.outside / 2 - 1.5;
    std::vector<Point> points;
    for (int i = 0; i < count; ++i) {
        const double angle = 2 * std::numbers::pi * i / count;
        const double r = radius + 1.5 * std::cos(teeth * angle);
        points.push_back({r * std::cos(angle), r * std::sin(angle)});
    }
    for (int i = 0; i < count; ++i)
        outline.pieces.push_back({.start = points[i], .end = points[(i + 1) % count]});
    return outline;
}

TEST(PulleyMesh, ContourOfThousandsOfLinesIsClosedWithFlangesAndABore)
{
    const PulleyOutline outline = wavyOutline(200, 60);
    const PulleySolid solid = pulleySolid(
        outline, {.width = 20, .flanges = Flanges{2, 2}, .bore = 20, .keyway = Keyway{6, 2.8}}, Units::Millimetres);
    const PulleyMesh mesh = pulleyMesh(solid, 0.01);
    expectClosedManifold(mesh, "wavy");
    const auto [volume, leastArea] = meshVolumeAndLeastArea(mesh);
    EXPECT_NEAR(volume, solid.volume, 1e-3 * solid.volume);
}

std::size_t occurrences(const std::string& text, const std::string& what)
{
    std::size_t count = 0;
    for (std::size_t at = text.find(what); at != std::string::npos; at = text.find(what, at + 1))
        ++count;
    return count;
}

TEST(ModelFiles, StepMakesEachLineAPlaneAndEachArcACylinder)
{
    // 12,000 lines, a keyway's three: planes; the bore's two arcs and each
    // flange's two halves: cylinders; and 4 end faces, planes too.
    const PulleySolid solid = pulleySolid(wavyOutline(200, 60),
        {.width = 20, .flanges = Flanges{2, 2}, .bore = 20, .keyway = Keyway{6, 2.8}}, Units::Millimetres);
    const std::string step = modelStep(solid, Units::Millimetres);
    EXPECT_EQ(occurrences(step, "=PLANE("), 12'000U + 3 + 4);
    EXPECT_EQ(occurrences(step, "=CYLINDRICAL_SURFACE("), 2U + 4);
    EXPECT_EQ(occurrences(step, "=ADVANCED_FACE("), 12'000U + 3 + 4 + 6);
    EXPECT_EQ(occurrences(step, "=MANIFOLD_SOLID_BREP('T10 pulley, 200 teeth'"), 1U);
}

TEST(ModelFiles, FloatTextIsTheShortestThatReadsBack)
{
    EXPECT_EQ(floatText(0.1f), "0.1");
    EXPECT_EQ(floatText(1.0f), "1");
    EXPECT_EQ(floatText(-0.0f), "0");
    EXPECT_EQ(floatText(16777216.0f), "16777216");
    EXPECT_EQ(floatText(-15.610194f), "-15.610194");
    EXPECT_EQ(floatText(1e-7f), "0.0000001");
}

TEST(ModelFiles, FileVerticesAreSinglePrecisionInTheFilesUnits)
{
    const FloatVertex v = fileVertex({25.4, 0, 2.54}, Units::Inches);
    EXPECT_EQ(v.x, 1.0f);
    EXPECT_EQ(v.y, 0.0f);
    EXPECT_EQ(v.z, 0.1f);
}

TEST(ModelFiles, StlHasAnEightyByteHeaderThatDoesNotBeginWithSolid)
{
    const PulleySolid solid = solidOf(kPulleys[0]);
    const PulleyMesh mesh = pulleyMesh(solid, 0.01);
    const std::string stl = modelStl(solid, mesh, Units::Millimetres);
    EXPECT_EQ(stl.size(), 84 + 50 * mesh.triangles.size());
    EXPECT_EQ(stl.substr(0, 39), "Quillon XL pulley, 20 teeth; units: mm ");
    const auto count = static_cast<std::uint32_t>(static_cast<unsigned char>(stl[80]))
        | static_cast<std::uint32_t>(static_cast<unsigned char>(stl[81])) << 8
        | static_cast<std::uint32_t>(static_cast<unsigned char>(stl[82])) << 16;
    EXPECT_EQ(count, mesh.triangles.size());
}

} // namespace
} // namespace quillon
