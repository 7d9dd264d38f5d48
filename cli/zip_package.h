// A ZIP archive of a few parts, deflated by zlib: the container of a 3MF
// package. zlib does the deflating and the checksums; the few fixed records
// of the ZIP container around them are written here (Debian's minizip has no
// MinGW-w64 build, and its writer would add nothing these records need).
#pragma once

#include "calc/geometry/files/model_3mf.h"

#include <string>
#include <vector>

namespace quillon::cli {

// The parts in this order, each deflated, with the local headers, the
// central directory and its end record of the ZIP format (version 2.0, no
// ZIP64: an archive beyond 4 GiB throws std::length_error). Every time stamp
// is 1980-01-01 00:00, the earliest a ZIP can hold, so that the same parts
// give the same bytes. Throws std::runtime_error when zlib fails.
std::string zipPackage(const std::vector<PackagePart>& parts);

} // namespace quillon::cli
