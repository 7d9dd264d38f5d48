#include "cli/zip_package.h"

#include <zlib.h>

#include <algorithm>
#include <cstdint>
#include <limits>
#include <stdexcept>

namespace quillon::cli {
namespace {

constexpr std::uint32_t kLocalHeader = 0x04034b50;
constexpr std::uint32_t kCentralHeader = 0x02014b50;
constexpr std::uint32_t kEndOfCentralDirectory = 0x06054b50;
constexpr std::uint16_t kVersion = 20; // 2.0: deflate, no ZIP64
constexpr std::uint16_t kDeflated = 8;
constexpr std::uint16_t kDosDate = (0 << 9) | (1 << 5) | 1; // 1980-01-01
constexpr std::uint16_t kDosTime = 0;

void put16(std::string& out, std::uint16_t value)
{
    out.push_back(static_cast<char>(value & 0xFF));
    out.push_back(static_cast<char>(value >> 8));
}

void put32(std::string& out, std::uint32_t value)
{
    put16(out, static_cast<std::uint16_t>(value & 0xFFFF));
    put16(out, static_cast<std::uint16_t>(value >> 16));
}

std::uint32_t checked32(std::size_t size)
{
    if (size > std::numeric_limits<std::uint32_t>::max())
        throw std::length_error("the 3MF package would exceed 4 GiB, more than a ZIP without ZIP64 holds");
    return static_cast<std::uint32_t>(size);
}

// Raw deflate (no zlib header), as ZIP's method 8 stores it, at zlib's
// default level: the best level took most of a large pulley's time for a
// file only 3 to 4 % smaller.
std::string deflated(const std::string& data)
{
    z_stream stream{};
    if (deflateInit2(&stream, Z_DEFAULT_COMPRESSION, Z_DEFLATED, -MAX_WBITS, 8, Z_DEFAULT_STRATEGY) != Z_OK)
        throw std::runtime_error("zlib could not start deflating");
    std::string out(deflateBound(&stream, static_cast<uLong>(data.size())), '\0');
    stream.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(data.data()));
    stream.next_out = reinterpret_cast<Bytef*>(out.data());
    std::size_t inLeft = data.size();
    std::size_t outLeft = out.size();
    int status = Z_OK;
    // zlib counts in 32 bits: fed in pieces that fit.
    constexpr std::size_t kPiece = 1U << 30;
    while (status == Z_OK) {
        stream.avail_in = static_cast<uInt>(std::min(inLeft, kPiece));
        stream.avail_out = static_cast<uInt>(std::min(outLeft, kPiece));
        const uInt givenIn = stream.avail_in;
        const uInt givenOut = stream.avail_out;
        status = deflate(&stream, inLeft <= kPiece ? Z_FINISH : Z_NO_FLUSH);
        inLeft -= givenIn - stream.avail_in;
        outLeft -= givenOut - stream.avail_out;
    }
    deflateEnd(&stream);
    if (status != Z_STREAM_END)
        throw std::runtime_error("zlib could not deflate the 3MF package");
    out.resize(out.size() - outLeft);
    return out;
}

std::uint32_t crcOf(const std::string& data)
{
    uLong crc = crc32(0, Z_NULL, 0);
    for (std::size_t at = 0; at < data.size();) {
        const std::size_t piece = std::min<std::size_t>(data.size() - at, 1U << 30);
        crc = crc32(crc, reinterpret_cast<const Bytef*>(data.data() + at), static_cast<uInt>(piece));
        at += piece;
    }
    return static_cast<std::uint32_t>(crc);
}

// The fields a local header and the central directory's entry share, from
// "version needed" to the extra field's length.
void putCommon(std::string& out, std::uint32_t crc, std::uint32_t packed, std::uint32_t size, std::uint16_t nameLength)
{
    put16(out, kVersion);
    put16(out, 0); // no flags: no encryption, sizes known beforehand
    put16(out, kDeflated);
    put16(out, kDosTime);
    put16(out, kDosDate);
    put32(out, crc);
    put32(out, packed);
    put32(out, size);
    put16(out, nameLength);
    put16(out, 0); // no extra field
}

} // namespace

std::string zipPackage(const std::vector<PackagePart>& parts)
{
    std::string archive;
    std::string directory;
    for (const PackagePart& part : parts) {
        const std::string packed = deflated(part.content);
        const std::uint32_t crc = crcOf(part.content);
        const auto nameLength = static_cast<std::uint16_t>(part.name.size());
        const std::uint32_t offset = checked32(archive.size());
        put32(archive, kLocalHeader);
        putCommon(archive, crc, checked32(packed.size()), checked32(part.content.size()), nameLength);
        archive += part.name;
        archive += packed;

        put32(directory, kCentralHeader);
        put16(directory, kVersion); // made by: MS-DOS attributes, version 2.0
        putCommon(directory, crc, checked32(packed.size()), checked32(part.content.size()), nameLength);
        put16(directory, 0); // no comment
        put16(directory, 0); // disk 0
        put16(directory, 0); // internal attributes
        put32(directory, 0); // external attributes
        put32(directory, offset);
        directory += part.name;
    }
    const std::uint32_t directoryOffset = checked32(archive.size());
    archive += directory;
    put32(archive, kEndOfCentralDirectory);
    put16(archive, 0); // this disk
    put16(archive, 0); // the directory's disk
    put16(archive, static_cast<std::uint16_t>(parts.size()));
    put16(archive, static_cast<std::uint16_t>(parts.size()));
    put32(archive, checked32(directory.size()));
    put32(archive, directoryOffset);
    put16(archive, 0); // no comment
    checked32(archive.size());
    return archive;
}

} // namespace quillon::cli
