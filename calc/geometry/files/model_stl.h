// A pulley's mesh as a binary STL file, for printers.
#pragma once

#include "calc/derived/inches.h"
#include "calc/geometry/model/pulley_mesh.h"

#include <string>

namespace quillon {

// Binary STL, little-endian: an 80-byte header that names the pulley and the
// units (and does not begin with "solid", which would make readers take it
// for text), the triangle count, then each triangle's unit normal and
// corners as single-precision floats in the file's units (mm, or inches,
// which STL cannot record) and a zero attribute.
//   XL 20, no options -> 84 + 50 × triangles bytes, the header
//   "Quillon XL pulley, 20 teeth; units: mm" padded with blanks
std::string modelStl(const PulleySolid& solid, const PulleyMesh& mesh, Units units);

// A mesh vertex as a file stores it: each coordinate in the file's units,
// rounded to the nearest single-precision float.
//   ({25.4, 0, 2.54}, Inches) -> {1, 0, 0.1f}
struct FloatVertex {
    float x = 0;
    float y = 0;
    float z = 0;
};
FloatVertex fileVertex(const MeshVertex& vertex, Units units);

} // namespace quillon
