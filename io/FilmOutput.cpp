#include "io/FilmOutput.h"

namespace orbisk {

bool FilmOutput::open(FilmFormat format, const std::string& path, const FilmDescription& film,
                      int width, int height, std::string& error) {
  text_ = formatFilmText(film);
  if (format == FilmFormat::Folder) {
    folder_ = FilmFolderWriter::open(path, error);
    return folder_ != nullptr;
  }
  if (error = filmEncoderMissing(format); !error.empty()) return false;
  file_ = PendingFile::open(path, error);
  if (!file_) return false;
  encoder_ = FilmEncoder::open(format, width, height, film.fps, text_, error);
  return encoder_ != nullptr;
}

bool FilmOutput::add(const FilmIndexLine& line, const RasterCanvas& canvas,
                     const std::optional<DrawnPicture>& record, std::string& error) {
  if (folder_) return folder_->addFrame(line, canvas, record, error);
  return encoder_->addFrame(canvas.bits(), canvas.width(), error);
}

bool FilmOutput::add(const uint32_t* pixels, int stride, std::string& error) {
  return encoder_->addFrame(pixels, stride, error);
}

bool FilmOutput::finish(std::string& error) {
  if (folder_) return folder_->finish(text_, error);
  std::string bytes;
  if (!encoder_->finish(bytes, error)) return false;
  file_->write(bytes);
  error = commitTogether({file_.get()});
  return error.empty();
}

}  // namespace orbisk
