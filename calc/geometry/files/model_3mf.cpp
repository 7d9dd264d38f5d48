#include "calc/geometry/files/model_3mf.h"

#include "calc/decimal/charconv.h"
#include "calc/geometry/files/markup.h"
#include "calc/geometry/files/model_stl.h"
#include "calc/number_text.h"

#include <array>

namespace quillon {
namespace {

constexpr auto kContentTypes = R"(<?xml version="1.0" encoding="UTF-8"?>
<Types xmlns="http://schemas.openxmlformats.org/package/2006/content-types">
<Default Extension="rels" ContentType="application/vnd.openxmlformats-package.relationships+xml"/>
<Default Extension="model" ContentType="application/vnd.ms-package.3dmanufacturing-3dmodel+xml"/>
</Types>
)";

constexpr auto kRelationships = R"(<?xml version="1.0" encoding="UTF-8"?>
<Relationships xmlns="http://schemas.openxmlformats.org/package/2006/relationships">
<Relationship Target="/3D/3dmodel.model" Id="rel0" Type="http://schemas.microsoft.com/3dmanufacturing/2013/01/3dmodel"/>
</Relationships>
)";

// The fixed decimals of a float (never more than about 50 for the floats of
// a pulley's coordinates) are tried from the fewest up; the first that reads
// back as the float is its shortest text.
constexpr int kMostDecimals = 60;

} // namespace

std::string floatText(float value)
{
    if (value == 0)
        return "0";
    std::array<char, 128> buffer{};
    for (int decimals = 0;; ++decimals) {
        const auto [end, error] = doubleToChars(
            buffer.data(), buffer.data() + buffer.size(), double(value), std::chars_format::fixed, decimals);
        std::string text(buffer.data(), end);
        double back = 0;
        doubleFromChars(text.data(), text.data() + text.size(), back);
        if (static_cast<float>(back) == value || decimals == kMostDecimals) {
            // Trailing zeros of a whole number's decimals are not written.
            if (text.find('.') != std::string::npos) {
                while (text.back() == '0')
                    text.pop_back();
                if (text.back() == '.')
                    text.pop_back();
            }
            return text;
        }
    }
}

std::vector<PackagePart> model3mfParts(const PulleySolid& solid, const PulleyMesh& mesh, Units units)
{
    std::string model = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
                        "<model unit=\""
        + std::string(units == Units::Inches ? "inch" : "millimeter")
        + "\" xml:lang=\"en-US\" xmlns=\"http://schemas.microsoft.com/3dmanufacturing/core/2015/02\">\n"
          "<metadata name=\"Title\">"
        + markupEscaped(solid.name) + "</metadata>\n<metadata name=\"Application\">Quillon</metadata>\n"
        + "<resources>\n<object id=\"1\" type=\"model\" name=\"" + markupEscaped(solid.name)
        + "\">\n<mesh>\n<vertices>\n";
    model.reserve(model.size() + 60 * mesh.vertices.size() + 50 * mesh.triangles.size());
    for (const MeshVertex& vertex : mesh.vertices) {
        const FloatVertex v = fileVertex(vertex, units);
        model += "<vertex x=\"" + floatText(v.x) + "\" y=\"" + floatText(v.y) + "\" z=\"" + floatText(v.z) + "\"/>\n";
    }
    model += "</vertices>\n<triangles>\n";
    for (const MeshTriangle& triangle : mesh.triangles)
        model += "<triangle v1=\"" + std::to_string(triangle[0]) + "\" v2=\"" + std::to_string(triangle[1]) + "\" v3=\""
            + std::to_string(triangle[2]) + "\"/>\n";
    model += "</triangles>\n</mesh>\n</object>\n</resources>\n<build>\n<item objectid=\"1\"/>\n</build>\n</model>\n";
    return {{"[Content_Types].xml", kContentTypes}, {"_rels/.rels", kRelationships},
        {"3D/3dmodel.model", std::move(model)}};
}

} // namespace quillon
