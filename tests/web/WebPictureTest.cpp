// The page's picture values, links and saved PNG record, natively: what the WebAssembly module
// answers the page, without a browser.
#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "io/PngChunks.h"
#include "io/RedrawPicture.h"
#include "render/random/Breeding.h"
#include "render/random/Variations.h"
#include "session/PictureRecordText.h"
#include "web/core/PngRecordChunk.h"
#include "web/core/WebExplore.h"
#include "web/core/WebFields.h"
#include "web/core/WebPicture.h"

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
        std::string("r=1,2,3"), r + "&", std::string(5000, 'x'),
        r + "&r=" + std::string(3, '\0')}) {
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

TEST(WebPng, TheSavedPictureCarriesTheRecordTheDesktopReads) {
  // The smallest PNG: a header and an end, which is all the chunk writer looks at.
  const std::string png =
      std::string("\x89PNG\r\n\x1a\n", 8) +
      std::string("\0\0\0\x0dIHDR\0\0\0\1\0\0\0\1\x08\x02\0\0\0\x90wS\xde", 25) +
      std::string("\0\0\0\0IEND\xae\x42\x60\x82", 12);
  const Answer saved = pngWithRecord(png, carriedPicture());
  ASSERT_TRUE(saved.ok) << saved.message;
  const PngTextRead read = findPngText(saved.text, kPictureRecordKey);
  ASSERT_EQ(read.outcome, PngTextRead::Outcome::Found) << read.reason;
  EXPECT_EQ(read.text, carriedPicture());
  EXPECT_FALSE(pngWithRecord(png.substr(0, 20), carriedPicture()).ok);
  EXPECT_FALSE(pngWithRecord(png, "not a record").ok);
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
