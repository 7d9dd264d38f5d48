// A pulley's mesh as the parts of a 3MF package, for printers and slicers.
// The parts are packed into the ZIP container by the program that writes the
// file (quillon-cli, with zlib), which keeps the core free of libraries.
#pragma once

#include "calc/derived/inches.h"
#include "calc/geometry/model/pulley_mesh.h"

#include <string>
#include <vector>

namespace quillon {

// One file inside a package: its name in the package and its bytes.
struct PackagePart {
    std::string name;
    std::string content;
};

// The three parts of a 3MF package as slicers read it, in this order:
// "[Content_Types].xml", "_rels/.rels" (the start part) and "3D/3dmodel.model"
// with unit="millimeter" (or "inch"), a title, one mesh object of the shared
// vertices and the triangles over them, and one build item. Coordinates are
// the single-precision floats of fileVertex, each as the shortest decimal
// that reads back as that float.
//   XL 20 -> 3 parts, the model's 3rd line "<model unit=\"millimeter\" ..."
std::vector<PackagePart> model3mfParts(const PulleySolid& solid, const PulleyMesh& mesh, Units units);

// A float as the shortest plain decimal text (no exponent) that reads back
// as the same float, whether read as a float or as a double then rounded.
//   0.1f -> "0.1"   1.0f -> "1"   -0.0f -> "0"   16777216.0f -> "16777216"
std::string floatText(float value);

} // namespace quillon
