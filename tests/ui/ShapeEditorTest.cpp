// The shape editor, its diagrams and its previews, driven through the real widgets.
#include <QPixmap>
#include <QPushButton>
#include <set>

#include "model/RecordFields.h"
#include "tests/ui/GuiTestSupport.h"
#include "ui/editors/DriedForm.h"
#include "ui/editors/ShapeDiagrams.h"
#include "ui/editors/ShapePreviews.h"

namespace orbisk::guitest {
namespace {

class DriedFormTest : public EditorFixture<DriedForm> {
 protected:
  QScrollBar* bar(const char* name) { return guitest::bar(form, name); }
  bool previewShown() {
    QLabel* preview = child<QLabel>(form, "ImgShow");
    return preview && !preview->pixmap().isNull();
  }
};

TEST_F(DriedFormTest, FreshStartShowsShape1WithSlantAndHeightDisabledAt25) {
  expectEditorFrame(form, "driedform", "Orbisk - Shape", QSize(292, 243));
  EXPECT_EQ(barValue(form, "hsbimage"), 1);
  EXPECT_EQ(labelText(form, "lblimage"), "1");
  EXPECT_EQ(barValue(form, "glij"), 25);
  EXPECT_EQ(labelText(form, "lblglij"), "25");
  EXPECT_EQ(barValue(form, "hoogte"), 25);
  EXPECT_EQ(labelText(form, "lblhoogte"), "25");
  EXPECT_FALSE(bar("glij")->isEnabled());
  EXPECT_FALSE(bar("hoogte")->isEnabled());
  EXPECT_EQ(barValue(form, "hsbvertical"), 0);
  EXPECT_EQ(labelText(form, "textvertical"), "0");
  EXPECT_EQ(barValue(form, "hsbhorizon"), 0);
  EXPECT_EQ(labelText(form, "texthorizontal"), "0");
  EXPECT_EQ(labelText(form, "captionvertical"), "Down/Up");
  EXPECT_EQ(labelText(form, "captionhorizontal"), "Left/Right");
  EXPECT_EQ(bar("hsbvertical")->singleStep(), 5);
  EXPECT_EQ(bar("hsbhorizon")->pageStep(), 5);
  EXPECT_EQ(bar("hoogte")->orientation(), Qt::Vertical);
  EXPECT_EQ(child<SlantDiagram>(form, "slantdiagram")->slant(), 25);
  EXPECT_EQ(child<HeightDiagram>(form, "heightdiagram")->heightValue(), 25);
  EXPECT_EQ(params, PictureParams{});
}

TEST_F(DriedFormTest, PreviewIsRenderedWhenTheEditorIsShownAndFollowsTheShape) {
  EXPECT_FALSE(previewShown());  // nothing is rendered while the editor stays hidden
  form.show();
  ASSERT_TRUE(previewShown());
  const qint64 first = child<QLabel>(form, "ImgShow")->pixmap().cacheKey();
  form.setControl(Control::hsbimage, 5);
  EXPECT_NE(child<QLabel>(form, "ImgShow")->pixmap().cacheKey(), first);
  EXPECT_EQ(labelText(form, "lblimage"), "5");
}

TEST_F(DriedFormTest, SlantAndHeightAreEnabledOnlyForTheBarShapes) {
  const std::set<int> barShapes = {2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 34, 35};
  for (int shape = 1; shape <= 38; ++shape) {
    ASSERT_TRUE(form.setControl(Control::hsbimage, shape));
    const bool expected = barShapes.count(shape) > 0;
    EXPECT_EQ(bar("glij")->isEnabled(), expected) << shape;
    EXPECT_EQ(bar("hoogte")->isEnabled(), expected) << shape;
    EXPECT_EQ(shapeUsesSlantAndHeight(shape), expected) << shape;
  }
}

TEST_F(DriedFormTest, DisablingKeepsSlantAndHeight) {
  form.setControl(Control::hsbimage, 15);
  form.setControl(Control::glij, -13);
  form.setControl(Control::hoogte, 40);
  form.setControl(Control::hsbimage, 16);
  EXPECT_FALSE(bar("glij")->isEnabled());
  EXPECT_EQ(barValue(form, "glij"), -13);
  EXPECT_EQ(barValue(form, "hoogte"), 40);
  form.setControl(Control::hsbimage, 34);
  EXPECT_TRUE(bar("hoogte")->isEnabled());
  EXPECT_EQ(params.glij, -13);
  EXPECT_EQ(params.hoogte, 40);
  // A disabled bar still takes a value from a data file.
  form.setControl(Control::hsbimage, 1);
  EXPECT_TRUE(form.setControl(Control::glij, 7));
  EXPECT_EQ(params.glij, 7);
}

TEST_F(DriedFormTest, ShapeSettingsReachTheRecordAtOnceAndTheDiagramsFollow) {
  form.setControl(Control::glij, -50);
  form.setControl(Control::hoogte, 1);
  form.setControl(Control::hsbhorizon, 125);
  EXPECT_EQ(params.glij, -50);
  EXPECT_EQ(params.hoogte, 1);
  EXPECT_EQ(params.hsbhorizon, 125);
  EXPECT_EQ(labelText(form, "texthorizontal"), "125");
  EXPECT_EQ(child<SlantDiagram>(form, "slantdiagram")->slant(), -50);
  EXPECT_EQ(child<HeightDiagram>(form, "heightdiagram")->heightValue(), 1);
}

TEST_F(DriedFormTest, DownUpRunsFrom750AtTheLeftTo750UpAtTheRight) {
  QScrollBar* vertical = bar("hsbvertical");
  vertical->triggerAction(QAbstractSlider::SliderToMinimum);  // what the right end holds
  EXPECT_EQ(params.hsbvertical, -750);
  EXPECT_EQ(labelText(form, "textvertical"), "750");
  EXPECT_TRUE(vertical->invertedAppearance());
  form.setControl(Control::hsbvertical, 750);
  EXPECT_EQ(labelText(form, "textvertical"), "-750");
}

// Pixel positions of a bar's arrow buttons, a few pixels in from each end.
QPoint startArrow() {
  return QPoint(3, 3);
}
QPoint endArrow(const QScrollBar* bar) {
  return bar->orientation() == Qt::Horizontal ? QPoint(bar->width() - 3, bar->height() / 2)
                                              : QPoint(bar->width() / 2, bar->height() - 3);
}

TEST_F(DriedFormTest, ArrowsOfTheReversedBarsMoveTheThumbTowardsTheArrowClicked) {
  form.show();
  QScrollBar* height = bar("hoogte");
  form.setControl(Control::hsbimage, 2);  // enables the height bar
  click(height, startArrow());            // top arrow: higher
  EXPECT_EQ(params.hoogte, 26);
  click(height, endArrow(height));
  click(height, endArrow(height));
  EXPECT_EQ(params.hoogte, 24);
  form.setControl(Control::hoogte, 1);  // at the bottom end the top arrow still works
  click(height, startArrow());
  EXPECT_EQ(params.hoogte, 2);
  height->triggerAction(QAbstractSlider::SliderSingleStepAdd);  // the Up key: left as it is
  EXPECT_EQ(params.hoogte, 3);

  QScrollBar* vertical = bar("hsbvertical");
  click(vertical, endArrow(vertical));  // right arrow: towards -750
  EXPECT_EQ(params.hsbvertical, -5);
  EXPECT_EQ(labelText(form, "textvertical"), "5");
  click(vertical, startArrow());
  click(vertical, startArrow());
  EXPECT_EQ(params.hsbvertical, 5);

  QScrollBar* horizon = bar("hsbhorizon");  // an ordinary bar is left as it is
  click(horizon, endArrow(horizon));
  EXPECT_EQ(params.hsbhorizon, 5);
}

TEST_F(DriedFormTest, DefaultResetsEverySettingAndOkTakesTheShapeOver) {
  form.show();
  form.setControl(Control::hsbimage, 20);
  form.setControl(Control::glij, 3);
  form.setControl(Control::hoogte, 3);
  form.setControl(Control::hsbvertical, 300);
  form.setControl(Control::hsbhorizon, -300);
  child<QPushButton>(form, "defaultbutton")->click();
  EXPECT_EQ(params.driedkeuze, 1);
  EXPECT_TRUE(form.isVisible());
  EXPECT_EQ(labelText(form, "lblimage"), "1");
  EXPECT_EQ(params.glij, 25);
  EXPECT_EQ(params.hoogte, 25);
  EXPECT_EQ(params.hsbvertical, 0);
  EXPECT_EQ(params.hsbhorizon, 0);

  form.setControl(Control::hsbimage, 20);
  child<QPushButton>(form, "defaultbutton")->click();
  params.driedkeuze = 20;  // as if a data file had stored shape 20 before
  child<QPushButton>(form, "okbutton")->click();
  EXPECT_EQ(params.driedkeuze, 1);
  EXPECT_FALSE(form.isVisible());
}

TEST_F(DriedFormTest, CloseButtonHidesWithoutTakingTheShapeOver) {
  form.show();
  form.setControl(Control::hsbimage, 30);
  EXPECT_TRUE(form.close());
  EXPECT_FALSE(form.isVisible());
  EXPECT_EQ(params.driedkeuze, 1);
  EXPECT_EQ(barValue(form, "hsbimage"), 30);
}

TEST_F(DriedFormTest, ValuesOutsideARangeAreRefusedAndChangeNothing) {
  for (Control c : {Control::hsbimage, Control::glij, Control::hoogte, Control::hsbvertical,
                    Control::hsbhorizon}) {
    const ControlRange& r = controlRange(c);
    EXPECT_FALSE(form.setControl(c, r.min - 1)) << r.objectName;
    EXPECT_FALSE(form.setControl(c, r.max + 1)) << r.objectName;
    EXPECT_EQ(form.controlValue(c), r.start) << r.objectName;
  }
  EXPECT_FALSE(form.setControl(Control::kl1ad, 3));
  EXPECT_EQ(labelText(form, "lblhoogte"), "25");
  EXPECT_EQ(labelText(form, "textvertical"), "0");
  EXPECT_EQ(params, PictureParams{});
}

TEST(SlantDiagramGeometry, FollowsTheSlantAtBothEndsAndInTheMiddle) {
  const SlantFigure left = slantFigure(-50);
  EXPECT_EQ(left.top, QLineF(100, 25, 150, 25));
  EXPECT_EQ(left.bottom, QLineF(0, 75, 50, 75));
  EXPECT_EQ(left.left, QLineF(100, 25, 0, 75));
  EXPECT_EQ(left.right, QLineF(150, 25, 50, 75));
  EXPECT_EQ(left.red, QLineF(125, 25, 25, 75));

  const SlantFigure square = slantFigure(0);
  EXPECT_EQ(square.top, QLineF(50, 25, 100, 25));
  EXPECT_EQ(square.bottom, QLineF(50, 75, 100, 75));
  EXPECT_EQ(square.left, QLineF(50, 25, 50, 75));
  EXPECT_EQ(square.red, QLineF(75, 25, 75, 75));

  const SlantFigure right = slantFigure(50);
  EXPECT_EQ(right.top, QLineF(0, 25, 50, 25));
  EXPECT_EQ(right.bottom, QLineF(100, 75, 150, 75));
  EXPECT_EQ(right.red, QLineF(25, 25, 125, 75));
  for (int g : {-50, 0, 50}) EXPECT_EQ(slantFigure(g).fixedRed, QLineF(50, 50, 100, 50));
}

TEST(HeightDiagramGeometry, LinesRiseFrom75ByTheHeight) {
  const std::array<QLineF, 3> tall = heightLines(50);
  EXPECT_EQ(tall[0], QLineF(5, 75, 5, 25));
  EXPECT_EQ(tall[1], QLineF(11, 75, 11, 25));
  EXPECT_EQ(tall[2], QLineF(17, 75, 17, 25));
  const std::array<QLineF, 3> low = heightLines(1);
  EXPECT_EQ(low[0], QLineF(5, 75, 5, 74));
  EXPECT_EQ(low[2], QLineF(17, 75, 17, 74));
}

TEST(ShapeDiagrams, PaintTheRedLinesInRedAndTheOthersInTheTitleTextColour) {
  SlantDiagram slant;
  slant.setSlant(0);
  const QImage s = slant.grab().toImage();
  EXPECT_EQ(s.size(), QSize(152, 100));
  EXPECT_EQ(s.pixelColor(60, 50), diagramRed());  // the fixed line
  EXPECT_EQ(s.pixelColor(75, 40), diagramRed());  // the slant line, upright at 0
  EXPECT_EQ(s.pixelColor(60, 25), slant.palette().color(QPalette::HighlightedText));
  EXPECT_NE(s.pixelColor(60, 30), diagramRed());

  HeightDiagram height;
  height.setHeightValue(50);
  const QImage h = height.grab().toImage();
  EXPECT_EQ(h.size(), QSize(24, 100));
  EXPECT_EQ(h.pixelColor(11, 30), diagramRed());
  EXPECT_EQ(h.pixelColor(5, 30), height.palette().color(QPalette::HighlightedText));
  EXPECT_NE(h.pixelColor(5, 20), h.pixelColor(5, 30));  // above the line: background
}

TEST(ShapePreviews, EveryShapeDrawsItsPreviewOnABlackThumbnail) {
  for (int shape = 1; shape <= kShapeCount; ++shape) {
    SCOPED_TRACE(shape);
    const QImage preview = shapePreview(shape);
    ASSERT_FALSE(preview.isNull());
    EXPECT_EQ(preview.size(), QSize(117, 90));
    int lit = 0;
    for (int y = 0; y < preview.height(); ++y)
      for (int x = 0; x < preview.width(); ++x) lit += (preview.pixel(x, y) & 0xffffff) != 0;
    EXPECT_GT(lit, 50);
    EXPECT_LT(lit, 117 * 90);  // the black background shows somewhere
  }
  EXPECT_TRUE(shapePreview(0).isNull());
  EXPECT_TRUE(shapePreview(39).isNull());
}

TEST(ShapePreviews, AreRenderedOnceAndThenTakenFromTheCache) {
  EXPECT_EQ(shapePreview(7).cacheKey(), shapePreview(7).cacheKey());
  EXPECT_EQ(shapePreview(7), renderShapePreview(7));  // a fresh orbit every time
}

}  // namespace
}  // namespace orbisk::guitest
