// Arithmetic on points of the plane, for the hob's constructions.
#pragma once

#include "calc/geometry/outline.h"
#include "calc/geometry/portable_math.h"

namespace quillon::hob {

inline Point operator+(Point a, Point b)
{
    return {a.x + b.x, a.y + b.y};
}
inline Point operator-(Point a, Point b)
{
    return {a.x - b.x, a.y - b.y};
}
inline Point operator*(double s, Point a)
{
    return {s * a.x, s * a.y};
}
inline double dot(Point a, Point b)
{
    return a.x * b.x + a.y * b.y;
}
inline double cross(Point a, Point b)
{
    return a.x * b.y - a.y * b.x;
}
inline double norm(Point a)
{
    return portableHypot(a.x, a.y);
}
// The direction of a, a unit vector.
inline Point unit(Point a)
{
    return (1 / norm(a)) * a;
}
// a turned by a quarter turn counter-clockwise.
inline Point leftOf(Point a)
{
    return {0.0 - a.y, a.x};
}

} // namespace quillon::hob
