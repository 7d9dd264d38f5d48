#include "calc/derived/identify.h"

#include "calc/algorithms.h"
#include "calc/catalogue/catalogue.h"
#include "calc/run.h"

#include <algorithm>
#include <cmath>

namespace quillon {

std::vector<PulleyMatch> identifyPulley(double outsideDiameter, int teeth, double tolerance, Units units)
{
    struct Candidate {
        PulleyMatch match;
        double distance;
    };
    std::vector<Candidate> candidates;
    for (std::string_view beltType : kBeltTypes) {
        const double millimetres = calculatePulley(beltType, teeth).diameters.outside;
        const double shown = units == Units::Inches ? toInches(millimetres) : roundTo3(millimetres);
        const double difference
            = units == Units::Inches ? roundTo4(outsideDiameter - shown) : roundTo3(outsideDiameter - shown);
        if (std::fabs(difference) <= tolerance)
            candidates.push_back({{beltType, plainText(shown), plainText(difference)}, std::fabs(difference)});
    }
    stableSortBy(candidates, &Candidate::distance);
    std::vector<PulleyMatch> matches;
    for (Candidate& candidate : candidates)
        matches.push_back(std::move(candidate.match));
    return matches;
}

} // namespace quillon
