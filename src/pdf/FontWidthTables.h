// Advance widths of the families the PDF writer measures (generated data).
#pragma once

#include <cstdint>

namespace FontWidthTables {

extern const std::int32_t kTimesNewRomanRegular[256];
extern const std::int32_t kTimesNewRomanBold[256];
extern const std::int32_t kTimesNewRomanItalic[256];
extern const std::int32_t kTimesNewRomanBoldItalic[256];
extern const std::int32_t kCourierNewRegular[256];
extern const std::int32_t kCourierNewBold[256];
extern const std::int32_t kCourierNewItalic[256];
extern const std::int32_t kCourierNewBoldItalic[256];
extern const std::int32_t kArialRegular[256];
extern const std::int32_t kArialBold[256];
extern const std::int32_t kArialItalic[256];
extern const std::int32_t kArialBoldItalic[256];
extern const std::int32_t kSymbol[256];  // shared by the four Symbol styles

}  // namespace FontWidthTables
