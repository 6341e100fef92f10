// Coding a 65,000-character text: through the core alone, and through the main window with
// its event-loop turns (the fixed 200 ms pauses switched off). Prints medians.
#include "CodedPicture.h"
#include "CodingRoutines.h"
#include "Controls.h"
#include "Main.h"
#include "PictureBox.h"
#include "TextBox.h"

#include <QApplication>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <functional>
#include <vector>

namespace {

double MedianMs(int runs, const std::function<void()>& work)
{
    std::vector<double> times;
    for (int i = 0; i < runs; ++i) {
        const auto start = std::chrono::steady_clock::now();
        work();
        times.push_back(std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count());
    }
    std::sort(times.begin(), times.end());
    return times[times.size() / 2];
}

void Report(const char* what, double ms, double targetMs)
{
    std::printf("%-36s median %9.3f ms   target < %g ms   %s\n", what, ms, targetMs, ms < targetMs ? "met" : "NOT met");
}

}  // namespace

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QByteArray text;
    for (int i = 0; i < 65000; ++i)
        text.append(static_cast<char>(32 + i % 90));

    PixelSurface surface(CodedPicture::Width, CodedPicture::Height);
    QRandomGenerator random(1);
    const double coreEncode = MedianMs(201, [&] { CodedPicture::Encode(surface, text, {}, random); });
    QByteArray decoded;
    const double coreDecode = MedianMs(201, [&] { decoded = CodedPicture::Decode(surface).text; });
    if (decoded.left(65000) != text) {
        std::fprintf(stderr, "core round trip failed\n");
        return 1;
    }

    Module1::SetPausesEnabled(false);
    Main window;
    window.show();
    window.Text1->SetText(text);
    const double windowEncode = MedianMs(21, [&] { Module1::TextToPicture(window); });
    const double windowDecode = MedianMs(21, [&] { Module1::PictureToText(window); });

    std::printf("Coding a text of %d characters (medians)\n", static_cast<int>(text.size()));
    Report("core encode", coreEncode, 1);
    Report("core decode", coreDecode, 1);
    Report("window encode (event-loop turns)", windowEncode, 100);
    Report("window decode (event-loop turns)", windowDecode, 50);
    return 0;
}
