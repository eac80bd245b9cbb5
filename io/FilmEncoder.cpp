#include "io/FilmEncoder.h"

extern "C" {
#include <libavcodec/avcodec.h>
#include <libavformat/avformat.h>
#include <libavutil/imgutils.h>
#include <libavutil/opt.h>
#include <libswscale/swscale.h>
}
#include <zlib.h>

#include <algorithm>
#include <cstring>
#include <thread>
#include <vector>

#include "io/GifPalette.h"

namespace orbisk {

namespace {

struct FormatInfo {
  const char* muxer;     // FFmpeg's name of the container
  const char* encoder;   // FFmpeg's name of the encoder
  AVPixelFormat pixels;  // what the encoder is given
};

// The videos keep every pixel's colour (4:4:4): a picture is mostly one-pixel points of colour,
// which 4:2:0's shared colour of four pixels smears (about 23 dB on a Thumbnail).
FormatInfo infoOf(FilmFormat format) {
  switch (format) {
    case FilmFormat::WebM:
      return {"webm", "libvpx-vp9", AV_PIX_FMT_YUV444P};
    case FilmFormat::Mp4:
      return {"mp4", "libx264", AV_PIX_FMT_YUV444P};
    case FilmFormat::Apng:
      return {"apng", "apng", AV_PIX_FMT_RGB24};
    case FilmFormat::Gif:
    case FilmFormat::Folder:
      break;
  }
  return {"gif", "gif", AV_PIX_FMT_PAL8};
}

std::string avError(int code) {
  char text[AV_ERROR_MAX_STRING_SIZE] = {};
  av_strerror(code, text, sizeof text);
  return text;
}

// A PNG chunk: length, type, data and the CRC of type and data.
std::string pngChunk(const char type[4], const std::string& data) {
  std::string chunk;
  const uint32_t length = static_cast<uint32_t>(data.size());
  for (int shift = 24; shift >= 0; shift -= 8) chunk += static_cast<char>((length >> shift) & 0xff);
  chunk.append(type, 4);
  chunk += data;
  uLong crc = crc32(0, reinterpret_cast<const Bytef*>(chunk.data() + 4),
                    static_cast<uInt>(4 + data.size()));
  for (int shift = 24; shift >= 0; shift -= 8) chunk += static_cast<char>((crc >> shift) & 0xff);
  return chunk;
}

// The text goes in a tEXt chunk just before IEND (the last 12 bytes of a PNG).
bool addPngText(std::string& png, const std::string& key, const std::string& text) {
  if (png.size() < 12 || png.compare(png.size() - 8, 4, "IEND") != 0) return false;
  png.insert(png.size() - 12, pngChunk("tEXt", key + '\0' + text));
  return true;
}

// The text goes in a comment extension just before the trailer (the last byte of a GIF).
bool addGifComment(std::string& gif, const std::string& text) {
  if (gif.empty() || gif.back() != '\x3b') return false;
  std::string comment = "\x21\xfe";
  for (std::size_t at = 0; at < text.size(); at += 255) {
    const std::size_t length = std::min<std::size_t>(255, text.size() - at);
    comment += static_cast<char>(length);
    comment += text.substr(at, length);
  }
  comment += '\0';
  gif.insert(gif.size() - 1, comment);
  return true;
}

}  // namespace

std::string filmEncoderMissing(FilmFormat format) {
  if (format == FilmFormat::Folder) return {};
  const FormatInfo info = infoOf(format);
  if (!avcodec_find_encoder_by_name(info.encoder))
    return std::string("the FFmpeg libraries here have no ") + info.encoder +
           " encoder; choose another format";
  if (!av_guess_format(info.muxer, nullptr, nullptr))
    return std::string("the FFmpeg libraries here cannot write ") + info.muxer + " files";
  return {};
}

struct FilmEncoder::Impl {
  FilmFormat format = FilmFormat::WebM;
  std::string text;           // the film's description, for the metadata
  int width = 0, height = 0;  // the frames' size
  AVFormatContext* container = nullptr;
  AVCodecContext* codec = nullptr;
  AVStream* stream = nullptr;
  AVIOContext* io = nullptr;
  AVFrame* frame = nullptr;
  AVPacket* packet = nullptr;
  SwsContext* scaler = nullptr;
  int64_t next = 0;      // the next frame's number
  std::string bytes;     // the file so far
  int64_t position = 0;  // where the muxer writes next in bytes

  ~Impl() {
    sws_freeContext(scaler);
    av_packet_free(&packet);
    av_frame_free(&frame);
    avcodec_free_context(&codec);
    if (io) av_freep(&io->buffer);
    avio_context_free(&io);
    avformat_free_context(container);
  }

  static int write(void* opaque, uint8_t* data, int size) {
    Impl& self = *static_cast<Impl*>(opaque);
    const auto at = static_cast<std::size_t>(self.position);
    if (self.bytes.size() < at + static_cast<std::size_t>(size)) self.bytes.resize(at + size);
    std::memcpy(self.bytes.data() + at, data, static_cast<std::size_t>(size));
    self.position += size;
    return size;
  }

  static int64_t seek(void* opaque, int64_t offset, int whence) {
    Impl& self = *static_cast<Impl*>(opaque);
    const auto size = static_cast<int64_t>(self.bytes.size());
    switch (whence & ~AVSEEK_FORCE) {
      case AVSEEK_SIZE:
        return size;
      case SEEK_SET:
        break;
      case SEEK_CUR:
        offset += self.position;
        break;
      case SEEK_END:
        offset += size;
        break;
      default:
        return AVERROR(EINVAL);
    }
    if (offset < 0) return AVERROR(EINVAL);
    self.position = offset;
    return offset;
  }

  // Sends frame (nullptr: the end) and writes every packet the encoder has ready.
  std::string encode(AVFrame* input) {
    int status = avcodec_send_frame(codec, input);
    if (status < 0) return "the encoder refused a frame: " + avError(status);
    for (;;) {
      status = avcodec_receive_packet(codec, packet);
      if (status == AVERROR(EAGAIN) || status == AVERROR_EOF) return {};
      if (status < 0) return "the encoder failed: " + avError(status);
      // Every frame lasts one frame's time; a container that is not told so cuts the last one.
      if (packet->duration <= 0) packet->duration = 1;
      av_packet_rescale_ts(packet, codec->time_base, stream->time_base);
      packet->stream_index = stream->index;
      status = av_interleaved_write_frame(container, packet);
      if (status < 0) return "the film cannot be written: " + avError(status);
    }
  }
};

FilmEncoder::FilmEncoder(std::unique_ptr<Impl> impl) : impl_(std::move(impl)) {}
FilmEncoder::~FilmEncoder() = default;

std::unique_ptr<FilmEncoder> FilmEncoder::open(FilmFormat format, int width, int height, int fps,
                                               const std::string& text, std::string& error) {
  error = filmEncoderMissing(format);
  if (!error.empty()) return nullptr;
  if (format == FilmFormat::Folder || width < 1 || height < 1 || width > 65536 || height > 65536 ||
      fps < 1) {
    error = "a film of " + std::to_string(width) + " x " + std::to_string(height) +
            " pixels cannot be encoded";
    return nullptr;
  }
  // The encoders' own chatter stays off the terminal; a failure is reported in one line.
  av_log_set_level(AV_LOG_QUIET);
  const FormatInfo info = infoOf(format);
  auto impl = std::make_unique<Impl>();
  Impl& s = *impl;
  s.format = format;
  s.text = text;
  s.width = width;
  s.height = height;

  const auto failed = [&](const std::string& what, int status) {
    error = what + (status < 0 ? ": " + avError(status) : std::string());
    return nullptr;
  };
  int status = avformat_alloc_output_context2(&s.container, nullptr, info.muxer, nullptr);
  if (status < 0 || !s.container) return failed("cannot prepare a film", status);
  const AVCodec* codec = avcodec_find_encoder_by_name(info.encoder);
  s.stream = avformat_new_stream(s.container, nullptr);
  s.codec = avcodec_alloc_context3(codec);
  s.frame = av_frame_alloc();
  s.packet = av_packet_alloc();
  if (!s.stream || !s.codec || !s.frame || !s.packet)
    return failed("not enough memory for a film", 0);

  AVCodecContext& c = *s.codec;
  c.width = width;
  c.height = height;
  c.pix_fmt = info.pixels;
  c.time_base = AVRational{1, fps};
  c.framerate = AVRational{fps, 1};
  c.gop_size = 2 * fps;
  // The same frames make the same bytes: no version strings, no timing-dependent choices.
  c.flags |= AV_CODEC_FLAG_BITEXACT;
  if (s.container->oformat->flags & AVFMT_GLOBALHEADER) c.flags |= AV_CODEC_FLAG_GLOBAL_HEADER;
  AVDictionary* codecOptions = nullptr;
  if (format == FilmFormat::Mp4) {
    av_dict_set(&codecOptions, "preset", "medium", 0);
    av_dict_set(&codecOptions, "tune", "psnr", 0);
    av_dict_set(&codecOptions, "crf", "12", 0);
  } else if (format == FilmFormat::WebM) {
    c.bit_rate = 0;
    c.thread_count = static_cast<int>(std::max(1u, std::thread::hardware_concurrency()));
    av_dict_set(&codecOptions, "crf", "16", 0);
    av_dict_set(&codecOptions, "deadline", "good", 0);
    av_dict_set(&codecOptions, "cpu-used", "4", 0);
    av_dict_set(&codecOptions, "row-mt", "1", 0);
  }
  status = avcodec_open2(s.codec, codec, &codecOptions);
  av_dict_free(&codecOptions);
  if (status < 0)
    return failed(std::string("the ") + info.encoder + " encoder cannot start", status);
  status = avcodec_parameters_from_context(s.stream->codecpar, s.codec);
  if (status < 0) return failed("cannot prepare a film", status);
  s.stream->time_base = c.time_base;

  constexpr int kBuffer = 1 << 16;
  auto* buffer = static_cast<unsigned char*>(av_malloc(kBuffer));
  s.io = buffer ? avio_alloc_context(buffer, kBuffer, 1, &s, nullptr, &Impl::write, &Impl::seek)
                : nullptr;
  if (!s.io) {
    av_free(buffer);
    return failed("not enough memory for a film", 0);
  }
  s.container->pb = s.io;
  s.container->flags |= AVFMT_FLAG_CUSTOM_IO | AVFMT_FLAG_BITEXACT;
  if (format == FilmFormat::WebM || format == FilmFormat::Mp4)
    av_dict_set(&s.container->metadata, "comment", text.c_str(), 0);
  AVDictionary* muxerOptions = nullptr;
  if (format == FilmFormat::Apng) av_dict_set(&muxerOptions, "plays", "0", 0);  // loop forever
  status = avformat_write_header(s.container, &muxerOptions);
  av_dict_free(&muxerOptions);
  if (status < 0) return failed("cannot start the film", status);

  s.frame->format = c.pix_fmt;
  s.frame->width = c.width;
  s.frame->height = c.height;
  status = av_frame_get_buffer(s.frame, 0);
  if (status < 0) return failed("not enough memory for a film", status);
  if (info.pixels == AV_PIX_FMT_YUV444P) {
    s.scaler =
        sws_getContext(c.width, c.height, AV_PIX_FMT_BGR0, c.width, c.height, AV_PIX_FMT_YUV444P,
                       SWS_BICUBIC | SWS_ACCURATE_RND | SWS_BITEXACT, nullptr, nullptr, nullptr);
    if (!s.scaler) return failed("cannot convert the frames' colours", 0);
  }
  return std::unique_ptr<FilmEncoder>(new FilmEncoder(std::move(impl)));
}

bool FilmEncoder::addFrame(const uint32_t* pixels, int stride, std::string& error) {
  Impl& s = *impl_;
  int status = av_frame_make_writable(s.frame);
  if (status < 0) {
    error = "not enough memory for a film: " + avError(status);
    return false;
  }
  AVFrame& f = *s.frame;
  if (s.format == FilmFormat::Apng) {
    for (int y = 0; y < s.height; ++y) {
      const uint32_t* row = pixels + static_cast<std::ptrdiff_t>(y) * stride;
      uint8_t* out = f.data[0] + static_cast<std::ptrdiff_t>(y) * f.linesize[0];
      for (int x = 0; x < s.width; ++x) {
        *out++ = static_cast<uint8_t>(row[x] >> 16);
        *out++ = static_cast<uint8_t>(row[x] >> 8);
        *out++ = static_cast<uint8_t>(row[x]);
      }
    }
  } else if (s.format == FilmFormat::Gif) {
    const GifFrame gif = gifFrame(pixels, s.width, s.height, stride);
    for (int y = 0; y < s.height; ++y)
      std::memcpy(f.data[0] + static_cast<std::ptrdiff_t>(y) * f.linesize[0],
                  gif.indices.data() + static_cast<std::size_t>(y) * s.width,
                  static_cast<std::size_t>(s.width));
    std::memcpy(f.data[1], gif.palette.data(), sizeof gif.palette);
  } else {
    const uint8_t* source = reinterpret_cast<const uint8_t*>(pixels);
    const int sourceStride = stride * 4;
    sws_scale(s.scaler, &source, &sourceStride, 0, s.height, f.data, f.linesize);
  }
  f.pts = s.next++;
  error = s.encode(s.frame);
  return error.empty();
}

bool FilmEncoder::finish(std::string& bytes, std::string& error) {
  Impl& s = *impl_;
  error = s.encode(nullptr);
  if (!error.empty()) return false;
  const int status = av_write_trailer(s.container);
  if (status < 0) {
    error = "the film cannot be ended: " + avError(status);
    return false;
  }
  avio_flush(s.io);
  if (s.format == FilmFormat::Apng && !addPngText(s.bytes, "Orbisk film", s.text)) {
    error = "the animated PNG has no end to put the film's text before";
    return false;
  }
  if (s.format == FilmFormat::Gif && !addGifComment(s.bytes, s.text)) {
    error = "the GIF has no end to put the film's text before";
    return false;
  }
  bytes = std::move(s.bytes);
  s.bytes.clear();
  return true;
}

}  // namespace orbisk
