// Text record of the drawing calls.
//
// Numbers are formatted with std::to_chars, which gives the same text as printf "%.9g" in the "C"
// locale but never follows the process locale: the GUI toolkit switches to the user's locale,
// where printf could write a decimal comma. Not-a-number is always written "nan" (printf would
// add the sign bit, which differs between builds). A standard library without floating-point
// to_chars (emscripten's) uses printf's "%.9g" and takes the locale's decimal point back to '.'.
#include "render/surfaces/TraceSurface.h"

#include <charconv>
#include <clocale>
#include <cmath>
#include <cstdio>
#include <cstring>

namespace orbisk {

namespace {

// Room for the longest call: "L" plus four "%.9g" numbers (at most 15 characters each) and one
// colour (at most 8 digits), blanks and the newline.
constexpr int kLineCapacity = 128;

// "%.9g" of value in the "C" locale.
char* appendNumber(char* out, char* end, double value) {
#if defined(__cpp_lib_to_chars) && __cpp_lib_to_chars >= 201611L
  return std::to_chars(out, end, value, std::chars_format::general, 9).ptr;
#else
  char text[32];  // "%.9g" of a float's value takes at most 15 characters
  const int length = std::snprintf(text, sizeof text, "%.9g", value);
  const char* const point = std::localeconv()->decimal_point;
  const std::size_t pointLength = std::strlen(point);
  for (int i = 0; i < length && out < end;) {
    if (pointLength > 0 && std::strncmp(text + i, point, pointLength) == 0) {
      *out++ = '.';
      i += static_cast<int>(pointLength);
    } else {
      *out++ = text[i++];
    }
  }
  return out;
#endif
}

char* appendCoordinate(char* out, char* end, float value) {
  *out++ = ' ';
  if (std::isnan(value)) {
    std::memcpy(out, "nan", 3);
    return out + 3;
  }
  return appendNumber(out, end, static_cast<double>(value));
}

char* appendColour(char* out, char* end, uint32_t colour) {
  *out++ = ' ';
  out = std::to_chars(out, end, colour & 0xffffffu).ptr;  // red + 256 green + 65536 blue
  *out++ = '\n';
  return out;
}

}  // namespace

TraceSurface::TraceSurface(std::FILE* out, Surface* inner, int width, int height)
    : out_(out), inner_(inner), width_(width), height_(height) {}

int TraceSurface::width() const {
  return inner_ != nullptr ? inner_->width() : width_;
}

int TraceSurface::height() const {
  return inner_ != nullptr ? inner_->height() : height_;
}

void TraceSurface::plot(float x, float y, uint32_t colour) {
  if (out_ != nullptr) {
    char text[kLineCapacity];
    char* const end = text + kLineCapacity;
    char* p = text;
    *p++ = 'P';
    p = appendCoordinate(p, end, x);
    p = appendCoordinate(p, end, y);
    p = appendColour(p, end, colour);
    std::fwrite(text, 1, static_cast<std::size_t>(p - text), out_);
  }
  if (inner_ != nullptr) inner_->plot(x, y, colour);
}

void TraceSurface::line(float x1, float y1, float x2, float y2, uint32_t colour) {
  if (out_ != nullptr) {
    char text[kLineCapacity];
    char* const end = text + kLineCapacity;
    char* p = text;
    *p++ = 'L';
    p = appendCoordinate(p, end, x1);
    p = appendCoordinate(p, end, y1);
    p = appendCoordinate(p, end, x2);
    p = appendCoordinate(p, end, y2);
    p = appendColour(p, end, colour);
    std::fwrite(text, 1, static_cast<std::size_t>(p - text), out_);
  }
  if (inner_ != nullptr) inner_->line(x1, y1, x2, y2, colour);
}

}  // namespace orbisk
