// Films decoded back through FFmpeg's libraries, for the tests: every frame as 0xffRRGGBB rows,
// and the container's comment.
#pragma once

extern "C" {
#include <libavcodec/avcodec.h>
#include <libavformat/avformat.h>
#include <libswscale/swscale.h>
}

#include <cmath>
#include <cstdint>
#include <string>
#include <vector>

namespace orbisk {

struct DecodedFilm {
  bool ok = false;
  int width = 0, height = 0;
  std::vector<std::vector<uint32_t>> frames;  // rows of width 0xffRRGGBB pixels each
  std::string comment;                        // the container's "comment" metadata
};

inline DecodedFilm decodeFilm(const std::string& path) {
  DecodedFilm film;
  AVFormatContext* container = nullptr;
  if (avformat_open_input(&container, path.c_str(), nullptr, nullptr) < 0) return film;
  avformat_find_stream_info(container, nullptr);
  if (const AVDictionaryEntry* e = av_dict_get(container->metadata, "comment", nullptr, 0))
    film.comment = e->value;
  const int stream = av_find_best_stream(container, AVMEDIA_TYPE_VIDEO, -1, -1, nullptr, 0);
  const AVCodec* codec =
      stream >= 0 ? avcodec_find_decoder(container->streams[stream]->codecpar->codec_id) : nullptr;
  AVCodecContext* context = codec ? avcodec_alloc_context3(codec) : nullptr;
  AVFrame* frame = av_frame_alloc();
  AVPacket* packet = av_packet_alloc();
  SwsContext* scaler = nullptr;
  bool ok = context &&
            avcodec_parameters_to_context(context, container->streams[stream]->codecpar) >= 0 &&
            avcodec_open2(context, codec, nullptr) >= 0;
  const auto drain = [&] {
    while (avcodec_receive_frame(context, frame) >= 0) {
      film.width = frame->width;
      film.height = frame->height;
      scaler = sws_getCachedContext(
          scaler, frame->width, frame->height, static_cast<AVPixelFormat>(frame->format),
          frame->width, frame->height, AV_PIX_FMT_BGR0,
          SWS_BICUBIC | SWS_ACCURATE_RND | SWS_BITEXACT, nullptr, nullptr, nullptr);
      std::vector<uint32_t> pixels(static_cast<std::size_t>(frame->width) * frame->height);
      uint8_t* out[1] = {reinterpret_cast<uint8_t*>(pixels.data())};
      int outStride[1] = {frame->width * 4};
      sws_scale(scaler, frame->data, frame->linesize, 0, frame->height, out, outStride);
      for (uint32_t& p : pixels) p |= 0xff000000u;
      film.frames.push_back(std::move(pixels));
    }
  };
  while (ok && av_read_frame(container, packet) >= 0) {
    if (packet->stream_index == stream && avcodec_send_packet(context, packet) >= 0) drain();
    av_packet_unref(packet);
  }
  if (ok) {
    avcodec_send_packet(context, nullptr);
    drain();
  }
  film.ok = ok;
  sws_freeContext(scaler);
  av_packet_free(&packet);
  av_frame_free(&frame);
  avcodec_free_context(&context);
  avformat_close_input(&container);
  return film;
}

// Peak signal-to-noise ratio over the channels of the top-left width x height pixels of two
// frames of rows stride wide; a large number for equal frames.
inline double psnr(const std::vector<uint32_t>& a, int strideA, const std::vector<uint32_t>& b,
                   int strideB, int width, int height) {
  double sum = 0;
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x)
      for (int shift = 0; shift < 24; shift += 8) {
        const int d = static_cast<int>((a[y * strideA + x] >> shift) & 0xff) -
                      static_cast<int>((b[y * strideB + x] >> shift) & 0xff);
        sum += d * d;
      }
  const double mse = sum / (3.0 * width * height);
  return mse == 0 ? 1000 : 10 * std::log10(255.0 * 255.0 / mse);
}

}  // namespace orbisk
