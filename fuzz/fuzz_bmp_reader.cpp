// The PDF writer's bitmap reader and the image objects it feeds, on arbitrary bytes.
#include "FuzzFile.h"
#include "clsFolium.h"

#include <exception>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
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
