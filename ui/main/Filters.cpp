#include "ui/main/Filters.h"

namespace orbisk {

namespace {

constexpr uint32_t rgb(uint32_t red, uint32_t green, uint32_t blue) {
  return red | (green << 8) | (blue << 16);
}

// Every filter is one raster operation with a pen colour: canvas AND (NOT pen) for the colour
// filters and "Change colours", canvas OR (NOT pen) for "Lighten", canvas AND pen for "Darken".
// The masks below are those pens already folded in, so the pixels are combined directly.
constexpr std::array<Filter, kFilterCount> kFilters = {{
    {"Pink", "filterpink", MaskOp::And, rgb(255, 0, 255)},               // green removed
    {"Red", "filterred", MaskOp::And, rgb(255, 0, 0)},                   // only red kept
    {"Yellow", "filteryellow", MaskOp::And, rgb(255, 255, 0)},           // blue removed
    {"Green", "filtergreen", MaskOp::And, rgb(0, 255, 0)},               // only green kept
    {"Blue (light)", "filterbluelight", MaskOp::And, rgb(0, 255, 255)},  // red removed
    {"Blue (dark)", "filterbluedark", MaskOp::And, rgb(0, 0, 255)},      // only blue kept
    {"Purple", "filterpurple", MaskOp::And, rgb(127, 127, 255)},  // top bit of red, green cleared
    {"Change colours ", "filterchange", MaskOp::And, rgb(127, 127, 127)},  // top bits cleared
    {"Lighten", "filterlighten", MaskOp::Or, rgb(63, 63, 63)},             // low six bits set
    {"Darken", "filterdarken", MaskOp::And, rgb(192, 192, 192)},           // low six bits cleared
}};

}  // namespace

const std::array<Filter, kFilterCount>& filterTable() {
  return kFilters;
}

const Filter* filterAt(int index) {
  if (index < 0 || index >= kFilterCount) return nullptr;
  return &kFilters[static_cast<std::size_t>(index)];
}

}  // namespace orbisk
