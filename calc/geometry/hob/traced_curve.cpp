#include "calc/geometry/hob/traced_curve.h"

#include "calc/geometry/hob/plane.h"

#include <algorithm>
#include <cmath>

namespace quillon::hob {
namespace {

// Every curve piece is split at least this often (into 2^4 chords) before
// the tolerance decides, so that a bend between three samples is not missed;
// and at most this deep, where the chords are far below a nanometre.
constexpr int kLeastDepth = 4;
constexpr int kDeepest = 40;

// Newton's method on two pieces stops after this many steps, and counts as
// converged when the two points are this close (a picometre).
constexpr int kNewtonSteps = 40;
constexpr double kSamePoint = 1e-9;

// Golden-section steps: 0.618^80 of the bracket, below a double's resolution.
constexpr int kGoldenSteps = 80;

double distanceToChord(Point p, Point a, Point b)
{
    const Point along = b - a;
    const double length = norm(along);
    if (!(length > 0))
        return norm(p - a);
    return std::abs(cross(along, p - a)) / length;
}

// Splits [a, b] until the piece lies within the tolerance of each chord;
// `middle` is the point at (a + b) / 2.
void splitByTolerance(const TracedPiece& piece, std::size_t index, double a, Point pa, double b, Point pb, Point middle,
    int depth, std::vector<Sample>& out)
{
    const double m = (a + b) / 2;
    const Point q1 = piece.at((a + m) / 2).at;
    const Point q3 = piece.at((m + b) / 2).at;
    const bool close = distanceToChord(middle, pa, pb) <= kChordTolerance
        && distanceToChord(q1, pa, pb) <= kChordTolerance && distanceToChord(q3, pa, pb) <= kChordTolerance;
    // A point that is not a number ends the splitting; the caller refuses it.
    if ((depth >= kLeastDepth && close) || depth >= kDeepest || !std::isfinite(middle.x + q1.x + q3.x)
        || !(b - a > kParameterResolution * (piece.to - piece.from))) {
        if (!(out.back().at == pb))
            out.push_back({index, b, pb});
        return;
    }
    splitByTolerance(piece, index, a, pa, m, middle, q1, depth + 1, out);
    splitByTolerance(piece, index, m, middle, b, pb, q3, depth + 1, out);
}

// A chord of the sampled curve, on one piece between two of its parameters.
struct Chord {
    std::size_t piece;
    double from;
    double to;
    Point start;
    Point end;
};

std::vector<Chord> chordsOf(const TracedCurve& curve, const std::vector<Sample>& samples)
{
    std::vector<Chord> chords;
    for (std::size_t k = 1; k < samples.size(); ++k) {
        const Sample& before = samples[k - 1];
        const Sample& after = samples[k];
        const double from = before.piece == after.piece ? before.parameter : curve[after.piece].from;
        chords.push_back({after.piece, from, after.parameter, before.at, after.at});
    }
    return chords;
}

// Where two chords cross: the fractions along each; none when they do not.
std::optional<std::pair<double, double>> chordsCross(const Chord& one, const Chord& other)
{
    const Point d1 = one.end - one.start;
    const Point d2 = other.end - other.start;
    const double denominator = cross(d1, d2);
    if (!(std::abs(denominator) > 0))
        return std::nullopt;
    const Point offset = other.start - one.start;
    const double t = cross(offset, d2) / denominator;
    const double u = cross(offset, d1) / denominator;
    if (!(t >= 0 && t <= 1 && u >= 0 && u <= 1))
        return std::nullopt;
    return std::pair{t, u};
}

// Newton's method for a(s) = b(t), from a start near the crossing; none
// when it does not settle inside both pieces.
std::optional<std::pair<double, double>> solveCrossing(const TracedPiece& a, double s, const TracedPiece& b, double t)
{
    const double hs = 1e-7 * (a.to - a.from);
    const double ht = 1e-7 * (b.to - b.from);
    for (int step = 0; step < kNewtonSteps; ++step) {
        const Point gap = a.at(s).at - b.at(t).at;
        if (norm(gap) <= kSamePoint)
            return std::pair{s, t};
        const Point ds = (1 / (2 * hs)) * (a.at(s + hs).at - a.at(s - hs).at);
        const Point dt = (1 / (2 * ht)) * (b.at(t + ht).at - b.at(t - ht).at);
        // gap + ds·Δs − dt·Δt = 0
        const double determinant = cross(ds, (-1.0) * dt);
        if (!(std::abs(determinant) > 0))
            return std::nullopt;
        s -= cross(gap, (-1.0) * dt) / determinant;
        t -= cross(ds, gap) / determinant;
        if (!(s >= a.from && s <= a.to && t >= b.from && t <= b.to))
            return std::nullopt;
    }
    return std::nullopt;
}

// Where a loop is cut: the curve leaves `a` at s and goes on along `b` from t.
struct Cut {
    std::size_t a;
    double s;
    std::size_t b;
    double t;
};

// Whether a crossing is no crossing but the place where one piece ends and
// the next begins (with only corners between), or one point of one piece.
bool oneAndTheSamePlace(const TracedCurve& curve, const Cut& cut)
{
    const TracedPiece& a = curve[cut.a];
    const TracedPiece& b = curve[cut.b];
    constexpr double kNear = 1e-6; // of a piece's parameter range
    if (cut.a == cut.b)
        return !(std::abs(cut.t - cut.s) > kNear * (a.to - a.from));
    if (!(cut.s >= a.to - kNear * (a.to - a.from) && cut.t <= b.from + kNear * (b.to - b.from)))
        return false;
    for (std::size_t k = cut.a + 1; k < cut.b; ++k) {
        if (curve[k].shape != PieceShape::Corner)
            return false;
    }
    return true;
}

TracedPiece corner(const TracedPiece& before, double s, const TracedPiece& after, double t)
{
    const Contact leaving = before.at(s);
    const Contact joining = after.at(t);
    const double turn = portableAtan2(cross(leaving.normal, joining.normal), dot(leaving.normal, joining.normal));
    return {.trace =
                [at = leaving.at, normal = leaving.normal, turn](double u) {
                    return Contact{at, rotated(normal, u * turn)};
                },
        .shape = PieceShape::Corner,
        .origin = before.origin};
}

} // namespace

Point rotated(Point p, double angle)
{
    if (angle == 0)
        return p;
    const double c = portableCos(angle);
    const double s = portableSin(angle);
    return {p.x * c - p.y * s, p.x * s + p.y * c};
}

std::vector<Sample> sampleCurve(const TracedCurve& curve)
{
    std::vector<Sample> out{{0, curve.front().from, curve.front().start().at}};
    for (std::size_t index = 0; index < curve.size(); ++index) {
        const TracedPiece& piece = curve[index];
        const Point start = piece.start().at;
        const Point end = piece.end().at;
        if (piece.shape == PieceShape::Line) {
            if (!(out.back().at == end))
                out.push_back({index, piece.to, end});
            continue;
        }
        const double middle = (piece.from + piece.to) / 2;
        splitByTolerance(piece, index, piece.from, start, piece.to, end, piece.at(middle).at, 0, out);
    }
    return out;
}

TracedCurve withoutLoops(const TracedCurve& curve)
{
    const std::vector<Chord> chords = chordsOf(curve, sampleCurve(curve));
    // A loop needs three chords at least.
    if (chords.size() < 3)
        return curve;
    std::vector<Cut> cuts;
    for (std::size_t i = 0; i < chords.size(); ++i) {
        for (std::size_t j = chords.size() - 1; j > i + 1; --j) {
            const auto crossing = chordsCross(chords[i], chords[j]);
            if (!crossing)
                continue;
            const Chord& one = chords[i];
            const Chord& other = chords[j];
            const double s = one.from + crossing->first * (one.to - one.from);
            const double t = other.from + crossing->second * (other.to - other.from);
            const auto exact = solveCrossing(curve[one.piece], s, curve[other.piece], t);
            // A cusp's chords, or those beside a joint, may cross where the
            // curve does not.
            if (!exact)
                continue;
            const Cut cut{one.piece, exact->first, other.piece, exact->second};
            if (oneAndTheSamePlace(curve, cut) || (cut.a == cut.b && !(cut.t > cut.s)))
                continue;
            cuts.push_back(cut);
            i = j;
            break;
        }
    }
    if (cuts.empty())
        return curve;
    TracedCurve out;
    std::size_t piece = 0;
    double from = curve.front().from;
    auto copyUpTo = [&](std::size_t last, double to) {
        for (; piece <= last; ++piece) {
            TracedPiece part = curve[piece];
            part.from = from;
            part.to = piece == last ? to : part.to;
            if (part.to > part.from)
                out.push_back(part);
            from = piece + 1 < curve.size() ? curve[piece + 1].from : 0;
        }
    };
    for (const Cut& cut : cuts) {
        copyUpTo(cut.a, cut.s);
        out.push_back(corner(curve[cut.a], cut.s, curve[cut.b], cut.t));
        piece = cut.b;
        from = cut.t;
    }
    copyUpTo(curve.size() - 1, curve.back().to);
    return out;
}

double rootBetween(const std::function<double(double)>& f, double from, double to)
{
    double low = from;
    double high = to;
    const bool risingAtHigh = f(high) >= 0;
    while (high - low > kParameterResolution * std::max(1.0, std::abs(from) + std::abs(to))) {
        const double middle = (low + high) / 2;
        if (middle <= low || middle >= high)
            break;
        ((f(middle) >= 0) == risingAtHigh ? high : low) = middle;
    }
    return (low + high) / 2;
}

std::optional<Sample> firstCrossing(const TracedCurve& curve, const std::function<double(Point)>& f)
{
    const std::vector<Sample> samples = sampleCurve(curve);
    for (std::size_t k = 1; k < samples.size(); ++k) {
        const double before = f(samples[k - 1].at);
        const double after = f(samples[k].at);
        if ((before > 0) == (after > 0) && after != 0)
            continue;
        const TracedPiece& piece = curve[samples[k].piece];
        const double from = samples[k - 1].piece == samples[k].piece ? samples[k - 1].parameter : piece.from;
        const double at = rootBetween([&](double u) { return f(piece.at(u).at); }, from, samples[k].parameter);
        return Sample{samples[k].piece, at, piece.at(at).at};
    }
    return std::nullopt;
}

double largestOnCurve(const TracedCurve& curve, const std::function<double(Point)>& f)
{
    const std::vector<Sample> samples = sampleCurve(curve);
    std::size_t best = 0;
    std::vector<double> values;
    for (const Sample& sample : samples) {
        values.push_back(f(sample.at));
        if (values.back() > values[best])
            best = values.size() - 1;
    }
    double largest = values[best];
    // The bracket on each piece that the best sample touches.
    auto refine = [&](std::size_t piece, double low, double high) {
        const TracedPiece& on = curve[piece];
        const double golden = (std::sqrt(5.0) - 1) / 2;
        double a = low;
        double b = high;
        for (int step = 0; step < kGoldenSteps && b - a > kParameterResolution; ++step) {
            const double c = b - golden * (b - a);
            const double d = a + golden * (b - a);
            if (f(on.at(c).at) >= f(on.at(d).at))
                b = d;
            else
                a = c;
        }
        largest = std::max(largest, f(on.at((a + b) / 2).at));
    };
    const Sample& at = samples[best];
    const double low
        = best > 0 && samples[best - 1].piece == at.piece ? samples[best - 1].parameter : curve[at.piece].from;
    const double high
        = best + 1 < samples.size() && samples[best + 1].piece == at.piece ? samples[best + 1].parameter : at.parameter;
    refine(at.piece, low, high);
    if (best + 1 < samples.size() && samples[best + 1].piece != at.piece)
        refine(samples[best + 1].piece, curve[samples[best + 1].piece].from, samples[best + 1].parameter);
    return largest;
}

} // namespace quillon::hob
