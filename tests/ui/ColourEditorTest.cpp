// The colour-system editor driven through its real widgets, found by objectName.
#include <QPushButton>

#include "model/RecordFields.h"
#include "tests/ui/GuiTestSupport.h"
#include "ui/editors/XrayForm.h"

namespace orbisk::guitest {
namespace {

class XrayFormTest : public EditorFixture<XrayForm> {
 protected:
  void press(const char* button) { guitest::press(form, button); }
  void setAdditions(int red, int green, int blue) {
    ASSERT_TRUE(form.setControl(Control::kl1ad, red));
    ASSERT_TRUE(form.setControl(Control::kl2ad, green));
    ASSERT_TRUE(form.setControl(Control::kl3ad, blue));
  }
};

TEST_F(XrayFormTest, FreshStartShowsTheStartValues) {
  expectEditorFrame(form, "xrayform", "Orbisk - Colour System", QSize(276, 147));
  EXPECT_EQ(barValue(form, "hsbxray"), 2);
  EXPECT_EQ(labelText(form, "lblxray"), "2");
  for (const char* bar : {"kl1ad", "kl2ad", "kl3ad"}) {
    EXPECT_EQ(barValue(form, bar), 0) << bar;
    EXPECT_EQ(child<QScrollBar>(form, bar)->maximum(), 250) << bar;
    EXPECT_FALSE(child<QScrollBar>(form, bar)->hasTracking()) << bar;
  }
  EXPECT_EQ(labelText(form, "lblkl1ad"), "0");
  EXPECT_EQ(labelText(form, "captionxray"), "Colour System");
  EXPECT_EQ(child<QPushButton>(form, "greyscalebutton")->text(), "Greyscale");
  EXPECT_EQ(child<QPushButton>(form, "defaultbutton")->text(), "&Default");
  EXPECT_EQ(child<QPushButton>(form, "okbutton")->text(), "&OK");
  EXPECT_EQ(params, PictureParams{});
}

TEST_F(XrayFormTest, SwatchesShowTheThreeChannelsAt192) {
  form.show();
  const QImage image = form.grab().toImage();
  const struct {
    const char* name;
    QColor colour;
  } swatches[] = {{"swatchred", QColor(192, 0, 0)},
                  {"swatchgreen", QColor(0, 192, 0)},
                  {"swatchblue", QColor(0, 0, 192)}};
  for (const auto& s : swatches) {
    QWidget* swatch = child<QWidget>(form, s.name);
    ASSERT_NE(swatch, nullptr);
    const QPoint centre = swatch->geometry().center();
    EXPECT_EQ(image.pixelColor(centre * image.devicePixelRatio()), s.colour) << s.name;
  }
}

TEST_F(XrayFormTest, ColourSystemReachesTheRecordOnlyOnOk) {
  form.show();
  ASSERT_TRUE(form.setControl(Control::hsbxray, 9));
  EXPECT_EQ(labelText(form, "lblxray"), "9");
  EXPECT_EQ(params.xraykleur, 2);
  press("okbutton");
  EXPECT_EQ(params.xraykleur, 9);
  EXPECT_FALSE(form.isVisible());
}

TEST_F(XrayFormTest, AdditionsReachTheRecordAtOnce) {
  setAdditions(10, 250, 7);
  EXPECT_EQ(params.kl1ad, 10);
  EXPECT_EQ(params.kl2ad, 250);
  EXPECT_EQ(params.kl3ad, 7);
  EXPECT_EQ(labelText(form, "lblkl2ad"), "250");
  EXPECT_EQ(labelText(form, "lblkl3ad"), "7");
}

TEST_F(XrayFormTest, GreyscaleThenOkChoosesSystem7AndKeepsTheAdditions) {
  setAdditions(100, 20, 30);
  press("greyscalebutton");
  EXPECT_EQ(barValue(form, "hsbxray"), 7);
  EXPECT_EQ(params.xraykleur, 2);  // not before OK
  press("okbutton");
  EXPECT_EQ(params.xraykleur, 7);
  EXPECT_EQ(params.kl1ad, 100);
  EXPECT_EQ(params.kl2ad, 20);
  EXPECT_EQ(params.kl3ad, 30);
  EXPECT_EQ(barValue(form, "kl1ad"), 100);
}

TEST_F(XrayFormTest, DefaultThenOkChoosesSystem1AndClearsTheAdditions) {
  setAdditions(100, 20, 30);
  form.setControl(Control::hsbxray, 12);
  press("defaultbutton");
  EXPECT_EQ(labelText(form, "lblxray"), "1");
  EXPECT_EQ(labelText(form, "lblkl1ad"), "0");
  EXPECT_EQ(params.xraykleur, 2);
  press("okbutton");
  EXPECT_EQ(params.xraykleur, 1);
  EXPECT_EQ(params.kl1ad, 0);
  EXPECT_EQ(params.kl2ad, 0);
  EXPECT_EQ(params.kl3ad, 0);
}

TEST_F(XrayFormTest, CloseButtonHidesWithoutTakingTheColourSystemOver) {
  form.show();
  form.setControl(Control::hsbxray, 5);
  form.setControl(Control::kl2ad, 44);
  EXPECT_TRUE(form.close());
  EXPECT_FALSE(form.isVisible());
  EXPECT_EQ(params.xraykleur, 2);
  EXPECT_EQ(barValue(form, "hsbxray"), 5);
  EXPECT_EQ(barValue(form, "kl2ad"), 44);
  form.show();  // reopening resets nothing
  EXPECT_EQ(barValue(form, "hsbxray"), 5);
}

TEST_F(XrayFormTest, ValuesOutsideARangeAreRefusedAndChangeNothing) {
  for (Control c : {Control::hsbxray, Control::kl1ad, Control::kl2ad, Control::kl3ad}) {
    const ControlRange& r = controlRange(c);
    EXPECT_FALSE(form.setControl(c, r.min - 1)) << r.objectName;
    EXPECT_FALSE(form.setControl(c, r.max + 1)) << r.objectName;
    EXPECT_EQ(form.controlValue(c), r.start) << r.objectName;
  }
  EXPECT_FALSE(form.setControl(Control::hsbgalaxy, 3));
  EXPECT_EQ(labelText(form, "lblxray"), "2");
  EXPECT_EQ(labelText(form, "lblkl1ad"), "0");
  EXPECT_EQ(params, PictureParams{});
}

}  // namespace
}  // namespace orbisk::guitest
