// The Colours menu's filters, "Undo filter(s)" and "Background" on a real main window.
#include <QScrollBar>

#include "tests/ui/GuiTestSupport.h"
#include "ui/main/Filters.h"

namespace orbisk::guitest {
namespace {

// Each filter's result on white, on black and on (200, 100, 50), worked out by hand from its
// operation and mask (menu order).
struct FilterCase {
  const char* item;
  QRgb white, black, mixed;
};
const FilterCase kFilterCases[] = {
    {"filterpink", qRgb(255, 0, 255), qRgb(0, 0, 0), qRgb(200, 0, 50)},
    {"filterred", qRgb(255, 0, 0), qRgb(0, 0, 0), qRgb(200, 0, 0)},
    {"filteryellow", qRgb(255, 255, 0), qRgb(0, 0, 0), qRgb(200, 100, 0)},
    {"filtergreen", qRgb(0, 255, 0), qRgb(0, 0, 0), qRgb(0, 100, 0)},
    {"filterbluelight", qRgb(0, 255, 255), qRgb(0, 0, 0), qRgb(0, 100, 50)},
    {"filterbluedark", qRgb(0, 0, 255), qRgb(0, 0, 0), qRgb(0, 0, 50)},
    {"filterpurple", qRgb(127, 127, 255), qRgb(0, 0, 0), qRgb(72, 100, 50)},
    {"filterchange", qRgb(127, 127, 127), qRgb(0, 0, 0), qRgb(72, 100, 50)},
    {"filterlighten", qRgb(255, 255, 255), qRgb(63, 63, 63), qRgb(255, 127, 63)},
    {"filterdarken", qRgb(192, 192, 192), qRgb(0, 0, 0), qRgb(192, 64, 0)},
};

// True when every pixel of the picture has the colour.
bool allPixels(const QImage& picture, QRgb colour) {
  const QImage rgb = picture.convertToFormat(QImage::Format_RGB32);
  for (int y = 0; y < rgb.height(); ++y) {
    const auto* row = reinterpret_cast<const QRgb*>(rgb.constScanLine(y));
    for (int x = 0; x < rgb.width(); ++x) {
      if (row[x] != colour) return false;
    }
  }
  return true;
}

using Filters = FileFixture;

TEST_F(Filters, TableFollowsTheFiltersSubmenu) {
  QStringList names, captions;
  QList<int> separatorsBefore;
  for (QAction* item : menu("filters")->actions()) {
    if (item->isSeparator()) {
      separatorsBefore << static_cast<int>(names.size());
    } else {
      names << item->objectName();
      captions << item->text();
    }
  }
  ASSERT_EQ(names.size(), kFilterCount);
  for (int i = 0; i < kFilterCount; ++i) {
    EXPECT_EQ(names[i], filterTable()[static_cast<std::size_t>(i)].objectName);
    EXPECT_EQ(captions[i], filterTable()[static_cast<std::size_t>(i)].caption);
    EXPECT_EQ(names[i], kFilterCases[i].item);
  }
  EXPECT_EQ(separatorsBefore, QList<int>({7, 8}));  // before "Change colours " and "Lighten"
  EXPECT_EQ(filterAt(-1), nullptr);
  EXPECT_EQ(filterAt(kFilterCount), nullptr);
}

TEST_F(Filters, EachFilterOnWhiteBlackAndMixedPixels) {
  trigger("supermaximum");  // the largest canvas: every pixel of it is filtered
  for (const FilterCase& c : kFilterCases) {
    SCOPED_TRACE(c.item);
    const std::pair<QColor, QRgb> cases[] = {{QColor(255, 255, 255), c.white},
                                             {QColor(0, 0, 0), c.black},
                                             {QColor(200, 100, 50), c.mixed}};
    for (const auto& [colour, expected] : cases) {
      dialogs.colourAnswer = colour;
      trigger("background");
      trigger(c.item);
      EXPECT_TRUE(allPixels(canvasImage(), expected)) << colour.name().toStdString();
      // Every filter combines in a way that a second time changes nothing.
      trigger(c.item);
      EXPECT_TRUE(allPixels(canvasImage(), expected)) << colour.name().toStdString();
    }
  }
}

TEST_F(Filters, TwiceTheSameFilterOnAPictureIsOnce) {
  loadPicture(writePicture("picture.bmp", patternPicture(632, 434), "BMP"));
  for (const FilterCase& c : kFilterCases) {
    SCOPED_TRACE(c.item);
    trigger("undo");
    trigger(c.item);
    const QImage once = canvasImage();
    EXPECT_NE(once, window->undoCopy());
    trigger(c.item);
    EXPECT_EQ(canvasImage(), once);
  }
}

TEST_F(Filters, RedThenGreenLeavesBlack) {
  loadPicture(writePicture("picture.bmp", patternPicture(632, 434), "BMP"));
  trigger("filterred");
  trigger("filtergreen");
  EXPECT_TRUE(allPixels(canvasImage(), qRgb(0, 0, 0)));
}

TEST_F(Filters, PenModeFollowsInverseAfterwards) {
  for (const int16_t inverse : {1, 0}) {
    SCOPED_TRACE(inverse);
    window->params().inverse = inverse;
    // The wrong mode beforehand, so only the filter can have set the right one.
    window->canvas().setPenMode(inverse == 1 ? PenMode::Copy : PenMode::InvertedCopy);
    trigger("filterlighten");
    EXPECT_EQ(window->canvas().penMode(), inverse == 1 ? PenMode::InvertedCopy : PenMode::Copy);
    // The next pixel a render draws comes out inverted, or not, as before the filter.
    window->canvas().plot(10.0f, 10.0f, 0x336699u);
    EXPECT_EQ(window->canvas().pixel(10, 10), inverse == 1 ? 0xcc9966u : 0x336699u);
  }
}

// ---------------------------------------------------------------------------------------------
// Undo filter(s)

TEST_F(Filters, UndoRightAfterStartUpShowsTheStartUpPicture) {
  const QImage startup = canvasImage();
  trigger("filterpink");
  trigger("filterdarken");
  trigger("undo");
  EXPECT_EQ(canvasImage(), startup);
}

TEST_F(Filters, UndoAfterARenderAndTwoFiltersShowsTheRenderedPicture) {
  trigger("thumbnail");  // a small picture, and one that differs from the start-up picture
  createAndFinish();
  const QImage rendered = canvasImage();
  ASSERT_EQ(window->undoCopy(), rendered);
  trigger("filteryellow");
  trigger("filterlighten");
  ASSERT_NE(canvasImage(), rendered);
  trigger("undo");
  EXPECT_EQ(canvasImage(), rendered);
  EXPECT_EQ(window->params().framesize, 2);
}

TEST_F(Filters, UndoAfterLoadPictureAndAFilterShowsTheLoadedPicture) {
  trigger("thumbnail");
  const QImage picture = patternPicture(632, 434);
  loadPicture(writePicture("picture.bmp", picture, "BMP"));
  trigger("filterchange");
  trigger("undo");
  // The whole picture, though the frame was Thumbnail when it was chosen.
  EXPECT_EQ(canvasImage(), topLeft(picture, 632, 434));
}

TEST_F(Filters, UndoOnACanvasLargerThanTheCopyShowsTheBackgroundBeyondIt) {
  const QImage startup = canvasImage();
  trigger("supermaximum");
  trigger("filterred");
  trigger("undo");
  const QImage canvas = canvasImage();
  ASSERT_EQ(canvas.size(), QSize(948, 651));
  EXPECT_EQ(canvas.copy(0, 0, 632, 434), startup);
  EXPECT_TRUE(allPixels(canvas.copy(632, 0, 316, 651), qRgb(0, 0, 0)));
  EXPECT_TRUE(allPixels(canvas.copy(0, 434, 948, 217), qRgb(0, 0, 0)));
}

// ---------------------------------------------------------------------------------------------
// Background

TEST_F(Filters, BackgroundCancelledChangesNothing) {
  trigger("filterpurple");
  const QImage canvas = canvasImage();
  const uint32_t background = window->canvas().backgroundColour();
  dialogs.colourAnswer = std::nullopt;
  trigger("background");
  EXPECT_EQ(dialogs.colourRequests, 1);
  EXPECT_EQ(canvasImage(), canvas);
  EXPECT_EQ(window->canvas().backgroundColour(), background);
}

TEST_F(Filters, BackgroundChosenMakesAPlainField) {
  const QImage undo = window->undoCopy();
  for (const QColor colour : {QColor(0, 0, 0), QColor(10, 20, 30)}) {
    SCOPED_TRACE(colour.name().toStdString());
    dialogs.colourAnswer = colour;
    trigger("background");
    EXPECT_TRUE(allPixels(canvasImage(), colour.rgb()));
    EXPECT_EQ(window->undoCopy(), undo);
  }
  // Red in the low byte, as every canvas colour.
  EXPECT_EQ(window->canvas().backgroundColour(), 0x1e140au);
}

TEST_F(Filters, BackgroundPickerOpensAtTheCurrentColour) {
  dialogs.colourAnswer = QColor(10, 20, 30);
  trigger("background");
  dialogs.colourAnswer = std::nullopt;
  trigger("background");
  EXPECT_EQ(dialogs.colourOpenedAt, QColor(10, 20, 30));
}

}  // namespace
}  // namespace orbisk::guitest
