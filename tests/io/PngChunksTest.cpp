// Finding the record in a PNG from its chunks: every text chunk kind, and every way a file can
// hide, repeat, inflate or break the record. The pictures declare 11585 x 11585 pixels with no
// pixel data behind them: only the chunks are read.
#include "io/PngChunks.h"

#include <gtest/gtest.h>
#include <zlib.h>

#include <QFile>
#include <QTemporaryDir>
#include <string>
#include <vector>

#include "session/PictureRecordText.h"
#include "io/RecordedPicture.h"

namespace orbisk {
namespace {

const std::string kKey = "Orbisk record";

std::string bigEndian(uint32_t value) {
  return {static_cast<char>(value >> 24), static_cast<char>(value >> 16),
          static_cast<char>(value >> 8), static_cast<char>(value)};
}

std::string chunk(const std::string& type, const std::string& data) {
  const std::string body = type + data;
  const auto crc = static_cast<uint32_t>(
      ::crc32(0, reinterpret_cast<const Bytef*>(body.data()), static_cast<uInt>(body.size())));
  return bigEndian(static_cast<uint32_t>(data.size())) + body + bigEndian(crc);
}

std::string compressed(const std::string& text) {
  uLongf size = compressBound(static_cast<uLong>(text.size()));
  std::string out(size, '\0');
  compress(reinterpret_cast<Bytef*>(out.data()), &size, reinterpret_cast<const Bytef*>(text.data()),
           static_cast<uLong>(text.size()));
  out.resize(size);
  return out;
}

std::string tEXt(const std::string& key, const std::string& text) {
  return chunk("tEXt", key + '\0' + text);
}
std::string zTXt(const std::string& key, const std::string& text) {
  return chunk("zTXt", key + '\0' + '\0' + compressed(text));
}
std::string iTXt(const std::string& key, const std::string& text) {
  return chunk("iTXt", key + '\0' + '\1' + '\0' + "en" + '\0' + '\0' + compressed(text));
}

// A PNG holding the given chunks between a header for 11585 x 11585 pixels and the end.
std::string png(const std::string& chunks) {
  const std::string header =
      bigEndian(11585) + bigEndian(11585) + std::string{8, 6, 0, 0, 0};  // 8-bit RGBA
  return std::string("\x89PNG\r\n\x1a\n", 8) + chunk("IHDR", header) + chunks +
         chunk("IDAT", "not decoded") + chunk("IEND", "");
}

TEST(PngChunks, FindsTheRecordOrSaysWhyNot) {
  using Outcome = PngTextRead::Outcome;
  const std::string record = "Orbisk picture record 1\nprogram 4.2\n";
  std::string badCrc = png(tEXt(kKey, record));
  badCrc[badCrc.find(record) + 3] ^= 1;
  // A chunk under the key declaring 100 MB, of which the file holds only the keyword.
  const std::string huge = png("").substr(0, 33) + bigEndian(100'000'000) + "tEXt" + kKey + '\0';
  struct Case {
    const char* what;
    std::string bytes;
    Outcome outcome;
    std::string found;  // the text when Found, else a part of the reason
  };
  const Case cases[] = {
      {"tEXt", png(tEXt("Title", "x") + tEXt(kKey, record)), Outcome::Found, record},
      {"zTXt", png(zTXt(kKey, record)), Outcome::Found, record},
      {"compressed iTXt", png(iTXt(kKey, record)), Outcome::Found, record},
      {"other texts only", png(tEXt("Orbisk recor", "x") + tEXt(kKey + "d", "y")), Outcome::Absent,
       ""},
      {"two records", png(tEXt(kKey, record) + zTXt(kKey, record)), Outcome::Refused, "ambiguous"},
      {"a NUL inside", png(zTXt(kKey, record + '\0' + "rest")), Outcome::Refused, "NUL"},
      {"a long chunk", png(tEXt(kKey, std::string(20000, 'a'))), Outcome::Refused, "too long"},
      {"a chunk inflating beyond the bound", png(zTXt(kKey, std::string(1 << 20, 'a'))),
       Outcome::Refused, "too long"},
      {"a length refused before reading", huge, Outcome::Refused, "too long"},
      {"damaged compression", png(chunk("zTXt", kKey + '\0' + '\0' + "garbage")), Outcome::Refused,
       "damaged"},
      {"a checksum that does not match", badCrc, Outcome::Broken, "checksum"},
      {"cut off", png(tEXt(kKey, record)).substr(0, 60), Outcome::Broken, "cut off"},
      {"no header first", std::string("\x89PNG\r\n\x1a\n", 8) + chunk("IEND", ""), Outcome::Broken,
       "header"},
      {"a BMP", "BM not a PNG at all", Outcome::NotPng, ""},
  };
  for (const Case& c : cases) {
    const PngTextRead read = findPngText(c.bytes, kKey);
    EXPECT_EQ(read.outcome, c.outcome) << c.what << ": " << read.reason;
    if (c.outcome == Outcome::Found)
      EXPECT_EQ(read.text, c.found) << c.what;
    else
      EXPECT_NE(read.reason.find(c.found), std::string::npos) << c.what << ": " << read.reason;
  }
}

// The whole way from a file: a picture too large to decode gives its record all the same.
TEST(PngChunks, APictureTooLargeToDecodeGivesItsRecord) {
  QTemporaryDir folder;
  const std::string text = formatPictureRecord(DrawnPicture{});
  QFile file(folder.filePath("huge.png"));
  ASSERT_TRUE(file.open(QIODevice::WriteOnly));
  const std::string bytes = png(zTXt(kKey, text));
  file.write(bytes.data(), static_cast<qint64>(bytes.size()));
  file.close();
  const RecordedPictureRead read = readRecordedPicture(file.fileName());
  EXPECT_EQ(read.outcome, RecordedPictureRead::Outcome::Recorded) << read.error.toStdString();
  EXPECT_EQ(formatPictureRecord(read.picture), text);
}

}  // namespace
}  // namespace orbisk
