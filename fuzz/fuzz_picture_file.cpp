// Opening a picture file and its check (load, size test, mirror, signature), on arbitrary bytes.
#include "CodedPicture.h"
#include "FuzzFile.h"
#include "PictureFile.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const std::string path = WriteFuzzFile(data, size, ".hqc");
    PixelSurface picture;
    const bool loaded = PictureFile::Load(picture, QString::fromStdString(path));
    FUZZ_CHECK(!loaded || (picture.Width() == 200 && picture.Height() == 120));
    Module1::MirrorPicture(picture);
    const QByteArray signature = PictureFile::ReadSignatureRow(picture);
    FUZZ_CHECK(signature.size() % 3 == 0 && signature.size() <= 3 * 196);
    if (PictureFile::IsCodedPicture(picture.Width(), picture.Height(), signature)) {
        const CodedPicture::Decoded decoded = CodedPicture::Decode(picture);
        FUZZ_CHECK(decoded.text.size() <= CodedPicture::ReadableCharacters);
    }
    return 0;
}
