// The PNG the page saves of its canvas: 8-bit RGB, as the program writes its pictures, with the
// picture's record as the "Orbisk record" text chunk the desktop and orbisk-render read. The
// browser deflates the scanlines (the module carries no deflater); the core frames them.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "web/core/WebPicture.h"

namespace orbisk::web {

// The largest canvas side the page saves (the Maximum frame is 948 x 651).
constexpr int kMaxSavedSide = 8192;

// The image data of an RGBA canvas as PNG scanlines: each row a filter byte 0, then red, green
// and blue of each pixel (alpha dropped: every Orbisk picture is opaque).
std::string pngScanlines(const uint8_t* rgba, int width, int height);

// A whole RGB PNG of width x height pixels around compressed (the zlib stream of
// pngScanlines), carrying picture's record when picture is not empty; refused when the size is
// out of range or the record is damaged.
Answer rgbPng(int width, int height, std::string_view compressed, std::string_view picture);

}  // namespace orbisk::web
