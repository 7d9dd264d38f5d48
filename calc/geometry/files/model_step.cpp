#include "calc/geometry/files/model_step.h"

#include "calc/geometry/files/drawing_number.h"
#include "calc/geometry/portable_math.h"

#include <cmath>
#include <string>
#include <string_view>
#include <utility>

namespace quillon {
namespace {

// Within this (mm) two points are one, as the file tells its reader: a tenth
// of the shortest piece an outline has (1e-6 mm), and far above how near
// every vertex lies to its curves (about 1e-12 mm).
constexpr double kUncertainty = 1e-7;

// A fixed time stamp: the file must not change with the day it is made.
constexpr auto kTimeStamp = "2000-01-01T00:00:00";

// A real as Part 21 writes it: always with a full stop.
std::string real(double value)
{
    std::string text = drawingNumber(value);
    if (text.find('.') == std::string::npos)
        text += '.';
    return text;
}

// A string as Part 21 writes it: in apostrophes, an apostrophe doubled.
std::string quoted(const std::string& text)
{
    std::string out = "'";
    for (char c : text)
        out += c == '\'' ? std::string("''") : std::string(1, c);
    return out + "'";
}

std::string ref(int id)
{
    return "#" + std::to_string(id);
}

// The DATA section, entity by entity, each numbered as it is added.
class StepData {
public:
    // The file begins with `head`, which the entities follow: the file is
    // built in one string, never copied, as a large pulley's runs to GB.
    StepData(Units units, std::string head) : units_(units), text_(std::move(head)) { }

    int add(const std::string& entity)
    {
        text_ += ref(++last_) + "=" + entity + ";\n";
        return last_;
    }
    std::string finished(std::string_view tail) &&
    {
        text_ += tail;
        return std::move(text_);
    }

    int point(double x, double y, double z)
    {
        return add("CARTESIAN_POINT('',(" + length(x) + "," + length(y) + "," + length(z) + "))");
    }
    int direction(double x, double y, double z)
    {
        const double norm = std::sqrt(x * x + y * y + z * z);
        return add("DIRECTION('',(" + real(x / norm) + "," + real(y / norm) + "," + real(z / norm) + "))");
    }
    int placement(int origin, int axis, int reference)
    {
        return add("AXIS2_PLACEMENT_3D(''," + ref(origin) + "," + ref(axis) + "," + ref(reference) + ")");
    }
    int line(int from, int direction, double length)
    {
        return add("LINE(''," + ref(from) + ","
            + ref(add("VECTOR(''," + ref(direction) + "," + this->length(length) + ")")) + ")");
    }
    std::string length(double millimetres) const { return real(drawingLength(millimetres, units_)); }

private:
    Units units_;
    std::string text_;
    int last_ = 0;
};

// The entities of one wall: its vertices and edges at the bottom and the top,
// its edges along the axis, and its faces.
struct WallEntities {
    std::vector<int> bottomVertices, topVertices;
    std::vector<int> bottomEdges, topEdges; // piece i's edge at each level
    std::vector<int> upEdges;               // from piece i's start at the bottom to the top
};

class StepSolid {
public:
    StepSolid(const PulleySolid& solid, StepData& data) : solid_(solid), data_(data)
    {
        up_ = data.direction(0, 0, 1);
        down_ = data.direction(0, 0, -1);
        east_ = data.direction(1, 0, 0);
    }

    // Every face of the solid; returns the CLOSED_SHELL.
    int shell()
    {
        std::vector<int> faces;
        for (const Wall& wall : solid_.walls) {
            walls_.push_back(wallEdges(wall));
            wallFaces(wall, walls_.back(), faces);
        }
        for (const EndFace& face : solid_.endFaces)
            faces.push_back(endFace(face));
        return data_.add("CLOSED_SHELL(''," + list(faces) + ")");
    }

private:
    static std::string list(const std::vector<int>& ids)
    {
        std::string out = "(";
        for (std::size_t i = 0; i < ids.size(); ++i)
            out += (i == 0 ? "" : ",") + ref(ids[i]);
        return out + ")";
    }

    double level(int index) const { return solid_.levels[static_cast<std::size_t>(index)]; }

    // The direction from an arc's centre to where its face's angle starts:
    // its start turning counter-clockwise, its end turning clockwise, so that
    // the face's angles run from 0 to |sweep| and never cross the seam.
    int arcReference(const OutlinePiece& arc)
    {
        const Point from = arc.sweep > 0 ? arc.start : arc.end;
        return data_.direction(from.x - arc.centre.x, from.y - arc.centre.y, 0);
    }

    int horizontalEdge(const OutlinePiece& piece, double z, int from, int to)
    {
        if (piece.sweep == 0) {
            const double dx = piece.end.x - piece.start.x, dy = piece.end.y - piece.start.y;
            const int line = data_.line(
                data_.point(piece.start.x, piece.start.y, z), data_.direction(dx, dy, 0), portableHypot(dx, dy));
            return data_.add("EDGE_CURVE(''," + ref(from) + "," + ref(to) + "," + ref(line) + ",.T.)");
        }
        const int centre = data_.point(piece.centre.x, piece.centre.y, z);
        const int circle = data_.add("CIRCLE(''," + ref(data_.placement(centre, up_, arcReference(piece))) + ","
            + data_.length(piece.radius) + ")");
        // A circle runs counter-clockwise about +z: a clockwise arc runs
        // against it.
        return data_.add("EDGE_CURVE(''," + ref(from) + "," + ref(to) + "," + ref(circle) + ","
            + (piece.sweep > 0 ? ".T." : ".F.") + ")");
    }

    WallEntities wallEdges(const Wall& wall)
    {
        WallEntities made;
        const std::size_t count = wall.loop.size();
        for (int end = 0; end < 2; ++end) {
            const double z = level(end == 0 ? wall.bottom : wall.top);
            auto& vertices = end == 0 ? made.bottomVertices : made.topVertices;
            for (const OutlinePiece& piece : wall.loop)
                vertices.push_back(
                    data_.add("VERTEX_POINT(''," + ref(data_.point(piece.start.x, piece.start.y, z)) + ")"));
            auto& edges = end == 0 ? made.bottomEdges : made.topEdges;
            for (std::size_t i = 0; i < count; ++i)
                edges.push_back(horizontalEdge(wall.loop[i], z, vertices[i], vertices[(i + 1) % count]));
        }
        const double height = level(wall.top) - level(wall.bottom);
        for (std::size_t i = 0; i < count; ++i) {
            const Point p = wall.loop[i].start;
            const int line = data_.line(data_.point(p.x, p.y, level(wall.bottom)), up_, height);
            made.upEdges.push_back(data_.add("EDGE_CURVE(''," + ref(made.bottomVertices[i]) + ","
                + ref(made.topVertices[i]) + "," + ref(line) + ",.T.)"));
        }
        return made;
    }

    std::string oriented(int edge, bool forward)
    {
        return ref(data_.add("ORIENTED_EDGE('',*,*," + ref(edge) + (forward ? ",.T.)" : ",.F.)")));
    }

    // Each piece's face, the material on the loop's left: bounded by its
    // bottom edge forward, the next piece's edge up, its top edge backward
    // and its own edge down; its normal points to the loop's right.
    void wallFaces(const Wall& wall, const WallEntities& made, std::vector<int>& faces)
    {
        const std::size_t count = wall.loop.size();
        const double z = level(wall.bottom);
        for (std::size_t i = 0; i < count; ++i) {
            const OutlinePiece& piece = wall.loop[i];
            const std::size_t next = (i + 1) % count;
            const std::string edges = "(" + oriented(made.bottomEdges[i], true) + ","
                + oriented(made.upEdges[next], true) + "," + oriented(made.topEdges[i], false) + ","
                + oriented(made.upEdges[i], false) + ")";
            const int loop = data_.add("EDGE_LOOP(''," + edges + ")");
            const int bound = data_.add("FACE_OUTER_BOUND(''," + ref(loop) + ",.T.)");
            int surface = 0;
            bool sameSense = true;
            if (piece.sweep == 0) {
                const double dx = piece.end.x - piece.start.x, dy = piece.end.y - piece.start.y;
                const int origin = data_.point(piece.start.x, piece.start.y, z);
                surface = data_.add("PLANE('',"
                    + ref(data_.placement(origin, data_.direction(dy, -dx, 0), data_.direction(dx, dy, 0))) + ")");
            } else {
                const int origin = data_.point(piece.centre.x, piece.centre.y, z);
                surface = data_.add("CYLINDRICAL_SURFACE(''," + ref(data_.placement(origin, up_, arcReference(piece)))
                    + "," + data_.length(piece.radius) + ")");
                // The material on the left of a counter-clockwise arc is
                // towards its axis: the face looks away from it.
                sameSense = piece.sweep > 0;
            }
            faces.push_back(data_.add(
                "ADVANCED_FACE('',(" + ref(bound) + ")," + ref(surface) + "," + (sameSense ? ".T." : ".F.") + ")"));
        }
    }

    int endFace(const EndFace& face)
    {
        std::string bounds = "(";
        for (std::size_t b = 0; b < face.bounds.size(); ++b) {
            const EndFace::Bound& bound = face.bounds[b];
            const WallEntities& made = walls_[static_cast<std::size_t>(bound.ring.wall)];
            const std::vector<int>& edges = bound.ring.top ? made.topEdges : made.bottomEdges;
            std::string loop = "(";
            for (std::size_t k = 0; k < edges.size(); ++k) {
                const std::size_t i = bound.forward ? k : edges.size() - 1 - k;
                loop += (k == 0 ? "" : ",") + oriented(edges[i], bound.forward);
            }
            const int edgeLoop = data_.add("EDGE_LOOP(''," + loop + "))");
            bounds += (b == 0 ? "" : ",")
                + ref(data_.add(
                    std::string(b == 0 ? "FACE_OUTER_BOUND" : "FACE_BOUND") + "(''," + ref(edgeLoop) + ",.T.)"));
        }
        const int origin = data_.point(0, 0, level(face.level));
        const int plane
            = data_.add("PLANE(''," + ref(data_.placement(origin, face.facesUp ? up_ : down_, east_)) + ")");
        return data_.add("ADVANCED_FACE(''," + bounds + ")," + ref(plane) + ",.T.)");
    }

    const PulleySolid& solid_;
    StepData& data_;
    std::vector<WallEntities> walls_;
    int up_ = 0, down_ = 0, east_ = 0;
};

// The representation's context: its length unit, radians, steradians and
// the distance within which points are one.
int representationContext(StepData& data, Units units)
{
    const int millimetre = data.add("(LENGTH_UNIT()NAMED_UNIT(*)SI_UNIT(.MILLI.,.METRE.))");
    int length = millimetre;
    if (units == Units::Inches) {
        const int dimensions = data.add("DIMENSIONAL_EXPONENTS(1.,0.,0.,0.,0.,0.,0.)");
        const int factor = data.add("LENGTH_MEASURE_WITH_UNIT(LENGTH_MEASURE(25.4)," + ref(millimetre) + ")");
        length = data.add(
            "(CONVERSION_BASED_UNIT('INCH'," + ref(factor) + ")LENGTH_UNIT()NAMED_UNIT(" + ref(dimensions) + "))");
    }
    const int radian = data.add("(NAMED_UNIT(*)PLANE_ANGLE_UNIT()SI_UNIT($,.RADIAN.))");
    const int steradian = data.add("(NAMED_UNIT(*)SI_UNIT($,.STERADIAN.)SOLID_ANGLE_UNIT())");
    const int uncertainty = data.add("UNCERTAINTY_MEASURE_WITH_UNIT(LENGTH_MEASURE(" + data.length(kUncertainty) + "),"
        + ref(length) + ",'distance_accuracy_value','confusion accuracy')");
    return data.add("(GEOMETRIC_REPRESENTATION_CONTEXT(3)GLOBAL_UNCERTAINTY_ASSIGNED_CONTEXT((" + ref(uncertainty)
        + "))GLOBAL_UNIT_ASSIGNED_CONTEXT((" + ref(length) + "," + ref(radian) + "," + ref(steradian)
        + "))REPRESENTATION_CONTEXT('',''))");
}

} // namespace

std::string modelStep(const PulleySolid& solid, Units units)
{
    const std::string name = quoted(solid.name);
    StepData data(units,
        "ISO-10303-21;\nHEADER;\nFILE_DESCRIPTION((" + name + "),'2;1');\nFILE_NAME(" + name + ",'" + kTimeStamp
            + "',(''),(''),'Quillon','Quillon','');\nFILE_SCHEMA(('AUTOMOTIVE_DESIGN { 1 0 10303 214 1 1 1 1 "
              "}'));\nENDSEC;\nDATA;\n");
    const int application = data.add("APPLICATION_CONTEXT('automotive design')");
    data.add(
        "APPLICATION_PROTOCOL_DEFINITION('international standard','automotive_design',2000," + ref(application) + ")");
    const int productContext = data.add("PRODUCT_CONTEXT(''," + ref(application) + ",'mechanical')");
    const int product = data.add("PRODUCT(" + name + "," + name + ",''," + "(" + ref(productContext) + "))");
    data.add("PRODUCT_RELATED_PRODUCT_CATEGORY('part',$,(" + ref(product) + "))");
    const int formation = data.add("PRODUCT_DEFINITION_FORMATION('',''," + ref(product) + ")");
    const int definitionContext
        = data.add("PRODUCT_DEFINITION_CONTEXT('part definition'," + ref(application) + ",'design')");
    const int definition
        = data.add("PRODUCT_DEFINITION('design',''," + ref(formation) + "," + ref(definitionContext) + ")");
    const int shape = data.add("PRODUCT_DEFINITION_SHAPE('',''," + ref(definition) + ")");
    const int context = representationContext(data, units);

    StepSolid builder(solid, data);
    const int shell = builder.shell();
    const int brep = data.add("MANIFOLD_SOLID_BREP(" + name + "," + ref(shell) + ")");
    const int frame = data.placement(data.point(0, 0, 0), data.direction(0, 0, 1), data.direction(1, 0, 0));
    const int representation = data.add(
        "ADVANCED_BREP_SHAPE_REPRESENTATION(" + name + ",(" + ref(brep) + "," + ref(frame) + ")," + ref(context) + ")");
    data.add("SHAPE_DEFINITION_REPRESENTATION(" + ref(shape) + "," + ref(representation) + ")");

    return std::move(data).finished("ENDSEC;\nEND-ISO-10303-21;\n");
}

} // namespace quillon
