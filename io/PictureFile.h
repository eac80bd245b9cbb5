// Picture files the user names: "Load picture", "Save picture as..." and orbisk-render -o.
#pragma once

#include <QByteArray>
#include <QImage>
#include <QMap>
#include <QSize>
#include <QString>
#include <atomic>

#include "io/RecordMessages.h"  // kMaxPictureFileBytes: pictures larger on disk are refused unread

namespace orbisk {

// Decoding a whole picture may take at most this many megabytes; larger pictures are decoded
// only in the part shown, where the format allows, and refused as too large otherwise.
constexpr int kMaxPictureDecodeMegabytes = 512;

struct PictureRead {
  bool ok = false;
  QImage image;                  // the picture's top-left part, at most shownLimit in size
  QSize fullSize;                // the whole picture's size, from its header
  QString error;                 // one line naming the file and the reason when !ok
  QMap<QString, QString> texts;  // the file's text chunks (PNG tEXt/iTXt), key -> value
};

// Reads a picture (BMP, JPEG, GIF, PNG or any format Qt decodes, told by its content, not its
// name). A file that is not a regular file, too large, cut off, damaged or not a picture gives
// !ok and a message; nothing is decoded then.
PictureRead readPictureFile(const QString& path, QSize shownLimit);

class PendingFile;

// Writes image as "BMP" (24 bits per pixel) or "PNG" with the given text chunks (ignored for
// BMP): encoded straight into a PendingFile (io/PendingFile.h), which replaces the file only once
// the picture is complete. Returns "" or one line naming the file and the reason. cancel, when
// given, is watched while the picture is encoded (a large one takes seconds): once it is set,
// encoding stops and nothing is written.
QString writePictureFile(const QString& path, QImage image, const QByteArray& format,
                         const QMap<QString, QString>& texts = {},
                         const std::atomic<bool>* cancel = nullptr);

// The encoding part of writePictureFile: the picture goes into file, which the caller then puts
// in place (with others of the same command, see commitTogether). Returns "" or one line.
QString encodePictureInto(PendingFile& file, QImage image, const QByteArray& format,
                          const QMap<QString, QString>& texts = {},
                          const std::atomic<bool>* cancel = nullptr);

}  // namespace orbisk
