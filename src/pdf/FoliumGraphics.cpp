// clsFolium: graphics state and path operators.
#include "clsFolium.h"

#include <cmath>
#include <stdexcept>

namespace {
constexpr float kBezier = 0.55f;        // control-point factor for every quarter circle
constexpr double kPi = 3.141592;        // the writer's approximation of pi
}  // namespace

// RG/rg for a colour value, G/g for a grey level given as its negation (-255 white .. 0 black).
void clsFolium::SetColor(std::int32_t Color, const char* rgbOperator, const char* greyOperator)
{
    RequireOpen();
    if (Color > 0 || Color < -255) {
        const std::int32_t r = Color % 256;
        const std::int32_t g = (Color / 256) % 256;
        const std::int32_t b = (Color / 65536) % 256;
        if (r < 0 || g < 0 || b < 0)
            throw std::overflow_error("clsFolium: colour component out of range");
        WriteLine(FormatPdfNumber(r / 255.0, 3) + " " + FormatPdfNumber(g / 255.0, 3) + " "
                  + FormatPdfNumber(b / 255.0, 3) + " " + rgbOperator);
    } else {
        WriteLine(FormatPdfNumber(-Color / 255.0, 3) + " " + greyOperator);
    }
}

void clsFolium::SetColorStroke(std::int32_t Color) { SetColor(Color, "RG", "G"); }
void clsFolium::SetColorFill(std::int32_t Color) { SetColor(Color, "rg", "g"); }

// d: dash pattern
void clsFolium::SetDash(float DashLength, float GapLength)
{
    if (DashLength != 0 || GapLength != 0)
        WriteLine("[" + FormatPdfNumber(ToPoints(DashLength), 3) + " " + FormatPdfNumber(ToPoints(GapLength), 3)
                  + "] 0 d");
    else
        WriteLine("[ ] 0 d");
}

// w: line width
void clsFolium::SetLineWidth(float Width)
{
    WriteLine(FormatPdfNumber(ToPoints(Width), 3) + " w");
}

// J: line cap
void clsFolium::SetLineCap(std::int16_t Cap)
{
    if (Cap >= 0 && Cap <= 2)
        WriteLine(FormatPdfNumber(static_cast<std::int64_t>(Cap), 3) + " J");
}

// j: line join
void clsFolium::SetLineJoin(std::int16_t Join)
{
    if (Join >= 0 && Join <= 2)
        WriteLine(FormatPdfNumber(static_cast<std::int64_t>(Join), 3) + " j");
}

// M: miter limit (a ratio, not converted)
void clsFolium::SetMiterLimit(float Limit)
{
    if (Limit >= 1)
        WriteLine(FormatPdfNumber(Limit, 3) + " M");
}

// m: begin a subpath
void clsFolium::MoveTo(float x, float y)
{
    PutPoints(x);
    Put(" ");
    PutPoints(y);
    Put(" m");
    EndLine();
}

// l: straight line
void clsFolium::LineTo(float x, float y, std::int32_t Options)
{
    PutPoints(x);
    Put(" ");
    PutPoints(y);
    Put(" l");
    EndLine();
    FinishPath(Options);
}

// c: Bezier curve
void clsFolium::Curve(float x1, float y1, float x2, float y2, float x3, float y3, std::int32_t Options)
{
    for (float v : {x1, y1, x2, y2, x3, y3}) {
        PutPoints(v);
        Put(" ");
    }
    Put("c");
    EndLine();
    FinishPath(Options);
}

// f alone when filling; otherwise h (close) then S (stroke) as asked.
void clsFolium::FinishPath(std::int32_t Options)
{
    if (Options & 4) {
        WriteLine("f");
        return;
    }
    if (Options & 2)
        WriteLine("h");
    if (Options & 1)
        WriteLine("S");
}

// re, or a rounded outline of lines and quarter-circle curves.
void clsFolium::Rectangle(float x, float y, float Width, float Height, std::int32_t Options, float Radius)
{
    WriteLine("n");
    const float w = Width;
    const float h = Height;
    float r = Radius;
    if (r <= 0) {
        WriteLine(FormatPdfNumber(ToPoints(x), 3) + " " + FormatPdfNumber(ToPoints(y), 3) + " "
                  + FormatPdfNumber(ToPoints(w), 3) + " " + FormatPdfNumber(ToPoints(h), 3) + " re");
    } else {
        if (w / 2.0f < r)
            r = w / 2.0f;
        if (h / 2.0f < r)
            r = h / 2.0f;
        const float k = r * kBezier;
        MoveTo(x + r, y);
        LineTo(x + w - r, y);
        Curve(x + w - r + k, y, x + w, y + r - k, x + w, y + r);
        LineTo(x + w, y + h - r);
        Curve(x + w, y + h - r + k, x + w - r + k, y + h, x + w - r, y + h);
        LineTo(x + r, y + h);
        Curve(x + r - k, y + h, x, y + h - r + k, x, y + h - r);
        LineTo(x, y + r);
        Curve(x, y + r - k, x + r - k, y, x + r, y);
    }
    FinishPath(Options);
}

// Four quarter-circle curves from the bottom point, counter-clockwise.
void clsFolium::DrawCircle(float x, float y, float Radius, std::int32_t Options)
{
    const float r = Radius;
    const float k = r * kBezier;
    MoveTo(x, y - r);
    Curve(x + k, y - r, x + r, y - k, x + r, y);
    Curve(x + r, y + k, x + k, y + r, x, y + r);
    Curve(x - k, y + r, x - r, y + k, x - r, y);
    Curve(x - r, y - k, x - k, y - r, x, y - r);
    FinishPath(Options);
}

// An elliptical arc or pie slice as a polyline, one point every Step degrees.
void clsFolium::Arc(float x, float y, float Radius, float StartAngle, float EndAngle, float Ratio, bool Pie,
                    float Rotation, std::int16_t Step, std::int32_t Options)
{
    if (Step == 0)
        throw std::invalid_argument("clsFolium: an arc needs a step other than 0");
    // Angles the counted loop could never finish (or only after millions of points) are refused.
    if (!std::isfinite(StartAngle) || !std::isfinite(EndAngle)
        || std::fabs(static_cast<double>(EndAngle) - StartAngle) / std::abs(Step) > 1000000.0)
        throw std::invalid_argument("clsFolium: arc angles out of range");
    RequireOpen();
    WriteLine("n");
    MoveTo(x, y);
    if (Options & 4)
        Pie = true;
    const float K = static_cast<float>(kPi / 180.0);
    const float S = static_cast<float>(std::sin(-K * Rotation));
    const float C = static_cast<float>(std::cos(-K * Rotation));
    // The points from start to end inclusive, the angle summed up in single precision as the
    // loop variable does. Where adding the step no longer changes the angle the loop ends
    // there instead of running forever; the check above keeps the point count bounded.
    const float step = Step;
    bool first = true;
    for (float angle = StartAngle; Step > 0 ? angle <= EndAngle : angle >= EndAngle; angle += step) {
        const float a = K * angle;
        const float px = Radius * static_cast<float>(std::cos(a));
        const float py = Ratio * Radius * static_cast<float>(std::sin(a));
        const float dx = C * px + S * py;
        const float dy = -px * S + C * py;
        if (!Pie && first)
            MoveTo(x + dx, y + dy);
        first = false;
        LineTo(x + dx, y + dy);
        if (angle + step == angle)
            break;
    }
    if (Pie)
        LineTo(x, y);
    FinishPath(Options);
}
