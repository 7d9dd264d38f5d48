#include "calc/geometry/files/model_stl.h"

#include "calc/geometry/files/drawing_number.h"

#include <cmath>
#include <cstdint>
#include <cstring>

namespace quillon {
namespace {

constexpr std::size_t kHeaderSize = 80;

void appendUint32(std::string& out, std::uint32_t value)
{
    for (int shift = 0; shift < 32; shift += 8)
        out.push_back(static_cast<char>((value >> shift) & 0xFF));
}

// The float's bits, little-endian whatever the machine (memcpy rather than
// std::bit_cast, which the WebAssembly toolchain's library lacks).
void appendFloat(std::string& out, float value)
{
    std::uint32_t bits = 0;
    static_assert(sizeof bits == sizeof value);
    std::memcpy(&bits, &value, sizeof bits);
    appendUint32(out, bits);
}

} // namespace

FloatVertex fileVertex(const MeshVertex& vertex, Units units)
{
    return {static_cast<float>(drawingLength(vertex.x, units)), static_cast<float>(drawingLength(vertex.y, units)),
        static_cast<float>(drawingLength(vertex.z, units))};
}

std::string modelStl(const PulleySolid& solid, const PulleyMesh& mesh, Units units)
{
    std::string header = "Quillon " + solid.name + "; units: " + std::string(unitsName(units));
    header.resize(kHeaderSize, ' ');
    std::string out = header;
    out.reserve(kHeaderSize + 4 + 50 * mesh.triangles.size());
    appendUint32(out, static_cast<std::uint32_t>(mesh.triangles.size()));
    std::vector<FloatVertex> vertices;
    vertices.reserve(mesh.vertices.size());
    for (const MeshVertex& vertex : mesh.vertices)
        vertices.push_back(fileVertex(vertex, units));
    for (const MeshTriangle& triangle : mesh.triangles) {
        const FloatVertex& a = vertices[triangle[0]];
        const FloatVertex& b = vertices[triangle[1]];
        const FloatVertex& c = vertices[triangle[2]];
        const double ux = double(b.x) - a.x, uy = double(b.y) - a.y, uz = double(b.z) - a.z;
        const double vx = double(c.x) - a.x, vy = double(c.y) - a.y, vz = double(c.z) - a.z;
        const double nx = uy * vz - uz * vy, ny = uz * vx - ux * vz, nz = ux * vy - uy * vx;
        const double length = std::sqrt(nx * nx + ny * ny + nz * nz);
        const double scale = length > 0 ? 1 / length : 0;
        for (double n : {nx, ny, nz})
            appendFloat(out, static_cast<float>(n * scale));
        for (const FloatVertex* corner : {&a, &b, &c}) {
            appendFloat(out, corner->x);
            appendFloat(out, corner->y);
            appendFloat(out, corner->z);
        }
        out.push_back(0);
        out.push_back(0);
    }
    return out;
}

} // namespace quillon
