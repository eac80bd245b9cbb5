// The information windows: intro, hints and tips, about, and view data.
#include <QAbstractButton>
#include <QApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPointer>
#include <QScreen>

#include <QWindow>
#include <cstdlib>
#include <cstring>
#include <initializer_list>

#if defined(ORBISK_HAVE_XCB) && QT_CONFIG(xcb)
#include <xcb/xcb.h>
#endif

#include "model/DataFile.h"
#include "tests/ui/GuiTestSupport.h"
#include "ui/editors/AboutForm.h"
#include "ui/editors/HintsForm.h"
#include "ui/editors/IntroForm.h"
#include "ui/editors/RenderedPicture.h"
#include "ui/editors/ViewDataForm.h"

namespace orbisk::guitest {
namespace {

void pressKey(QWidget* widget, int key, const QString& text) {
  QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier, text);
  QApplication::sendEvent(widget, &press);
  QKeyEvent release(QEvent::KeyRelease, key, Qt::NoModifier, text);
  QApplication::sendEvent(widget, &release);
}

// A record whose fields 1.. are the given values; the rest hold 0.
DataRecord recordOf(std::initializer_list<int> values) {
  DataRecord record;
  int i = 0;
  for (int value : values) record.field[i++] = static_cast<int16_t>(value);
  record.count = i;
  return record;
}

// The first 28 fields of the parameter set the program starts with.
DataRecord startupRecord() {
  DataRecord record;
  for (int i = 0; i < 28; ++i) record.field[i] = static_cast<int16_t>(kStartupFields[i]);
  record.count = 28;
  return record;
}

// ---------------------------------------------------------------------------------------------
// Intro

struct IntroCloser {
  int key;
  const char* text;
};

class IntroKeys : public ::testing::TestWithParam<IntroCloser> {};

TEST_P(IntroKeys, TypedKeyClosesAndAnnouncesOnce) {
  QPointer<IntroForm> intro = new IntroForm;
  int closedCount = 0;
  QObject::connect(intro, &IntroForm::closed, [&] { ++closedCount; });
  intro->show();
  pressKey(intro, GetParam().key, QString::fromLatin1(GetParam().text));
  EXPECT_EQ(closedCount, 1);
  EXPECT_FALSE(intro && intro->isVisible());
  flushDeletes();
  EXPECT_TRUE(intro.isNull());
}

INSTANTIATE_TEST_SUITE_P(
    Keys, IntroKeys,
    ::testing::Values(IntroCloser{Qt::Key_A, "a"}, IntroCloser{Qt::Key_Space, " "},
                      IntroCloser{Qt::Key_Return, "\r"}, IntroCloser{Qt::Key_Enter, "\r"},
                      IntroCloser{Qt::Key_Escape, "\x1b"}, IntroCloser{Qt::Key_Escape, ""}));

TEST(IntroForm, ClickClosesAndAnnouncesOnce) {
  QPointer<IntroForm> intro = new IntroForm;
  int closedCount = 0;
  bool visibleWhenAnnounced = true;
  QObject::connect(intro, &IntroForm::closed, [&] {
    ++closedCount;
    visibleWhenAnnounced = intro->isVisible();
  });
  intro->show();
  click(intro);
  click(intro);  // a second click before the deletion runs must not announce again
  EXPECT_EQ(closedCount, 1);
  // The modal intro is out of the way before the main window is shown and activated.
  EXPECT_FALSE(visibleWhenAnnounced);
  flushDeletes();
  EXPECT_TRUE(intro.isNull());
}

TEST(IntroForm, KeysThatTypeNothingAreIgnored) {
  QPointer<IntroForm> intro = new IntroForm;
  int closedCount = 0;
  QObject::connect(intro, &IntroForm::closed, [&] { ++closedCount; });
  intro->show();
  pressKey(intro, Qt::Key_Shift, QString());
  pressKey(intro, Qt::Key_Left, QString());
  pressKey(intro, Qt::Key_F1, QString());
  flushDeletes();
  ASSERT_FALSE(intro.isNull());
  EXPECT_TRUE(intro->isVisible());
  EXPECT_EQ(closedCount, 0);
  delete intro;
}

TEST(IntroForm, ClosingFromTheFrameStillLetsTheProgramGoOn) {
  QPointer<IntroForm> intro = new IntroForm;
  int closedCount = 0;
  QObject::connect(intro, &IntroForm::closed, [&] { ++closedCount; });
  intro->show();
  intro->close();
  EXPECT_EQ(closedCount, 1);
  flushDeletes();
  EXPECT_TRUE(intro.isNull());
}

TEST(IntroForm, ShowsARenderedPictureFillingTheWindow) {
  IntroForm intro;
  EXPECT_EQ(intro.objectName(), "introform");
  EXPECT_TRUE(intro.windowTitle().isEmpty());
  EXPECT_EQ(intro.size(), QSize(575, 298));
  EXPECT_EQ(intro.picture().size(), QSize(575, 298));
  EXPECT_FALSE(intro.windowFlags() & Qt::WindowMinimizeButtonHint);
  EXPECT_FALSE(intro.windowFlags() & Qt::WindowMaximizeButtonHint);
}

// Qt hands the window manager the program's name for an empty title; the intro hands it an
// empty one. Offscreen only Qt's side can be seen; on an X server (ORBISK_GUI_TEST_PLATFORM=xcb)
// the test reads what the window manager is given.
TEST(IntroForm, HandsTheWindowManagerNoTitle) {
  IntroForm intro;
  intro.show();
  ASSERT_NE(intro.windowHandle(), nullptr);
  EXPECT_TRUE(intro.windowHandle()->title().isEmpty());
#if defined(ORBISK_HAVE_XCB) && QT_CONFIG(xcb)
  auto* x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
  if (QGuiApplication::platformName() != "xcb" || !x11 || !x11->connection()) return;
  xcb_connection_t* connection = x11->connection();
  auto atom = [connection](const char* name) {
    xcb_intern_atom_reply_t* reply = xcb_intern_atom_reply(
        connection, xcb_intern_atom(connection, 0, static_cast<uint16_t>(strlen(name)), name),
        nullptr);
    xcb_atom_t found = XCB_ATOM_NONE;
    if (reply) found = reply->atom;
    free(reply);
    return found;
  };
  xcb_get_property_reply_t* reply = xcb_get_property_reply(
      connection,
      xcb_get_property(connection, 0, static_cast<xcb_window_t>(intro.winId()),
                       atom("_NET_WM_NAME"), XCB_GET_PROPERTY_TYPE_ANY, 0, 1024),
      nullptr);
  ASSERT_NE(reply, nullptr);
  EXPECT_EQ(xcb_get_property_value_length(reply), 0)
      << QByteArray(static_cast<const char*>(xcb_get_property_value(reply)),
                    xcb_get_property_value_length(reply))
             .toStdString();
  free(reply);
#endif
}

// Every picture of the information windows really comes out of the renderer: none is blank.
TEST(InfoPictures, EachParameterSetDrawsSomething) {
  struct Case {
    const char* name;
    PictureParams params;
    int width, height;
  };
  const Case cases[] = {{"intro", introPictureParams(), 575, 298},
                        {"icon", aboutIconParams(), 48, 48},
                        {"badge", aboutBadgeParams(), 32, 32},
                        {"large", aboutLargePictureParams(), 254, 254}};
  for (const Case& c : cases) {
    const QImage image = renderPicture(c.params, c.width, c.height);
    ASSERT_EQ(image.size(), QSize(c.width, c.height)) << c.name;
    int drawn = 0;
    for (int y = 0; y < image.height(); ++y) {
      for (int x = 0; x < image.width(); ++x) drawn += image.pixel(x, y) != image.pixel(0, 0);
    }
    // A fair part of the picture differs from its corner, so the picture is no empty frame.
    EXPECT_GT(drawn, image.width() * image.height() / 10) << c.name;
  }
}

// ---------------------------------------------------------------------------------------------
// Hints and tips

// The help text, piece by piece, with the blanks that start each piece.
const char* const kHelpText =
    "   1. HOW TO : Click on 'create' (menu) to make a picture.The identity "
    "of a picture is defined by the combination of a galaxy,solar system,"
    "world,lab,level,effect,fuctions (v1a,v1b), variables (v2,v3,v4),category "
    "and type."
    " You can change all these options when you click 'origin' (menu). "
    "Each number represents another formula. There are BILLIONS of possible "
    "combinations!   2. GETTING STARTED : open a dat-file,click 'create' "
    "and change the origin-values to make a different picture. You can "
    "also make a random combination but it will take some more time to "
    "create an interesting picture."
    " When you choose 'quick search' (options-detail-low) only 25% of the "
    "pixels will be generated. A fast way to look for a picture.   3. SHAPE "
    ": Tip:center your picture by using the Up/Down- and Left/Right-buttons. "
    "  4. COLOURS : Tip:when using inverse colours increase the blue/red/green-values. "
    "Although you can change the backgroundcolour in any color you like,"
    "black usually gives the best results."
    " The darkness of a grey picture can be changed with the red-value. "
    "    5. DATA : Tip:Save the pictures as thumbnails if you don't want "
    "to use to much diskspace. Tip:When you save its data you can always "
    "recreate and edit the picture later!"
    "   6. EXTRA : Tip :When you choose 'preferences-clear-use clearbutton' "
    "you can see how the picture changes when you're editing it. You can "
    "also make a collage of different pictures.   7.RANDOM : click RANDOM "
    "a your computer will make a random combination of a galaxy,solar system,"
    "world,lab,level,effect,category,type,V1A and V1B.";

TEST(HintsForm, ShowsTheWholeHelpTextOnceAtEveryOpening) {
  for (int opening = 0; opening < 2; ++opening) {
    QPointer<HintsForm> hints = new HintsForm;
    hints->show();
    EXPECT_EQ(hints->objectName(), "hintsform");
    EXPECT_EQ(hints->windowTitle(), "Orbisk - Hints and tips");
    auto* text = hints->findChild<QPlainTextEdit*>("hintstext");
    ASSERT_NE(text, nullptr);
    EXPECT_EQ(text->toPlainText(), QString::fromLatin1(kHelpText)) << "opening " << opening;
    EXPECT_TRUE(text->isReadOnly());
    EXPECT_EQ(text->verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOn);
    QStringList labels;
    for (auto* label : hints->findChildren<QLabel*>()) labels << label->text();
    EXPECT_TRUE(labels.contains(
        "Orbisk is meant to be a userfriendly program.But maybe these hints and tips can be a "
        "help...."));

    QAbstractButton* close = buttonWithText(hints, "&Close");
    ASSERT_NE(close, nullptr);
    close->click();
    flushDeletes();
    EXPECT_TRUE(hints.isNull());
  }
}

// ---------------------------------------------------------------------------------------------
// About

TEST(AboutForm, IconWidensTheWindowOnceAndKeepsItCentred) {
  QPointer<AboutForm> about = new AboutForm;
  about->show();
  EXPECT_EQ(about->objectName(), "aboutform");
  EXPECT_EQ(about->windowTitle(), "About Orbisk...");
  EXPECT_EQ(about->width(), 229);
  EXPECT_EQ(about->height(), 328);
  auto* large = about->findChild<QLabel*>("largepicture");
  ASSERT_NE(large, nullptr);
  EXPECT_FALSE(large->isVisible());

  auto* icon = about->findChild<QLabel*>("iconpicture");
  ASSERT_NE(icon, nullptr);
  const int screenWidth = about->screen()->geometry().width();
  for (int clickCount = 1; clickCount <= 2; ++clickCount) {
    click(icon);
    EXPECT_EQ(about->frameGeometry().width(), 529) << "after click " << clickCount;
    EXPECT_EQ(about->frameGeometry().x(), (screenWidth - 529) / 2) << "after click " << clickCount;
    EXPECT_EQ(about->height(), 328);
    EXPECT_TRUE(large->isVisible());
    EXPECT_EQ(large->pixmap().size(), QSize(254, 254));
    EXPECT_LE(large->geometry().right(), about->width());
  }

  QAbstractButton* ok = buttonWithText(about, "&OK");
  ASSERT_NE(ok, nullptr);
  ok->click();
  flushDeletes();
  EXPECT_TRUE(about.isNull());
}

// ---------------------------------------------------------------------------------------------
// View data

const char* const kValueLabels[] = {
    "lblgalaxy", "lblv1a",    "lblsolarsystem", "lblv1b",   "lblworld",    "lblv2",
    "lbllab",    "lblv3",     "lbllevel",       "lblv4",    "lblcategory", "lbltype",
    "lbleffect", "lblxray",   "lblkl1",         "lblkl2",   "lblkl3",      "lbldirection",
    "lbldried",  "lbllenght", "lblwidth",       "lblcolor", "lblsize",     "lblthumb"};

TEST(ViewDataForm, FreshWindowHasCaptionsAndEmptyValues) {
  ViewDataForm view;
  EXPECT_EQ(view.objectName(), "viewdataform");
  EXPECT_TRUE(view.windowTitle().isEmpty());
  for (const char* name : kValueLabels) EXPECT_EQ(labelText(view, name), "") << name;
  QStringList captions;
  for (auto* label : view.findChildren<QLabel*>()) captions << label->text();
  for (const char* caption :
       {"Galaxy", "V1A",       "Solar System", "V1B",      "World", "V2",     "Lab",
        "V3",     "Level",     "V4",           "Category", "Type",  "Effect", "Colour Sys.",
        "RGB",    "Direction", "Shape",        "Length",   "Width", "Colour", "Size"}) {
    EXPECT_TRUE(captions.contains(caption)) << caption;
  }
}

TEST(ViewDataForm, StartupRecordInNumbersAndWords) {
  ViewDataForm view;
  view.showRecord(startupRecord(), "start.dat");
  EXPECT_EQ(view.windowTitle(), "start.dat - Orbisk");
  for (const auto& [name, text] : kStartupViewLabels)
    EXPECT_EQ(labelText(view, name), text) << name;
}

TEST(ViewDataForm, SecondRecordReplacesEveryLabelOfTheFirst) {
  // Distinct values everywhere, so a field shown in the wrong label is caught too.
  ViewDataForm view;
  view.showRecord(startupRecord(), "start.dat");
  view.showRecord(recordOf({500,  7,   12, 9,    17, 10, 11, 8, 33,  9,   19,  23, 1001, 1001,
                            -900, 899, -1, 1001, 14, 38, 5,  0, 250, 249, 248, 3,  10,   5}),
                  "all.dat");
  EXPECT_EQ(view.windowTitle(), "all.dat - Orbisk");
  const std::pair<const char*, const char*> expected[] = {
      {"lblsize", "500"},       {"lblcategory", "7"},     {"lblgalaxy", "12"},
      {"lbldirection", "9"},    {"lbleffect", "17"},      {"lblv1a", "int"},
      {"lblv1b", "-int"},       {"lbltype", "8"},         {"lbllevel", "33"},
      {"lblworld", "9"},        {"lblsolarsystem", "19"}, {"lbllab", "23"},
      {"lblv2", "-900"},        {"lblv3", "899"},         {"lblv4", "-1"},
      {"lblxray", "14"},        {"lbldried", "38"},       {"lblcolor", "5"},
      {"lblkl1", "250"},        {"lblkl2", "249"},        {"lblkl3", "248"},
      {"lblthumb", " maximum"}, {"lbllenght", "10"},      {"lblwidth", "5"}};
  for (const auto& [name, text] : expected) EXPECT_EQ(labelText(view, name), text) << name;
}

TEST(ViewDataForm, WordsForEveryFunctionDirectionColourAndFrame) {
  const char* const functions[] = {"none", "sin", "-sin", "cos", "-cos", "tan",
                                   "-tan", "atn", "-atn", "int", "-int"};
  ViewDataForm view;
  for (int f = 1; f <= 11; ++f) {
    DataRecord record = startupRecord();
    record.field[5] = static_cast<int16_t>(f);       // v1a
    record.field[6] = static_cast<int16_t>(12 - f);  // v1b
    view.showRecord(record, "f.dat");
    EXPECT_EQ(labelText(view, "lblv1a"), functions[f - 1]);
    EXPECT_EQ(labelText(view, "lblv1b"), functions[11 - f]);
  }
  DataRecord record = startupRecord();
  record.field[3] = 1;   // direction
  record.field[20] = 1;  // inverse
  record.field[25] = 2;  // frame
  view.showRecord(record, "w.dat");
  EXPECT_EQ(labelText(view, "lbldirection"), "inward");
  EXPECT_EQ(labelText(view, "lblcolor"), "inverted");
  EXPECT_EQ(labelText(view, "lblthumb"), " thumbnail");
}

TEST(ViewDataForm, ValuesWithoutWordsShowNumbersOrKeepWordOnlyLabels) {
  DataRecord odd = startupRecord();
  odd.field[3] = 3;    // direction 3
  odd.field[20] = 2;   // inverse 2
  odd.field[25] = 4;   // frame 4
  odd.field[5] = 0;    // v1a 0
  odd.field[6] = 12;   // v1b 12
  odd.field[0] = 321;  // size

  // In a fresh window the word-only labels stay empty.
  ViewDataForm fresh;
  fresh.showRecord(odd, "odd.dat");
  EXPECT_EQ(labelText(fresh, "lbldirection"), "3");
  EXPECT_EQ(labelText(fresh, "lblcolor"), "2");
  EXPECT_EQ(labelText(fresh, "lblthumb"), "");
  EXPECT_EQ(labelText(fresh, "lblv1a"), "");
  EXPECT_EQ(labelText(fresh, "lblv1b"), "");
  EXPECT_EQ(labelText(fresh, "lblsize"), "321");
  EXPECT_EQ(labelText(fresh, "lblgalaxy"), "6");

  // After another file they keep that file's words while everything else is replaced.
  ViewDataForm reused;
  reused.showRecord(startupRecord(), "start.dat");
  reused.showRecord(odd, "odd.dat");
  EXPECT_EQ(reused.windowTitle(), "odd.dat - Orbisk");
  EXPECT_EQ(labelText(reused, "lblthumb"), " regular");
  EXPECT_EQ(labelText(reused, "lblv1a"), "-sin");
  EXPECT_EQ(labelText(reused, "lblv1b"), "sin");
  EXPECT_EQ(labelText(reused, "lbldirection"), "3");
  EXPECT_EQ(labelText(reused, "lblcolor"), "2");
  EXPECT_EQ(labelText(reused, "lblsize"), "321");
}

TEST(ViewDataForm, OkClosesAndDiscardsTheWindow) {
  QPointer<ViewDataForm> view = new ViewDataForm;
  view->show();
  auto* ok = view->findChild<QAbstractButton*>("Command1");
  ASSERT_NE(ok, nullptr);
  EXPECT_EQ(ok->text(), "&OK");
  ok->click();
  flushDeletes();
  EXPECT_TRUE(view.isNull());
}

}  // namespace
}  // namespace orbisk::guitest
