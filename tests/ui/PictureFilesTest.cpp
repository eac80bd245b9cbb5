// "Load picture", "Save picture as...", Copy and Paste on a real main window, with picture files
// the tests write into a temporary folder.
#include <QBuffer>
#include <QClipboard>
#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QImageWriter>
#include <QProgressBar>
#include <QScrollBar>

#include "tests/ui/GuiTestSupport.h"
#include "ui/main/CanvasView.h"

namespace orbisk::guitest {
namespace {

QSize frameSize(int framesize) {
  switch (framesize) {
    case 2:
      return {117, 90};
    case 3:
      return {948, 651};
    default:
      return {632, 434};
  }
}

const char* frameItem(int framesize) {
  switch (framesize) {
    case 2:
      return "thumbnail";
    case 3:
      return "supermaximum";
    default:
      return "maximum";
  }
}

// A GIF of 128 palette colours whose LZW codes are 8 bits wide: a clear code every 100 pixels
// keeps the code table from ever growing past 8 bits, so every code is one byte.
QByteArray gifOf(int width, int height, QRgb (*colour)(int index), int (*index)(int x, int y)) {
  auto le16 = [](QByteArray& out, int value) {
    out.append(static_cast<char>(value & 0xff));
    out.append(static_cast<char>((value >> 8) & 0xff));
  };
  QByteArray gif("GIF89a");
  le16(gif, width);
  le16(gif, height);
  gif.append(static_cast<char>(0xf6));  // global table of 2^(6+1) colours, 8-bit resolution
  gif.append('\0');                     // background colour index
  gif.append('\0');                     // square pixels
  for (int i = 0; i < 128; ++i) {
    gif.append(static_cast<char>(qRed(colour(i))));
    gif.append(static_cast<char>(qGreen(colour(i))));
    gif.append(static_cast<char>(qBlue(colour(i))));
  }
  gif.append(',');
  le16(gif, 0);
  le16(gif, 0);
  le16(gif, width);
  le16(gif, height);
  gif.append('\0');    // no local table, not interlaced
  gif.append('\x07');  // LZW minimum code size: codes of 8 bits, clear 128, end 129
  QByteArray codes;
  for (int i = 0; i < width * height; ++i) {
    if (i % 100 == 0) codes.append(static_cast<char>(128));
    codes.append(static_cast<char>(index(i % width, i / width)));
  }
  codes.append(static_cast<char>(129));
  for (qsizetype at = 0; at < codes.size(); at += 255) {
    const QByteArray block = codes.mid(at, 255);
    gif.append(static_cast<char>(block.size()));
    gif.append(block);
  }
  gif.append('\0');
  gif.append(';');
  return gif;
}

QRgb gifColour(int i) {
  return qRgb(i * 2, 255 - i * 2, i);
}
int gifIndex(int x, int y) {
  return (x + 3 * y) % 128;
}

// ---------------------------------------------------------------------------------------------
// Load picture: the frame chosen from the picture's size

struct FrameCase {
  int width, height;
  int framesize;  // the frame the picture switches to; 0 keeps the frame
};

void PrintTo(const FrameCase& c, std::ostream* out) {
  *out << c.width << "x" << c.height;
}

// What Load picture must leave alone whatever frame it picks.
struct Untouched {
  int16_t size;
  bool scrollsEnabled, scrollShowChecked, scrollHideChecked;
  int progressWidth, hValue, vValue;

  bool operator==(const Untouched&) const = default;
};

class LoadPictureFrames : public FileFixture, public ::testing::WithParamInterface<FrameCase> {
 protected:
  Untouched untouched() const {
    return {window->params().size,
            menu("scrolls")->menuAction()->isEnabled(),
            action("scrollshow")->isChecked(),
            action("scrollhide")->isChecked(),
            widget<QProgressBar>("PB")->width(),
            widget<QScrollBar>("HScroll1")->value(),
            widget<QScrollBar>("VScroll1")->value()};
  }
};

TEST_P(LoadPictureFrames, PicksTheFrameBySizeAndShowsThePictureFromTheTopLeft) {
  const FrameCase c = GetParam();
  const QImage picture = patternPicture(c.width, c.height);
  const QString path =
      writePicture(QString("p%1x%2.bmp").arg(c.width).arg(c.height), picture, "BMP");
  auto* pct1 = widget<QWidget>("Pct1");
  auto* hbar = widget<QScrollBar>("HScroll1");
  // Each start frame differs from at least one other in every outcome, so "unchanged" and
  // "switched" cannot be mistaken for each other.
  for (const int start : {2, 1, 3}) {
    SCOPED_TRACE(frameItem(start));
    trigger(frameItem(start));
    if (start == 3) {
      hbar->setValue(40);  // scrolled away from the centre
      widget<QScrollBar>("VScroll1")->setValue(30);
    }
    const Untouched before = untouched();
    const QRect geometryBefore = pct1->geometry();
    const bool barsBefore = !hbar->isHidden();

    loadPicture(path);

    EXPECT_TRUE(dialogs.warnings.empty());
    const int expected = c.framesize ? c.framesize : start;
    EXPECT_EQ(window->params().framesize, expected);
    for (int frame : {1, 2, 3}) EXPECT_EQ(action(frameItem(frame))->isChecked(), frame == expected);
    EXPECT_EQ(QSize(window->canvas().width(), window->canvas().height()), frameSize(expected));
    if (c.framesize == 0) {
      EXPECT_EQ(pct1->geometry(), geometryBefore);
      EXPECT_EQ(!hbar->isHidden(), barsBefore);
    } else {
      EXPECT_EQ(pct1->geometry(), QRect(QPoint(0, 0), frameSize(expected)));
      EXPECT_EQ(!hbar->isHidden(), expected == 3);
    }
    EXPECT_TRUE(untouched() == before);

    // The picture at its own size from the top-left corner, the rest in the background colour.
    const QImage canvas = canvasImage();
    const int shownWidth = std::min(c.width, canvas.width());
    const int shownHeight = std::min(c.height, canvas.height());
    EXPECT_EQ(canvas.copy(0, 0, shownWidth, shownHeight),
              topLeft(picture, shownWidth, shownHeight));
    if (shownWidth < canvas.width()) {
      EXPECT_EQ(canvas.pixel(canvas.width() - 1, 0), qRgb(0, 0, 0));
    }
    if (shownHeight < canvas.height()) {
      EXPECT_EQ(canvas.pixel(0, canvas.height() - 1), qRgb(0, 0, 0));
    }
    // The undo copy is the loaded picture as the canvas shows it.
    EXPECT_EQ(window->undoCopy(), canvas);
  }
}

INSTANTIATE_TEST_SUITE_P(Sizes, LoadPictureFrames,
                         ::testing::Values(FrameCase{117, 90, 2}, FrameCase{632, 434, 1},
                                           FrameCase{633, 434, 3}, FrameCase{632, 435, 3},
                                           FrameCase{118, 91, 1}, FrameCase{300, 200, 1},
                                           FrameCase{100, 500, 3}, FrameCase{948, 651, 3},
                                           FrameCase{1000, 700, 3}, FrameCase{100, 80, 0},
                                           FrameCase{117, 91, 0}, FrameCase{118, 90, 0},
                                           FrameCase{632, 90, 0}));

using LoadPicture = FileFixture;

TEST_F(LoadPicture, MaximumCanvasGoesToTheCornerAndCatchesUpAtTheNextScroll) {
  trigger("supermaximum");
  auto* hbar = widget<QScrollBar>("HScroll1");
  auto* pct1 = widget<QWidget>("Pct1");
  loadPicture(writePicture("wide.bmp", patternPicture(700, 100), "BMP"));
  EXPECT_EQ(pct1->pos(), QPoint(0, 0));
  EXPECT_EQ(hbar->value(), 158);
  hbar->setValue(159);
  EXPECT_EQ(pct1->pos(), QPoint(-159, 0));
}

TEST_F(LoadPicture, AsksWithTheOpenDialogAndCancelChangesNothing) {
  const QImage canvas = canvasImage();
  loadPicture(QString());
  ASSERT_EQ(dialogs.fileRequests.size(), 1u);
  EXPECT_FALSE(dialogs.fileRequests[0].save);
  EXPECT_EQ(dialogs.fileRequests[0].request.title, "Open");
  // The four kinds first (PNG, which the program writes, among them), then every picture the
  // command reads and every file.
  EXPECT_EQ(dialogs.fileRequests[0].request.filter,
            "(*.bmp)|*.bmp|(*.jpg)|*.jpg|(*.gif)|*.gif|(*.png)|*.png|"
            "Pictures|*.bmp;*.jpg;*.jpeg;*.gif;*.png;*.BMP;*.JPG;*.JPEG;*.GIF;*.PNG|All files|*");
  EXPECT_EQ(canvasImage(), canvas);
  EXPECT_EQ(window->undoCopy(), canvas);
  EXPECT_TRUE(dialogs.warnings.empty());
}

TEST_F(LoadPicture, ReadsJpegAndGif) {
  trigger("thumbnail");
  const QImage photo = patternPicture(632, 434);
  loadPicture(writePicture("photo.jpg", photo, "JPG"));
  EXPECT_EQ(window->params().framesize, 1);
  // JPEG is lossy: the colours come back close, not equal.
  const QRgb corner = canvasImage().pixel(300, 200);
  EXPECT_NEAR(qRed(corner), qRed(photo.pixel(300, 200)), 24);
  EXPECT_NEAR(qGreen(corner), qGreen(photo.pixel(300, 200)), 24);

  loadPicture(writeFile("small.gif", gifOf(117, 90, gifColour, gifIndex)));
  EXPECT_TRUE(dialogs.warnings.empty());
  EXPECT_EQ(window->params().framesize, 2);
  const QImage canvas = canvasImage();
  ASSERT_EQ(canvas.size(), QSize(117, 90));
  for (const QPoint at : {QPoint(0, 0), QPoint(5, 7), QPoint(116, 89), QPoint(60, 45)}) {
    EXPECT_EQ(canvas.pixel(at), gifColour(gifIndex(at.x(), at.y()))) << at.x() << "," << at.y();
  }
}

TEST_F(LoadPicture, AFileThatCannotBeDecodedWarnsAndChangesNothing) {
  // A loaded picture, then a filter over it: the canvas differs from both the picture and the
  // undo copy, so putting either back would be caught.
  loadPicture(writePicture("good.bmp", patternPicture(300, 200), "BMP"));
  trigger("thumbnail");
  trigger("filterred");
  const QImage canvas = canvasImage();
  const QImage undo = window->undoCopy();
  ASSERT_NE(canvas, undo.copy(0, 0, 117, 90));

  writeFile("broken.bmp", "BM this is no picture at all");
  writeFile("empty.gif", "");
  // Pictures cut off halfway decode with grey or black rows; they are refused like the rest.
  const auto firstHalf = [](const QByteArray& bytes) { return bytes.left(bytes.size() / 2); };
  const auto encoded = [](const QImage& picture, const char* format) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    EXPECT_TRUE(QImageWriter(&buffer, format).write(picture));
    return bytes;
  };
  writeFile("cut.jpg", firstHalf(encoded(patternPicture(300, 200), "jpeg")));
  writeFile("cut.bmp", firstHalf(encoded(patternPicture(300, 200), "bmp")));
  writeFile("cut.gif", firstHalf(gifOf(117, 90, gifColour, gifIndex)));

  int expectedWarnings = 0;
  for (const QString name :
       {"broken.bmp", "empty.gif", "missing.jpg", "cut.jpg", "cut.bmp", "cut.gif"}) {
    SCOPED_TRACE(name.toStdString());
    loadPicture(pathOf(name));
    ASSERT_EQ(dialogs.warnings.size(), static_cast<std::size_t>(++expectedWarnings));
    EXPECT_TRUE(dialogs.warnings.back().text.contains(QDir::toNativeSeparators(pathOf(name))));
    EXPECT_EQ(canvasImage(), canvas);
    EXPECT_EQ(window->undoCopy(), undo);
    EXPECT_EQ(window->params().framesize, 2);
    EXPECT_TRUE(action("thumbnail")->isChecked());
    EXPECT_EQ(widget<QWidget>("Pct1")->geometry(), QRect(0, 0, 117, 90));
  }
}

TEST_F(LoadPicture, ALargePhotoShowsItsTopLeftPartInTheMaximumFrame) {
  // A common camera size, larger than Qt decodes whole by default: only the part the canvas
  // shows is decoded. One colour with a red top-left square keeps the file small.
  QImage photo(8192, 5464, QImage::Format_RGB32);
  photo.fill(qRgb(200, 200, 200));
  for (int y = 0; y < 64; ++y) {
    for (int x = 0; x < 64; ++x) photo.setPixel(x, y, qRgb(255, 0, 0));
  }
  const QString path = writePicture("photo.jpg", photo, "JPG");
  photo = QImage();
  trigger("thumbnail");
  loadPicture(path);
  ASSERT_TRUE(dialogs.warnings.empty()) << dialogs.warnings[0].text.toStdString();
  EXPECT_EQ(window->params().framesize, 3);
  const QImage canvas = canvasImage();
  ASSERT_EQ(canvas.size(), QSize(948, 651));
  EXPECT_GT(qRed(canvas.pixel(10, 10)), 230);
  EXPECT_LT(qGreen(canvas.pixel(10, 10)), 25);
  EXPECT_NEAR(qGreen(canvas.pixel(900, 600)), 200, 8);
  EXPECT_EQ(window->undoCopy(), canvas);
}

// ---------------------------------------------------------------------------------------------
// Save picture as

// The bits per pixel written in a BMP file's header.
int bmpBitsPerPixel(const QString& path) {
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly)) return -1;
  const QByteArray header = file.read(30);
  if (header.size() < 30 || !header.startsWith("BM")) return -1;
  return static_cast<uchar>(header[28]) | (static_cast<uchar>(header[29]) << 8);
}

using SavePicture = FileFixture;

TEST_F(SavePicture, WritesTheWholeCanvasOfEachFrameAs24BitBmpUnderTheGivenName) {
  // A picture filling the largest canvas, so every frame saves distinct content.
  loadPicture(writePicture("source.bmp", patternPicture(948, 651), "BMP"));
  widget<QScrollBar>("HScroll1")->setValue(316);  // the view shows the far corner
  widget<QScrollBar>("VScroll1")->setValue(217);
  for (const int frame : {3, 1, 2}) {
    SCOPED_TRACE(frameItem(frame));
    if (frame != 3) trigger(frameItem(frame));
    const QString path = pathOf(QString("saved%1").arg(frame));  // no extension
    savePicture(path);
    EXPECT_TRUE(dialogs.warnings.empty());
    EXPECT_TRUE(QFile::exists(path));
    EXPECT_FALSE(QFile::exists(path + ".bmp"));
    EXPECT_EQ(bmpBitsPerPixel(path), 24);
    const QImage saved(path, "BMP");
    EXPECT_EQ(saved.size(), frameSize(frame));
    EXPECT_EQ(saved.convertToFormat(QImage::Format_RGB32), canvasImage());
  }
  const ScriptedDialogs::FileRequest& request = dialogs.fileRequests.back();
  EXPECT_TRUE(request.save);
  EXPECT_EQ(request.request.title, "Save picture as...");
  EXPECT_EQ(request.request.filter,
            "(*.bmp)|*.bmp|(*.png)|*.png|Pictures|*.bmp;*.BMP;*.png;*.PNG|All files|*");
  EXPECT_TRUE(request.request.confirmOverwrite);
}

TEST_F(SavePicture, ReplacesAnExistingFileWholeAndLeavesNothingElseBehind) {
  const QString path = writeFile("over.bmp", QByteArray(3000000, 'x'));  // longer than the new file
  savePicture(path);
  EXPECT_TRUE(dialogs.warnings.empty());
  EXPECT_EQ(QImage(path, "BMP").convertToFormat(QImage::Format_RGB32), canvasImage());
  EXPECT_EQ(QDir(folder.path()).entryList(QDir::Files), QStringList({"over.bmp"}));
}

TEST_F(SavePicture, AFileThatCannotBeWrittenWarnsWithItsNameAndReason) {
  ASSERT_TRUE(QDir(folder.path()).mkdir("adir"));
  for (const QString name : {"no/such/folder/picture.bmp", "adir"}) {
    SCOPED_TRACE(name.toStdString());
    dialogs.warnings.clear();
    const QString path = pathOf(name);
    savePicture(path);
    ASSERT_EQ(dialogs.warnings.size(), 1u);
    const QString text = dialogs.warnings[0].text;
    EXPECT_TRUE(text.contains(QDir::toNativeSeparators(path)));
    // Something beyond the name explains why.
    EXPECT_GT(text.size(), QDir::toNativeSeparators(path).size() + 30) << text.toStdString();
  }
  EXPECT_TRUE(QFileInfo(pathOf("adir")).isDir());
  EXPECT_EQ(QDir(folder.path()).entryList(QDir::Files), QStringList());
}

TEST_F(SavePicture, CancelWritesNothing) {
  savePicture(QString());
  EXPECT_EQ(dialogs.fileRequests.size(), 1u);
  EXPECT_TRUE(dialogs.warnings.empty());
  EXPECT_TRUE(QDir(folder.path()).isEmpty());
}

// ---------------------------------------------------------------------------------------------
// Copy and Paste

using Clipboard = FileFixture;

TEST_F(Clipboard, CopyThenPastePutsTheCanvasBackAndLeavesFrameAndUndoCopy) {
  loadPicture(writePicture("picture.bmp", patternPicture(300, 200), "BMP"));
  const QImage copied = canvasImage();
  trigger("copyit");
  EXPECT_EQ(QGuiApplication::clipboard()->image().convertToFormat(QImage::Format_RGB32), copied);

  trigger("filterbluedark");
  const QImage undo = window->undoCopy();
  ASSERT_NE(canvasImage(), copied);
  trigger("pasteit");
  EXPECT_EQ(canvasImage(), copied);
  EXPECT_EQ(window->undoCopy(), undo);
  EXPECT_EQ(window->params().framesize, 1);
}

TEST_F(Clipboard, PasteKeepsTheFrameAndShowsTheTopLeftOfALargerPicture) {
  const QImage picture = patternPicture(300, 200);
  QGuiApplication::clipboard()->setImage(picture);
  trigger("thumbnail");
  const QImage undo = window->undoCopy();
  trigger("pasteit");
  EXPECT_EQ(window->params().framesize, 2);
  EXPECT_EQ(canvasImage(), topLeft(picture, 117, 90));
  EXPECT_EQ(window->undoCopy(), undo);
}

TEST_F(Clipboard, PasteWithoutAPictureChangesNothing) {
  const QImage canvas = canvasImage();
  QGuiApplication::clipboard()->setText("words, not a picture");
  trigger("pasteit");
  EXPECT_EQ(canvasImage(), canvas);
  QGuiApplication::clipboard()->clear();
  trigger("pasteit");
  EXPECT_EQ(canvasImage(), canvas);
}

TEST_F(Clipboard, TransparentPartsOfAPastedPictureShowTheBackgroundColour) {
  dialogs.colourAnswer = QColor(200, 10, 20);
  trigger("background");
  QImage picture(2, 1, QImage::Format_ARGB32);
  picture.setPixel(0, 0, qRgba(0, 255, 0, 0));  // fully transparent
  picture.setPixel(1, 0, qRgba(0, 0, 255, 255));
  QGuiApplication::clipboard()->setImage(picture);
  trigger("pasteit");
  const QImage canvas = canvasImage();
  EXPECT_EQ(canvas.pixel(0, 0), qRgb(200, 10, 20));
  EXPECT_EQ(canvas.pixel(1, 0), qRgb(0, 0, 255));
  EXPECT_EQ(canvas.pixel(2, 0), qRgb(200, 10, 20));
}

}  // namespace
}  // namespace orbisk::guitest
