// A picture file's bytes and its check (read, size test, mirror, signature), on the codec.
#include "Bitmap.h"
#include "FuzzFile.h"
#include "Picture.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    Codec::PixelSurface picture;
    const bool read = PictureBytes::Read(bytes, &picture);
    FUZZ_CHECK(read == (picture.Width() == 200 && picture.Height() == 120));
    if (!read)
        return 0;
    // What was read is written back as the 24-bit bitmap that reads the same.
    Codec::PixelSurface again;
    FUZZ_CHECK(PictureBytes::Read(PictureBytes::Write(picture), &again) && again.Pixels() == picture.Pixels());
    picture.Mirror();
    const std::string signature = Codec::SignatureRowText(picture);
    FUZZ_CHECK(signature.size() % 3 == 0 && signature.size() <= 3 * 196);
    if (Codec::IsCodedPicture(picture.Width(), picture.Height(), signature)) {
        const Codec::Decoded decoded = Codec::Decode(picture);
        FUZZ_CHECK(decoded.text.size() <= CodedPicture::ReadableCharacters);
    }
    return 0;
}
