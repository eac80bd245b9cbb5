// The colour-system and shape editors reached through the main window's menus, and the drawing
// mode of the Colours menu.
#include <QLabel>
#include <QPushButton>
#include <QScrollBar>

#include "tests/ui/GuiTestSupport.h"
#include "ui/editors/DriedForm.h"
#include "ui/editors/ShapeDiagrams.h"
#include "ui/editors/XrayForm.h"

namespace orbisk::guitest {
namespace {

using ColoursAndShape = MainFixture;

TEST_F(ColoursAndShape, BothEditorsExistHiddenFromStartUpWithTheStartValues) {
  ASSERT_NE(xray(), nullptr);
  ASSERT_NE(dried(), nullptr);
  EXPECT_TRUE(xray()->isWindow());
  EXPECT_FALSE(xray()->isVisible());
  EXPECT_FALSE(dried()->isVisible());
  EXPECT_EQ(xray()->windowTitle(), "Orbisk - Colour System");
  EXPECT_EQ(dried()->windowTitle(), "Orbisk - Shape");
  EXPECT_EQ(bar(*xray(), "hsbxray")->value(), 2);
  EXPECT_EQ(bar(*dried(), "hsbimage")->value(), 1);
  EXPECT_EQ(bar(*dried(), "glij")->value(), 25);
  EXPECT_EQ(bar(*dried(), "hoogte")->value(), 25);
  EXPECT_FALSE(bar(*dried(), "glij")->isEnabled());
  EXPECT_FALSE(bar(*dried(), "hoogte")->isEnabled());
  EXPECT_EQ(window->params(), PictureParams{});
  EXPECT_EQ(action("truecolor")->shortcut(), QKeySequence(Qt::Key_F12));
}

TEST_F(ColoursAndShape, ColourSystemReachesTheRecordOnlyThroughOk) {
  createAndFinish();
  trigger("truecolor");
  EXPECT_TRUE(xray()->isVisible());
  bar(*xray(), "hsbxray")->setValue(9);
  EXPECT_EQ(labelText(*xray(), "lblxray"), "9");

  // The frame's close button hides the editor and takes nothing over, also for later renders.
  xray()->close();
  EXPECT_FALSE(xray()->isVisible());
  EXPECT_EQ(window->params().xraykleur, 2);
  createAndFinish();
  EXPECT_EQ(window->params().xraykleur, 2);

  // Opening again resets nothing; OK takes the bar over and hides the editor.
  trigger("truecolor");
  trigger("truecolor");
  EXPECT_TRUE(xray()->isVisible());
  EXPECT_EQ(bar(*xray(), "hsbxray")->value(), 9);
  press(*xray(), "okbutton");
  EXPECT_FALSE(xray()->isVisible());
  EXPECT_EQ(window->params().xraykleur, 9);

  trigger("truecolor");
  press(*xray(), "defaultbutton");
  EXPECT_EQ(window->params().xraykleur, 9);
  press(*xray(), "okbutton");
  EXPECT_EQ(window->params().xraykleur, 1);
}

TEST_F(ColoursAndShape, ShapeReachesTheRecordOnlyThroughOk) {
  createAndFinish();
  trigger("shape");
  EXPECT_TRUE(dried()->isVisible());
  bar(*dried(), "hsbimage")->setValue(20);
  EXPECT_EQ(labelText(*dried(), "lblimage"), "20");
  dried()->close();
  EXPECT_FALSE(dried()->isVisible());
  EXPECT_EQ(window->params().driedkeuze, 1);

  trigger("shape");
  EXPECT_EQ(bar(*dried(), "hsbimage")->value(), 20);
  press(*dried(), "okbutton");
  EXPECT_FALSE(dried()->isVisible());
  EXPECT_EQ(window->params().driedkeuze, 20);

  trigger("shape");
  press(*dried(), "defaultbutton");
  EXPECT_EQ(window->params().driedkeuze, 20);
  press(*dried(), "okbutton");
  EXPECT_EQ(window->params().driedkeuze, 1);
}

TEST_F(ColoursAndShape, SlantAndHeightFollowTheShapeFrom15To16To34) {
  createAndFinish();
  trigger("shape");
  QScrollBar* image = bar(*dried(), "hsbimage");
  QScrollBar* glij = bar(*dried(), "glij");
  QScrollBar* hoogte = bar(*dried(), "hoogte");
  image->setValue(15);
  glij->setValue(-50);
  hoogte->setValue(50);
  EXPECT_TRUE(glij->isEnabled());
  EXPECT_EQ(child<SlantDiagram>(*dried(), "slantdiagram")->slant(), -50);
  EXPECT_EQ(child<HeightDiagram>(*dried(), "heightdiagram")->heightValue(), 50);
  image->setValue(16);
  EXPECT_FALSE(glij->isEnabled());
  EXPECT_FALSE(hoogte->isEnabled());
  image->setValue(34);
  EXPECT_TRUE(glij->isEnabled());
  EXPECT_TRUE(hoogte->isEnabled());
  EXPECT_EQ(glij->value(), -50);
  EXPECT_EQ(hoogte->value(), 50);
  EXPECT_EQ(window->params().glij, -50);
  EXPECT_EQ(window->params().hoogte, 50);
  // The preview follows the shape once the editor is shown.
  auto* preview = dried()->findChild<QLabel*>("ImgShow");
  ASSERT_NE(preview, nullptr);
  EXPECT_FALSE(preview->pixmap().isNull());
}

TEST_F(ColoursAndShape, ExitHidesBothEditors) {
  createAndFinish();
  trigger("truecolor");
  trigger("shape");
  dialogs.answerYes = true;
  trigger("exit");
  EXPECT_FALSE(xray()->isVisible());
  EXPECT_FALSE(dried()->isVisible());
}

// ---------------------------------------------------------------------------------------------
// Drawing mode

using DrawingMode = MainFixture;

constexpr uint32_t kPureRed = 0x0000ff;  // red in the low byte
constexpr uint32_t kCyan = 0xffff00;     // its complement: green and blue at 255

TEST_F(DrawingMode, InverseDrawsTheComplementAndRegularRestoresCopy) {
  createAndFinish();
  RasterCanvas& canvas = window->canvas();
  trigger("invertedcolor");
  trigger("invertedcolor");
  EXPECT_EQ(window->params().inverse, 1);
  EXPECT_TRUE(action("invertedcolor")->isChecked());
  EXPECT_FALSE(action("regularcolor")->isChecked());
  canvas.plot(10, 10, kPureRed);
  EXPECT_EQ(canvas.pixel(10, 10), kCyan);

  trigger("regularcolor");
  EXPECT_EQ(window->params().inverse, 0);
  EXPECT_TRUE(action("regularcolor")->isChecked());
  EXPECT_FALSE(action("invertedcolor")->isChecked());
  canvas.plot(20, 20, kPureRed);
  EXPECT_EQ(canvas.pixel(20, 20), kPureRed);
  EXPECT_EQ(canvas.pixel(10, 10), kCyan);  // pixels already drawn keep their colours
}

TEST_F(DrawingMode, InverseDuringARenderInvertsWhatItDrawsFromThenOn) {
  // One window renders in copy mode, another switches to inverse right after the run starts: every
  // pixel the first one drew comes out as its complement in the second, the background stays.
  const std::unique_ptr<MainWindow> other = makeWindow();
  createAndFinish();
  action("createknopp")->trigger();
  finishRun();
  const std::vector<uint32_t> copied = pixelsOf(window->canvas());

  trigger(*other, "createknopp");
  other->renderDriver().runOneTurn();
  finishRun(*other);
  trigger(*other, "createknopp");
  trigger(*other, "invertedcolor");
  EXPECT_EQ(other->canvas().penMode(), PenMode::InvertedCopy);
  finishRun(*other);
  const std::vector<uint32_t> inverted = pixelsOf(other->canvas());

  ASSERT_EQ(copied.size(), inverted.size());
  const uint32_t background = 0xff000000u;  // the canvas's black, as stored
  size_t drawn = 0;
  for (size_t i = 0; i < copied.size(); ++i) {
    if (copied[i] == background && inverted[i] == background) continue;
    ++drawn;
    ASSERT_EQ(inverted[i] & 0xffffffu, ~copied[i] & 0xffffffu) << "pixel " << i;
  }
  EXPECT_GT(drawn, 100u);
}

}  // namespace
}  // namespace orbisk::guitest
