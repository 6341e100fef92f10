// The PDF writer's bitmap reader and the image objects it feeds, on arbitrary bytes.
#include "FuzzFile.h"
#include "clsFolium.h"

#include <cstdint>
#include <exception>

namespace {

// Pixel data the header declares. The reader takes up to 128 MiB of it, zeros for what the
// file lacks; inputs above a few MiB only make zeros slowly, so they are left out here.
std::uint64_t DeclaredPixelBytes(const uint8_t* data, size_t size)
{
    if (size < 30)
        return 0;
    auto le = [&](size_t at, int bytes) {
        std::uint64_t v = 0;
        for (int i = bytes - 1; i >= 0; --i)
            v = (v << 8) | data[at + static_cast<size_t>(i)];
        return v;
    };
    const std::uint64_t w = le(18, 4) & 0x7FFFFFFF;
    const std::uint64_t h = le(22, 4) & 0x7FFFFFFF;
    return (w * le(28, 2) + 31) / 32 * 4 * h;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (DeclaredPixelBytes(data, size) > (std::uint64_t(4) << 20))
        return 0;
    const std::string bmp = WriteFuzzFile(data, size, ".bmp");
    for (int colourSpace : {0, 1}) {
        try {
            clsFolium pdf;
            pdf.EncodeASCII85(size % 2 == 1);
            std::string out = "/dev/null";
            pdf.InitPDFFile(out);
            if (pdf.LoadImgFromBMPFile("Im1", bmp, colourSpace)) {
                pdf.StartPage();
                pdf.DrawImg("Im1", 10, 800, 100, 100);
                pdf.EndPage();
            }
            pdf.ClosePDFFile();
        } catch (const std::exception&) {
            // A file error is a reported failure, not a fault.
        }
    }
    return 0;
}
