// A film encoded with FFmpeg's libraries into memory: VP9 in WebM, H.264 in MP4, an animated
// PNG (lossless) or a GIF. The caller writes the finished bytes where they belong, so a failure
// anywhere leaves no file behind. Plain C++, no Qt.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>

#include "io/FilmFormat.h"

namespace orbisk {

// "" when the FFmpeg libraries this program runs with can encode format, or one line saying
// which encoder is missing.
std::string filmEncoderMissing(FilmFormat format);

class FilmEncoder {
 public:
  // Prepares a film of frames width x height pixels (each side 1..65536), fps frames a second;
  // text, the film's own description, goes into the file's metadata (a text chunk of an
  // animated PNG, a comment of a GIF). nullptr and a one-line error when it cannot.
  static std::unique_ptr<FilmEncoder> open(FilmFormat format, int width, int height, int fps,
                                           const std::string& text, std::string& error);
  ~FilmEncoder();
  FilmEncoder(const FilmEncoder&) = delete;
  FilmEncoder& operator=(const FilmEncoder&) = delete;

  // Adds the next frame: rows of 0xffRRGGBB pixels (a canvas's layout), stride in pixels.
  // false with error set when the encoder fails.
  bool addFrame(const uint32_t* pixels, int stride, std::string& error);
  // Ends the film and hands over the whole file's bytes. false with error set when it fails.
  bool finish(std::string& bytes, std::string& error);

 private:
  struct Impl;
  explicit FilmEncoder(std::unique_ptr<Impl> impl);
  std::unique_ptr<Impl> impl_;
};

}  // namespace orbisk
