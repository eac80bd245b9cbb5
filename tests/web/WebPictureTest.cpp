// The page's picture values, links and saved PNG record, natively: what the WebAssembly module
// answers the page, without a browser.
#include <gtest/gtest.h>
#include <zlib.h>

#include <optional>
#include <string>
#include <vector>

#include "io/PngChunks.h"
#include "io/RedrawPicture.h"
#include "render/random/Breeding.h"
#include "render/random/Variations.h"
#include "render/run/WholePicture.h"
#include "session/PictureRecordText.h"
#include "web/core/PngRecordChunk.h"
#include "web/core/WebExplore.h"
#include "web/core/WebFields.h"
#include "web/core/WebPicture.h"
#include "web/core/WebRender.h"

namespace orbisk::web {
namespace {

// A picture that differs from a fresh start in every way a link must carry.
std::string carriedPicture() {
  DrawnPicture drawn;
  drawn.params.size = 320;
  drawn.detailstep = 4;
  drawn.params.detailstep = 4;
  drawn.background = 0x123456;
  drawn.startState.orbr = -0.1;
  drawn.startState.colend = 330;
  drawn.startState.N1 = 330;
  return formatPictureRecord(drawn);
}

TEST(WebLink, CarriesWhatDiffersFromAFreshStartAndComesBackWhole) {
  const Answer fresh = linkOf(startPicture());
  ASSERT_TRUE(fresh.ok);
  EXPECT_EQ(fresh.text,
            "r=110,1,6,2,1,3,2,3,11,2,4,13,1001,1001,40,40,48,1001,2,1,0,0,0,0,0,1,1,1,25,25,0,0");
  for (const std::string& picture : {startPicture(), carriedPicture()}) {
    const Answer link = linkOf(picture);
    ASSERT_TRUE(link.ok);
    const Answer back = pictureOfLink(link.text);
    ASSERT_TRUE(back.ok) << back.message;
    EXPECT_EQ(back.text, picture);
  }
  const Answer carried = linkOf(carriedPicture());
  EXPECT_NE(carried.text.find("&d=4&b=1193046&"), std::string::npos) << carried.text;
  EXPECT_NE(carried.text.find("state.orbr=bfb999999999999a"), std::string::npos);
  EXPECT_EQ(carried.text.find("state.iter"), std::string::npos);  // the same as a fresh start's
}

TEST(WebLink, RefusesMalformedLinksInOneLine) {
  const std::string r = "r=" + linkOf(startPicture()).text.substr(2);
  for (const std::string& link :
       {std::string(), std::string("r"), std::string("d=4"), r + "&" + r, r + "&d=2",
        r + "&program=4.3", r + "&scale=2", r + "&state.nothing=1", r + "&state.N1=5",
        r + "&state.colstart=-5&state.colend=5", r + "&b=16777216", r + "&b=1\n2",
        std::string("r=1,2,3"), r + "&", std::string(5000, 'x'), r + "&r=" + std::string(3, '\0'),
        r + std::string(1, '\0'), r + std::string("\0&d=4", 5),
        r + "&d=4" + std::string(1, '\0')}) {
    const Answer answer = pictureOfLink(link);
    EXPECT_FALSE(answer.ok) << link;
    EXPECT_EQ(answer.message.rfind("This link does not name an Orbisk picture: ", 0), 0u) << link;
    EXPECT_EQ(answer.message.find('\n'), std::string::npos) << link;
  }
}

TEST(WebValues, EachFieldTakesWhatItsEditorTakes) {
  struct Case {
    int position;
    int value;
    bool taken;
  } cases[] = {
      {1, 9, false},
      {1, 10, true},
      {1, 1000, true},
      {1, 1001, false},  // size
      {27, 2, false},
      {27, 10, true},  // length
      {26, 0, false},
      {26, 3, true},  // frame
      {kDetailPosition, 2, false},
      {kDetailPosition, 4, true},
      {kBackgroundPosition, -1, false},
      {kBackgroundPosition, 0xffffff, true},
      {13, 1001, false},  // a reserved field is no value of the page
      {31, -750, true},
      {31, -751, false},
      {1, -0x7fffffff - 1, false},
  };
  for (const Case& c : cases) {
    const Answer answer = setPictureValue(startPicture(), c.position, c.value);
    EXPECT_EQ(answer.ok, c.taken) << c.position << " " << c.value << ": " << answer.message;
    if (!answer.ok) continue;
    const Answer values = pictureValues(answer.text);
    ASSERT_TRUE(values.ok);
    EXPECT_NE(values.text.find("\"" + std::to_string(c.position) + "\":" + std::to_string(c.value)),
              std::string::npos)
        << values.text;
  }
  EXPECT_EQ(setPictureValue(startPicture(), 1, 9).message, "Size must be from 10 to 1000.");
  EXPECT_EQ(setPictureValue(startPicture(), 27, 2).message, "Length must be 1, 3, 5 or 10.");
}

TEST(WebValues, RandomDrawsTheTenValuesAndKeepsTheRest) {
  const std::string start = setPictureValue(startPicture(), 1, 320).text;
  const Answer a = randomPicture(start, 42), b = randomPicture(start, 42);
  ASSERT_TRUE(a.ok);
  EXPECT_EQ(a.text, b.text);
  EXPECT_NE(a.text, start);
  EXPECT_EQ(dataFileLine(a.text).text.substr(0, 4), "320,");
}

// The zlib stream the browser makes of the scanlines.
std::string deflated(const std::string& bytes) {
  uLongf size = compressBound(static_cast<uLong>(bytes.size()));
  std::string out(size, '\0');
  EXPECT_EQ(
      compress(reinterpret_cast<Bytef*>(out.data()), &size,
               reinterpret_cast<const Bytef*>(bytes.data()), static_cast<uLong>(bytes.size())),
      Z_OK);
  out.resize(size);
  return out;
}

TEST(WebPng, TheSavedPictureIsRgbAndCarriesTheRecordOnlyWhenGiven) {
  // Two by two pixels, RGBA as a canvas holds them.
  const std::vector<uint8_t> rgba = {1, 2, 3, 255, 4, 5, 6, 255, 7, 8, 9, 255, 10, 11, 12, 255};
  const std::string lines = pngScanlines(rgba.data(), 2, 2);
  EXPECT_EQ(lines, std::string("\0\1\2\3\4\5\6\0\7\10\11\12\13\14", 14));
  for (const std::string& record : {carriedPicture(), std::string()}) {
    const Answer saved = rgbPng(2, 2, deflated(lines), record);
    ASSERT_TRUE(saved.ok) << saved.message;
    EXPECT_EQ(saved.text.substr(12, 4), "IHDR");
    EXPECT_EQ(saved.text.substr(16, 10), std::string("\0\0\0\2\0\0\0\2\x08\x02", 10));  // RGB
    const PngTextRead read = findPngText(saved.text, kPictureRecordKey);
    if (record.empty()) {
      EXPECT_EQ(read.outcome, PngTextRead::Outcome::Absent);
    } else {
      ASSERT_EQ(read.outcome, PngTextRead::Outcome::Found) << read.reason;
      EXPECT_EQ(read.text, record);
    }
  }
  for (const auto& [width, height] : {std::pair{0, 2}, {2, -1}, {kMaxSavedSide + 1, 1}})
    EXPECT_FALSE(rgbPng(width, height, deflated(lines), {}).ok) << width << " x " << height;
  EXPECT_FALSE(rgbPng(2, 2, deflated(lines), "not a record").ok);
}

// A picture whose record holds values no menu entry shows, as a data file may.
std::string offMenuPicture() {
  DrawnPicture drawn;
  drawn.params.framesize = 7;
  drawn.params.direction = 3;
  drawn.params.borderlen = 7;
  drawn.params.widthfac = 2;
  drawn.params.inverse = -1;
  return formatPictureRecord(drawn);
}

TEST(WebValues, MenuValuesNoEntryShowsSayWhatTheyCountAs) {
  const Answer values = pictureValues(offMenuPicture());
  ASSERT_TRUE(values.ok);
  for (const char* expected : {
           R"("26":"7: drawn as Regular, as is every frame but 2 and 3")",
           R"("4":"3: neither Inward nor Outward, so the run keeps the columns of the run before")",
           R"("27":"X7: 7 times the columns of X1")",
           R"("28":"X2: 2 times the rows of X1")",
           R"("21":"-1: drawn as Off, as is every value but 1")",
       })
    EXPECT_NE(values.text.find(expected), std::string::npos) << expected << " in " << values.text;
  EXPECT_NE(pictureValues(startPicture()).text.find(R"("offMenu":{})"), std::string::npos);
  EXPECT_EQ(offMenuNote(startPicture()), "");
  const std::string note = offMenuNote(offMenuPicture());
  EXPECT_EQ(
      note.rfind("Frame 7: drawn as Regular, as is every frame but 2 and 3. Direction 3: ", 0), 0u)
      << note;
  EXPECT_NE(note.find(" Inverse -1: drawn as Off, as is every value but 1."), std::string::npos)
      << note;
}

TEST(WebValues, TheNextRunKeepsThePanelsValuesWithTheWorkingValuesARunLeft) {
  const std::string panel = setPictureValue(startPicture(), 15, 41).text;  // v2 changed
  const Answer next = withWorkingValues(panel, carriedPicture());
  ASSERT_TRUE(next.ok) << next.message;
  const std::optional<DrawnPicture> got = parsePictureRecord(next.text, nullptr);
  const std::optional<DrawnPicture> carried = parsePictureRecord(carriedPicture(), nullptr);
  ASSERT_TRUE(got && carried);
  EXPECT_EQ(got->params.v2, 41);
  EXPECT_EQ(got->params.size, 110);  // the panel's, not the run's 320
  EXPECT_EQ(
      formatPictureRecord(DrawnPicture{
          got->params, carried->startState, got->background, got->detailstep, got->scale, {}}),
      next.text);
  EXPECT_FALSE(withWorkingValues(panel, "damaged").ok);
}

// The canvas of a picture drawn whole on the page's renderer, with values taken after some
// columns when given.
struct PageRun {
  std::vector<uint8_t> rgba;
  bool exact;
};
PageRun drawOnPage(const std::string& picture, const std::string& changedAfterTen = {}) {
  WebRender render;
  EXPECT_EQ(render.begin(picture), "");
  render.step(10);
  if (!changedAfterTen.empty()) render.takeValues(changedAfterTen);
  while (render.step(50)) {
  }
  const uint8_t* rgba = render.rgba();
  return {std::vector<uint8_t>(rgba, rgba + std::size_t(render.width()) * render.height() * 4),
          render.exact()};
}

TEST(WebRenderValues, ValuesAColumnReadsApplyFromTheNextColumnTheRestWait) {
  const std::string start = setPictureValue(startPicture(), 1, 60).text;  // a quick picture
  const PageRun straight = drawOnPage(start);
  ASSERT_TRUE(straight.exact);
  struct Case {
    int position;
    int value;
    bool reachesTheRun;
  } cases[] = {
      {19, 9, true},               // colour system: read by every column
      {32, 50, true},              // horizontal shift
      {21, 1, true},               // Inverse: the pen mode at once
      {kDetailPosition, 4, true},  // the pen width at once
      {15, 41, false},             // v2: read once at the run's start
      {4, 2, false},               // direction
  };
  for (const Case& c : cases) {
    const Answer changed = setPictureValue(start, c.position, c.value);
    ASSERT_TRUE(changed.ok) << changed.message;
    const PageRun run = drawOnPage(start, changed.text);
    EXPECT_EQ(run.exact, !c.reachesTheRun) << c.position;
    EXPECT_EQ(run.rgba != straight.rgba, c.reachesTheRun) << c.position;
  }
}

TEST(WebPreview, TheShapePreviewIsTheDesktopsAndTheColourPreviewShowsOnlyTheColours) {
  // The desktop's shape preview: the start-up picture at size 40 through the shape, on a black
  // Thumbnail canvas.
  const auto desktopPreview = [](int shape) {
    PictureOrder order;
    order.params.driedkeuze = static_cast<int16_t>(shape);
    order.params.size = 40;
    order.canvas = canvasFor(order.params);
    order.canvas.width = 117;
    order.canvas.height = 90;
    RasterCanvas canvas(0, 0);
    renderWholePicture(order, canvas);
    std::vector<uint8_t> rgba;
    for (int i = 0; i < canvas.width() * canvas.height(); ++i)
      for (int shift : {16, 8, 0, 24}) rgba.push_back(uint8_t(canvas.bits()[i] >> shift));
    return rgba;
  };
  // Values a preview does not show change nothing in it.
  std::string busy = carriedPicture();
  for (const auto& [position, value] : {std::pair{5, 11}, {26, 3}, {kBackgroundPosition, 255}})
    busy = setPictureValue(busy, position, value).text;
  for (int shape : {1, 5, 20, 32, 38}) {
    const Answer preview =
        previewPicture(setPictureValue(busy, 20, shape).text, PreviewKind::Shape);
    ASSERT_TRUE(preview.ok) << preview.message;
    EXPECT_EQ(drawOnPage(preview.text).rgba, desktopPreview(shape)) << shape;
  }
  const std::string colours = previewPicture(busy, PreviewKind::Colours).text;
  for (const auto& [position, value] : {std::pair{20, 7}, {1, 500}, {15, 60}})
    EXPECT_EQ(
        previewPicture(setPictureValue(busy, position, value).text, PreviewKind::Colours).text,
        colours)
        << position;
  for (const auto& [position, value] : {std::pair{19, 9}, {23, 100}, {21, 1}})
    EXPECT_NE(
        previewPicture(setPictureValue(busy, position, value).text, PreviewKind::Colours).text,
        colours)
        << position;
}

// The page's variations and children are the desktop's: the same core, seed and pictures, each
// carrying where it came from.
TEST(WebExplore, OffersWhatTheDesktopOffersWithTheirOrigin) {
  const std::string picture = carriedPicture();
  DrawnPicture other;
  other.params.xraykleur = 7;
  other.params.func1 = 9;
  const PictureOrder parent = orderToRedraw(*parsePictureRecord(picture, nullptr));
  const struct {
    std::string other;
    std::vector<Offspring> expected;
    const char* origin;  // how each cell's origin starts
  } cases[] = {
      {"", chooseVariations(parent, 5, VariationStep::Lot, 4), "variation (lot) of 320,"},
      {formatPictureRecord(other), chooseChildren(parent, other.params, 5, 4), "child of 320,"},
  };
  for (const auto& c : cases) {
    const Answer answer = exploreOffspring(picture, c.other, 2, 5, 4);
    ASSERT_TRUE(answer.ok) << answer.message;
    // Each expected picture's record is in its cell, in the same order.
    std::size_t at = 0;
    for (const Offspring& expected : c.expected) {
      const std::size_t found = answer.text.find("record " + recordText(expected.order.params), at);
      ASSERT_NE(found, std::string::npos) << expected.change;
      at = found + 1;
    }
    EXPECT_NE(answer.text.find(std::string("origin ") + c.origin), std::string::npos);
  }
  EXPECT_FALSE(exploreOffspring("damaged", "", 1, 5, 4).ok);
  EXPECT_FALSE(exploreOffspring(picture, "damaged", 1, 5, 4).ok);
}

}  // namespace
}  // namespace orbisk::web
