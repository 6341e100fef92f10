// clsFolium: form objects, drawn by reference and placed on pages by their flags.
#include "clsFolium.h"

#include <stdexcept>

namespace {

// Whether an object with these placement flags is drawn on page p.
bool DrawnOnPage(std::int32_t flags, int p)
{
    const bool even = flags & 2;
    const bool odd = flags & 4;
    const bool notFirst = flags & 8;
    const bool all = (flags & 1) && even && odd;
    return (p % 2 == 0 && even) || all || (p % 2 == 1 && odd && !(notFirst && p == 1));
}

}  // namespace

void clsFolium::StartObject(const std::string& Name, std::int32_t Flags)
{
    RequireOpen();
    if (FormObjectCount >= 32767)
        throw std::overflow_error("clsFolium: too many form objects");
    const std::int32_t N = BeginIndirectObject(0);
    const float m = m_margin;
    const float right = m_paperWidth - m;
    const float top = m_paperHeight - m;
    WriteLine("<<\r/Type /XObject\r/Subtype /Form\r/FormType 1\r/Name /" + Name + "\r/BBox [" + FormatPdfNumber(m, 3)
              + " " + FormatPdfNumber(m, 3) + " " + FormatPdfNumber(right, 3) + " " + FormatPdfNumber(top, 3)
              + "]\r/Matrix [1 0 0 1 0 0]\r/Length " + std::to_string(N + 1) + " 0 R >>\rstream");
    StreamStart = Offset();
    ObjectResources += "/" + Name + " " + std::to_string(N) + " 0 R \r";
    ++FormObjectCount;
    FormObjects.push_back({Name, Flags});
}

void clsFolium::EndObject()
{
    RequireOpen();
    CloseStream();
}

// Do: draw a form object
void clsFolium::DrawObject(const std::string& Name)
{
    WriteLine("/" + Name + " Do");
}

void clsFolium::DrawAutoObjects()
{
    for (const FormObject& object : FormObjects)
        if (DrawnOnPage(object.Flags, PageCount))
            DrawObject(object.Name);
}
