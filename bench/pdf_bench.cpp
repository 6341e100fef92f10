// The same document written three ways in one run: clsFolium, libharu and cairo's PDF surface.
// 1,000 A4 pages of 53 lines of 80 characters at the PDF export's positions. Prints the median
// time of each, the ratios, the bytes written per second, and clsFolium's peak memory at
// 100, 1,000 and 10,000 pages (each measured in a fresh process).
#include "clsFolium.h"

#include <cairo-pdf.h>
#include <cairo.h>
#include <hpdf.h>

#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <string>
#include <vector>

namespace {

constexpr int kLinesPerPage = 53;
constexpr double kPointsPerMm = 72.0 / 25.4;

std::string MakeLine(int page, int line)
{
    std::string s = "Page " + std::to_string(page) + " line " + std::to_string(line) + ": ";
    while (s.size() < 80)
        s.push_back(static_cast<char>('a' + s.size() % 26));
    return s;
}

// The text is made once, before any writer is timed; longer documents repeat its pages.
std::vector<std::string> g_lines;
int g_pagesMade = 0;

const std::string& Line(int page, int line)
{
    return g_lines[static_cast<std::size_t>((page % g_pagesMade) * kLinesPerPage + line)];
}

void MakeLines(int pages)
{
    g_lines.clear();
    g_pagesMade = pages;
    for (int p = 0; p < pages; ++p)
        for (int l = 0; l < kLinesPerPage; ++l)
            g_lines.push_back(MakeLine(p, l));
}

void WriteFolium(const std::string& path, int pages)
{
    clsFolium pdf;
    pdf.Title("Glyphix by Hollowbrandt");
    pdf.ScaleMode(3);
    pdf.PaperSize(0);
    pdf.Margin(0);
    pdf.Orientation(1);
    std::string name = path;
    pdf.InitPDFFile(name);
    pdf.LoadFont("Fnt1", "Times New Roman", 1);
    pdf.LoadFont("Fnt2", "Arial", 3);
    pdf.LoadFont("Fnt3", "Courier New", 1);
    pdf.LoadFontStandard("Fnt4", "Courier New", 4);
    pdf.StartObject("Item1", 7);
    pdf.SetColorFill(-240);
    pdf.SetTextHorizontalScaling(120);
    float wx = 25;
    pdf.DrawText(wx, 10, "hollowbrandt.org", "Fnt2", 88, 1, 58);
    pdf.SetColorFill(0);
    pdf.EndObject();
    for (int p = 0; p < pages; ++p) {
        pdf.StartPage();
        for (int l = 0; l < kLinesPerPage; ++l) {
            float x = 10;
            pdf.DrawText(x, 280.0f - 5.0f * static_cast<float>(l), Line(p, l), "Fnt2", 11, 1, 0);
        }
        pdf.EndPage();
    }
    pdf.ClosePDFFile();
}

void WriteHaru(const std::string& path, int pages)
{
    HPDF_Doc doc = HPDF_New(nullptr, nullptr);
    HPDF_SetCompressionMode(doc, HPDF_COMP_NONE);
    HPDF_Font font = HPDF_GetFont(doc, "Helvetica-Oblique", "WinAnsiEncoding");
    for (int p = 0; p < pages; ++p) {
        HPDF_Page page = HPDF_AddPage(doc);
        HPDF_Page_SetSize(page, HPDF_PAGE_SIZE_A4, HPDF_PAGE_PORTRAIT);
        for (int l = 0; l < kLinesPerPage; ++l) {
            HPDF_Page_BeginText(page);
            HPDF_Page_SetFontAndSize(page, font, 11);
            HPDF_Page_TextOut(page, static_cast<HPDF_REAL>(10 * kPointsPerMm),
                              static_cast<HPDF_REAL>((280 - 5 * l) * kPointsPerMm), Line(p, l).c_str());
            HPDF_Page_EndText(page);
        }
    }
    HPDF_SaveToFile(doc, path.c_str());
    HPDF_Free(doc);
}

void WriteCairo(const std::string& path, int pages)
{
    cairo_surface_t* surface = cairo_pdf_surface_create(path.c_str(), 595.2, 842);
    cairo_t* cr = cairo_create(surface);
    cairo_select_font_face(cr, "Arial", CAIRO_FONT_SLANT_ITALIC, CAIRO_FONT_WEIGHT_NORMAL);
    cairo_set_font_size(cr, 11);
    for (int p = 0; p < pages; ++p) {
        for (int l = 0; l < kLinesPerPage; ++l) {
            cairo_move_to(cr, 10 * kPointsPerMm, 842 - (280 - 5 * l) * kPointsPerMm);
            cairo_show_text(cr, Line(p, l).c_str());
        }
        cairo_show_page(cr);
    }
    cairo_destroy(cr);
    cairo_surface_destroy(surface);
}

long FileBytes(const std::string& path)
{
    std::FILE* f = std::fopen(path.c_str(), "rb");
    if (!f)
        return 0;
    std::fseek(f, 0, SEEK_END);
    const long n = std::ftell(f);
    std::fclose(f);
    return n;
}

double MedianSeconds(int runs, const std::function<void()>& work)
{
    std::vector<double> times;
    for (int i = 0; i < runs; ++i) {
        const auto start = std::chrono::steady_clock::now();
        work();
        times.push_back(std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count());
    }
    std::sort(times.begin(), times.end());
    return times[times.size() / 2];
}

// Peak resident memory of a fresh process that writes `pages` pages with clsFolium, in KiB.
long PeakMemoryKiB(const char* self, int pages, const std::string& path)
{
    int fds[2];
    if (pipe(fds) != 0)
        return -1;
    const pid_t child = fork();
    if (child == 0) {
        dup2(fds[1], STDOUT_FILENO);
        execl(self, self, "--memory", std::to_string(pages).c_str(), path.c_str(), static_cast<char*>(nullptr));
        _exit(127);
    }
    close(fds[1]);
    char buf[64] = {};
    const ssize_t n = read(fds[0], buf, sizeof buf - 1);
    close(fds[0]);
    waitpid(child, nullptr, 0);
    return n > 0 ? std::atol(buf) : -1;
}

}  // namespace

int main(int argc, char* argv[])
{
    if (argc == 4 && std::string(argv[1]) == "--memory") {
        MakeLines(1);
        WriteFolium(argv[3], std::atoi(argv[2]));
        // The high-water mark of this process image (ru_maxrss would include the forked parent).
        std::FILE* status = std::fopen("/proc/self/status", "r");
        char line[256];
        long kib = -1;
        while (status && std::fgets(line, sizeof line, status))
            if (std::sscanf(line, "VmHWM: %ld kB", &kib) == 1)
                break;
        if (status)
            std::fclose(status);
        std::printf("%ld\n", kib);
        return 0;
    }
    const std::string folder = argc > 1 ? argv[1] : "/tmp";
    const int pages = 1000;
    const int runs = 9;
    MakeLines(pages);
    const std::string fPath = folder + "/bench-folium.pdf";
    const std::string hPath = folder + "/bench-haru.pdf";
    const std::string cPath = folder + "/bench-cairo.pdf";

    const double folium = MedianSeconds(runs, [&] { WriteFolium(fPath, pages); });
    const double haru = MedianSeconds(runs, [&] { WriteHaru(hPath, pages); });
    const double cairo = MedianSeconds(runs, [&] { WriteCairo(cPath, pages); });

    std::printf("Writing %d A4 pages of %d lines of 80 characters (median of %d runs)\n", pages, kLinesPerPage, runs);
    std::printf("%-10s %9.3f s  %8.1f MB/s  %10ld bytes\n", "clsFolium", folium, FileBytes(fPath) / folium / 1e6,
                FileBytes(fPath));
    std::printf("%-10s %9.3f s  %8.1f MB/s  %10ld bytes\n", "libharu", haru, FileBytes(hPath) / haru / 1e6,
                FileBytes(hPath));
    std::printf("%-10s %9.3f s  %8.1f MB/s  %10ld bytes\n", "cairo", cairo, FileBytes(cPath) / cairo / 1e6,
                FileBytes(cPath));
    std::printf("clsFolium is %.1f times as fast as libharu and %.1f times as fast as cairo (target: at least 3)\n",
                haru / folium, cairo / folium);

    const std::string mPath = folder + "/bench-memory.pdf";
    long peaks[3] = {};
    const int counts[3] = {100, 1000, 10000};
    for (int i = 0; i < 3; ++i) {
        peaks[i] = PeakMemoryKiB(argv[0], counts[i], mPath);
        std::printf("clsFolium peak memory at %5d pages: %ld KiB\n", counts[i], peaks[i]);
    }
    std::printf("Growth from 100 to 10,000 pages: %ld KiB (target: within 1024 KiB)\n", peaks[2] - peaks[0]);
    for (const std::string& p : {fPath, hPath, cPath, mPath})
        std::remove(p.c_str());
    return 0;
}
