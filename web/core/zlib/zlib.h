// The part of zlib's interface the PNG chunk reader uses, for the WebAssembly build, which has no
// zlib: crc32 is computed here, and inflating is handed to the page (the browser inflates with
// its own DecompressionStream). See ZlibHandoff.h for how a compressed record travels.
#pragma once

#include <cstddef>

typedef unsigned char Bytef;
typedef unsigned int uInt;
typedef unsigned long uLong;

struct z_stream {
  Bytef* next_in = nullptr;   // compressed bytes not yet taken
  uInt avail_in = 0;          // their count
  Bytef* next_out = nullptr;  // where the inflated bytes go
  uInt avail_out = 0;         // room left there
};

constexpr int Z_OK = 0;
constexpr int Z_STREAM_END = 1;
constexpr int Z_FINISH = 4;
constexpr int Z_DATA_ERROR = -3;

uLong crc32(uLong crc, const Bytef* bytes, uInt size);
int inflateInit(z_stream* stream);
int inflate(z_stream* stream, int flush);
int inflateEnd(z_stream* stream);
