// clsFolium: bitmap reading, image objects (raw or ASCII85) and their placement.
#include "clsFolium.h"

#include <algorithm>

#include <cerrno>
#include <cmath>
#include <filesystem>
#include <fstream>
#include <stdexcept>
#include <system_error>

namespace {

// The largest pixel data a bitmap may declare: 128 MiB, a 24-bit picture of about 6,500 x 6,500.
constexpr std::uint64_t kMaxPixelBytes = std::uint64_t(128) << 20;

std::uint32_t Le(const std::vector<std::uint8_t>& b, std::size_t at, int bytes)
{
    std::uint32_t v = 0;
    for (int i = bytes - 1; i >= 0; --i)
        v = (v << 8) | b[at + static_cast<std::size_t>(i)];
    return v;
}

// Grey level of a colour: 0.59 green + 0.33 red + 0.11 blue, ties to even, at most 255.
std::uint8_t Grey(std::uint8_t red, std::uint8_t green, std::uint8_t blue)
{
    const double g = std::nearbyint(0.59 * green + 0.33 * red + 0.11 * blue);
    return static_cast<std::uint8_t>(g > 255 ? 255 : g);
}

}  // namespace

bool clsFolium::LeggeBMP(const std::string& FileName, std::int32_t ColorSpace, std::vector<std::uint8_t>& Samples,
                         std::vector<std::uint8_t>& Palette, std::int32_t& Width, std::int32_t& Height,
                         std::uint8_t& Bpp)
{
    // A folder opens as a stream on this platform but cannot be read: the file error.
    std::error_code kind;
    if (std::filesystem::is_directory(FileName, kind))
        throw std::system_error(EISDIR, std::generic_category(), "clsFolium: cannot read " + FileName);
    std::ifstream file(FileName, std::ios::binary);
    if (!file) {
        if (errno == ENOENT || errno == ENOTDIR)
            return false;
        throw std::system_error(errno, std::generic_category(), "clsFolium: cannot read " + FileName);
    }
    file.seekg(0, std::ios::end);
    const std::streamoff end = file.tellg();
    if (end < 0)
        throw std::system_error(EIO, std::generic_category(), "clsFolium: cannot read " + FileName);
    const std::uint64_t fileSize = static_cast<std::uint64_t>(end);
    file.seekg(0);

    // Reads count bytes at offset; bytes beyond the end of the file read as 0.
    auto readAt = [&](std::uint64_t offset, std::size_t count) {
        std::vector<std::uint8_t> bytes(count, 0);
        if (offset < fileSize) {
            file.clear();
            file.seekg(static_cast<std::streamoff>(offset));
            file.read(reinterpret_cast<char*>(bytes.data()), static_cast<std::streamsize>(count));
        }
        return bytes;
    };

    const std::vector<std::uint8_t> header = readAt(0, 54);
    if (header[0] != 'B' || header[1] != 'M')
        return false;
    const std::uint32_t pixelOffset = Le(header, 10, 4);
    const std::int32_t w = static_cast<std::int32_t>(Le(header, 18, 4));
    const std::int32_t h = static_cast<std::int32_t>(Le(header, 22, 4));
    const std::uint32_t bpp = Le(header, 28, 2);

    // A header that cannot be honest is refused before anything is allocated. A truncated
    // file is read with zeros for what it lacks, so only the declared size is bounded: no
    // document this writer makes holds an image of more than kMaxPixelBytes.
    if (w <= 0 || h <= 0 || (bpp != 1 && bpp != 4 && bpp != 8 && bpp != 24))
        return false;
    const std::uint64_t stride = (static_cast<std::uint64_t>(w) * bpp + 31) / 32 * 4;
    const std::uint64_t pixelBytes = stride * static_cast<std::uint64_t>(h);
    if (pixelBytes > kMaxPixelBytes)
        return false;

    std::vector<std::uint8_t> palette;
    if (bpp <= 8) {
        const std::size_t entries = std::size_t(1) << bpp;
        const std::vector<std::uint8_t> raw = readAt(54, entries * 4);
        palette.reserve(entries * 3);
        for (std::size_t i = 0; i < entries; ++i) {
            const std::uint8_t blue = raw[i * 4];
            const std::uint8_t green = raw[i * 4 + 1];
            const std::uint8_t red = raw[i * 4 + 2];
            if (ColorSpace == 0) {
                palette.push_back(red);
                palette.push_back(green);
                palette.push_back(blue);
            } else {
                palette.push_back(Grey(red, green, blue));
            }
        }
    }

    // Row by row, so that the bitmap's bytes are never held beside its samples.
    std::vector<std::uint8_t> samples;
    const std::size_t W = static_cast<std::size_t>(w);
    const std::size_t H = static_cast<std::size_t>(h);
    const std::size_t S = static_cast<std::size_t>(stride);
    // Each row's samples follow the last row's; a colour image's buffer keeps the stored size,
    // its tail zero.
    const std::size_t used = bpp <= 8 ? (W * bpp + 7) / 8 : (ColorSpace == 0 ? 3 * W : W);
    samples.resize(bpp == 24 && ColorSpace == 0 ? H * S : H * used);
    std::uint8_t* out = samples.data();
    for (std::size_t y = 0; y < H; ++y, out += used) {
        const std::vector<std::uint8_t> row = readAt(pixelOffset + std::uint64_t(y) * S, S);
        if (bpp <= 8) {
            std::copy(row.begin(), row.begin() + static_cast<std::ptrdiff_t>(used), out);
        } else if (ColorSpace == 0) {
            // Red, green, blue per pixel.
            for (std::size_t x = 0; x < W; ++x) {
                out[3 * x] = row[3 * x + 2];
                out[3 * x + 1] = row[3 * x + 1];
                out[3 * x + 2] = row[3 * x];
            }
        } else {
            for (std::size_t x = 0; x < W; ++x)
                out[x] = Grey(row[3 * x + 2], row[3 * x + 1], row[3 * x]);
        }
    }
    Samples = std::move(samples);
    Palette = std::move(palette);
    Width = w;
    Height = h;
    Bpp = static_cast<std::uint8_t>(bpp);
    return true;
}

bool clsFolium::LoadImgFromBMPFile(const std::string& Name, const std::string& FileName, std::int32_t ColorSpace)
{
    std::vector<std::uint8_t> samples;
    std::vector<std::uint8_t> palette;
    std::int32_t w = 0;
    std::int32_t h = 0;
    std::uint8_t bpp = 0;
    if (!LeggeBMP(FileName, ColorSpace, samples, palette, w, h, bpp))
        return false;
    LoadImgFromBuffer(Name, samples, palette, w, h, bpp, ColorSpace);
    return true;
}

namespace {
// Appends the ASCII85 form of n bytes at bytes to out (no end marker).
void AppendAscii85(const std::uint8_t* bytes, std::size_t n, std::string& out)
{
    for (std::size_t i = 0; i < n; i += 4) {
        const std::size_t c = n - i < 4 ? n - i : 4;
        std::uint32_t value = 0;
        for (std::size_t j = 0; j < 4; ++j)
            value = (value << 8) | (j < c ? bytes[i + j] : 0u);
        if (c == 4 && value == 0) {
            out.push_back('z');
            continue;
        }
        char digits[5];
        for (int j = 4; j >= 0; --j) {
            digits[j] = static_cast<char>(33 + value % 85);
            value /= 85;
        }
        out.append(digits, c + 1);
    }
}
}  // namespace

std::string clsFolium::EncodeAscii85Bytes(const std::vector<std::uint8_t>& bytes)
{
    std::string out;
    out.reserve(bytes.size() / 4 * 5 + 8);
    AppendAscii85(bytes.data(), bytes.size(), out);
    return out;
}

std::uint64_t clsFolium::PutStreamData(const std::vector<std::uint8_t>& bytes)
{
    if (!m_encodeASCII85) {
        if (!bytes.empty())  // an empty vector may have no storage at all
            Put(std::string_view(reinterpret_cast<const char*>(bytes.data()), bytes.size()));
        return bytes.size();
    }
    // A piece at a time (a whole number of groups of four), so that the encoded data is never
    // held whole beside the samples.
    constexpr std::size_t kPiece = 64 * 1024;
    std::uint64_t written = 0;
    std::string piece;
    piece.reserve(kPiece / 4 * 5 + 8);
    for (std::size_t at = 0; at < bytes.size(); at += kPiece) {
        piece.clear();
        AppendAscii85(bytes.data() + at, std::min(kPiece, bytes.size() - at), piece);
        Put(piece);
        written += piece.size();
    }
    Put("~>");
    return written + 2;
}

// Stream data of an image or palette: ASCII85 with its end marker, or the bytes unchanged.
std::string clsFolium::StreamData(const std::vector<std::uint8_t>& bytes) const
{
    if (m_encodeASCII85)
        return EncodeAscii85Bytes(bytes) + "~>";
    return std::string(bytes.begin(), bytes.end());
}

void clsFolium::LoadImgFromBuffer(const std::string& Name, const std::vector<std::uint8_t>& Samples,
                                  const std::vector<std::uint8_t>& Palette, std::int32_t Width,
                                  std::int32_t Height, std::uint8_t Bpp, std::int32_t ColorSpace)
{
    const std::int32_t N = BeginIndirectObject(0);
    WriteLine("<<\r/Type /XObject\r/Subtype /Image\r/Name /" + Name + "\r/Width " + std::to_string(Width)
              + "\r/Height " + std::to_string(Height) + (m_encodeASCII85 ? "\r/Filter /ASCII85Decode" : ""));
    const std::string cs = ColorSpace == 0 ? "DeviceRGB" : "DeviceGray";
    const bool indexed = Bpp == 1 || Bpp == 4 || Bpp == 8;
    if (Bpp == 24)
        WriteLine("/BitsPerComponent 8\r/ColorSpace /" + cs + "\r/Length " + std::to_string(N + 1) + " 0 R");
    else if (indexed)
        WriteLine("/BitsPerComponent " + std::to_string(Bpp) + "\r/ColorSpace [/Indexed /" + cs + " "
                  + std::to_string((1 << Bpp) - 1) + " " + std::to_string(N + 2) + " 0 R]\r/Length "
                  + std::to_string(N + 1) + " 0 R");
    else  // no colour space for this depth, but a stream is unreadable without its length
        WriteLine("/Length " + std::to_string(N + 1) + " 0 R");
    // The stream keyword takes CR LF (a CR alone would let a reader swallow a leading LF of the
    // data), and the length covers every data byte including the ASCII85 end marker.
    WriteLine(">>\rstream");
    const std::uint64_t length = PutStreamData(Samples);
    WriteLine("\rendstream");
    EndIndirectObject();
    ImageResources += "/" + Name + " " + std::to_string(N) + " 0 R \r";

    BeginIndirectObject(0);
    WriteLine(std::to_string(length));
    EndIndirectObject();

    if (Bpp <= 8) {  // every depth up to 8 has its palette, even one without a colour space
        BeginIndirectObject(0);
        const std::string palette = StreamData(Palette);
        WriteLine(std::string("<<") + (m_encodeASCII85 ? "/Filter /ASCII85Decode\r" : "") + "/Length "
                  + std::to_string(palette.size()) + " >>\rstream");
        WriteLine(palette + "\rendstream");
        EndIndirectObject();
    }
}

// q, cm, Do, Q: the image with its top edge at y and left edge at x.
void clsFolium::DrawImg(const std::string& Name, float x, float y, float Width, float Height)
{
    WriteLine("q\r" + FormatPdfNumber(ToPoints(Width), 3) + "  0 0 -" + FormatPdfNumber(ToPoints(Height), 3) + " "
              + FormatPdfNumber(ToPoints(x), 3) + " " + FormatPdfNumber(ToPoints(y), 3) + " cm\r/" + Name
              + " Do\rQ");
}
