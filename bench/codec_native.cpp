// The codec natively, for the browser page's benchmark: median milliseconds of coding and of
// decoding a text of 65,000 characters (the picture holds what fits), 21 runs each.
#include "Picture.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <string>
#include <vector>

namespace {

template <typename Work>
double MedianMs(Work work)
{
    std::vector<double> times;
    for (int i = 0; i < 21; ++i) {
        const auto start = std::chrono::steady_clock::now();
        work();
        times.push_back(std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count());
    }
    std::sort(times.begin(), times.end());
    return times[times.size() / 2];
}

}  // namespace

int main()
{
    std::string text;
    while (text.size() < 65000)
        text += "Sixty-five thousand characters of text, coded into a picture and back. ";
    text.resize(65000);
    Codec::PixelSurface picture(CodedPicture::Width, CodedPicture::Height);
    const double encode = MedianMs([&] { Codec::Encode(picture, text, {}, [] { return 0.5; }); });
    std::size_t decoded = 0;
    const double decode = MedianMs([&] { decoded = Codec::Decode(picture).text.size(); });
    std::printf("%.3f %.3f %zu\n", encode, decode, decoded);
    return decoded == 65001 ? 0 : 1;  // padded to a whole pixel
}
