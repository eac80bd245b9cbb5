#include "session/PictureRecordText.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <limits>
#include <string>

#include "OrbiskVersion.h"
#include "model/DataFile.h"

namespace orbisk {
namespace {

// A picture with working values at every awkward corner: NaN with a payload, both infinities,
// negative zero, a subnormal float and the 16-bit extremes.
DrawnPicture awkwardPicture() {
  DrawnPicture picture;
  picture.params.eff = 17;
  picture.params.driedkeuze = 31;
  picture.params.inverse = -5;  // stored directly, so any value comes back
  picture.params.detailstep = 4;
  picture.detailstep = 4;
  picture.background = 0x123456;
  picture.scale = 3;
  RenderState& s = picture.startState;
  uint64_t payloadNan = 0x7ff8000000abcdefULL;
  std::memcpy(&s.orbr, &payloadNan, sizeof s.orbr);
  s.orbp = -std::numeric_limits<double>::infinity();
  s.orbq = std::numeric_limits<double>::infinity();
  s.nextp = -0.0;
  s.nextq = 0.1;
  s.det = std::numeric_limits<float>::denorm_min();
  s.halfwidth = std::numeric_limits<float>::quiet_NaN();
  s.colend = -32768;  // Outward with Length x size = -32768 leaves it
  s.endy = 32767;
  s.progspan = -32768;
  return picture;
}

TEST(PictureRecordTextTest, EveryValueComesBackBitForBit) {
  const DrawnPicture picture = awkwardPicture();
  const std::string text = formatPictureRecord(picture);
  std::string error;
  const std::optional<DrawnPicture> back = parsePictureRecord(text, &error);
  ASSERT_TRUE(back) << error;
  // Formatting the parsed picture again gives the same bytes, so every value survived.
  EXPECT_EQ(formatPictureRecord(*back), text);
  EXPECT_EQ(std::memcmp(&back->startState.orbr, &picture.startState.orbr, sizeof(double)), 0);
  EXPECT_TRUE(std::signbit(back->startState.nextp));
  EXPECT_EQ(formatRecord(back->params), formatRecord(picture.params));
  EXPECT_EQ(back->detailstep, 4);
  EXPECT_EQ(back->params.detailstep, 4);
  EXPECT_EQ(back->background, 0x123456u);
  EXPECT_EQ(back->scale, 3);
}

TEST(PictureRecordTextTest, TextStartsWithItsNameAndTheDataFileLine) {
  const std::string text = formatPictureRecord(DrawnPicture{});
  std::string line = formatRecord(PictureParams{});
  line.resize(line.size() - 2);  // the data file's CR LF
  const std::string start = "Orbisk picture record 1\nprogram " ORBISK_VERSION "\nrecord " + line +
                            "\ndetailstep 1\nbackground 0\nscale 1\nstate.colstart 0\n"
                            "state.colend 0\nstate.progspan 0\nstate.col 0000000000000000\n";
  EXPECT_EQ(text.substr(0, start.size()), start);
  EXPECT_NE(text.find("\nstate.spanx 40400000\n"), std::string::npos);  // 3.0f
  EXPECT_EQ(text.back(), '\n');
}

TEST(PictureRecordTextTest, AnEditedRecordIsTakenAsItSays) {
  std::string text = formatPictureRecord(DrawnPicture{});
  const std::string from = "record 110,1,6,2,1,";
  text.replace(text.find(from), from.size(), "record 300,1,6,1,7,");
  const std::optional<DrawnPicture> edited = parsePictureRecord(text, nullptr);
  ASSERT_TRUE(edited);
  EXPECT_EQ(edited->params.size, 300);
  EXPECT_EQ(edited->params.direction, 1);
  EXPECT_EQ(edited->params.eff, 7);
}

TEST(PictureRecordTextTest, DamagedTextsAreRefusedWithAReason) {
  const std::string good = formatPictureRecord(DrawnPicture{});
  const auto replaced = [&](const std::string& from, const std::string& to) {
    std::string text = good;
    const std::size_t at = text.find(from);
    EXPECT_NE(at, std::string::npos) << from;
    if (at != std::string::npos) text.replace(at, from.size(), to);
    return text;
  };
  const std::string damaged[] = {
      "",
      good.substr(0, good.size() - 1),                  // no final line end
      replaced("record 1", "Orbisk picture record 2"),  // another first line
      replaced("Orbisk picture record 1", "Orbisk picture record 2"),
      replaced("\nscale 1\n", "\n"),                                   // optional: still fine below
      replaced("\nbackground 0\n", "\n"),                              // missing line
      replaced("\nbackground 0\n", "\nbackground 0\nbackground 0\n"),  // twice
      replaced("\nbackground 0\n", "\nbackground 16777216\n"),
      replaced("\nbackground 0\n", "\nbackground 00\n"),
      replaced("\nbackground 0\n", "\ncolour 0\n"),  // unknown line
      replaced("\ndetailstep 1\n", "\ndetailstep 2\n"),
      replaced("\nscale 1\n", "\nscale 9\n"),
      replaced("\nstate.N1 110\n", "\nstate.N1 32768\n"),  // beyond 16 bits
      replaced("\nstate.N1 110\n", "\nstate.N1 -0\n"),
      replaced("\nstate.N1 110\n", "\nstate.N1 110\r\n"),
      replaced("\nstate.col 0000000000000000\n", "\nstate.col 000000000000000\n"),
      replaced("\nstate.col 0000000000000000\n", "\nstate.col 000000000000000G\n"),
      replaced("\nstate.col 0000000000000000\n", "\nstate.col 0x00000000000000\n"),
      replaced("record 110,", "record +110,"),  // not as Save data writes it
      replaced("record 110,", "record 0110,"),
      replaced("record 110,", "record 5,"),  // the size bar refuses 5
      replaced("record 110,", "record 110, "),
      replaced(",1001,1001,40", ",1001,1002,40"),  // a reserved field
      replaced(",25,25,0,0\n", ",25,25,0\n"),      // 31 fields
      replaced(",25,25,0,0\n", ",25,25,0,0,0\n"),  // 33 fields
      good + std::string(kMaxPictureRecordChars, '\n'),
  };
  int refused = 0;
  for (const std::string& text : damaged) {
    std::string error;
    if (parsePictureRecord(text, &error)) continue;
    ++refused;
    EXPECT_FALSE(error.empty());
    EXPECT_EQ(error.find('\n'), std::string::npos) << error;
  }
  // All but the record without its optional scale line.
  EXPECT_EQ(refused, static_cast<int>(std::size(damaged)) - 1);
}

// A picture made from others keeps where it came from in an added line; a record without it
// (every older one) is read as before, and a damaged origin line is refused.
TEST(PictureRecordTextTest, TheOriginLineComesBackAndIsOptional) {
  DrawnPicture made;
  made.origin = "variation (more) of 110,1,6: v2 40 to 52";
  const std::string text = formatPictureRecord(made);
  EXPECT_NE(text.find("\nscale 1\norigin variation (more) of 110,1,6: v2 40 to 52\n"),
            std::string::npos);
  const std::optional<DrawnPicture> back = parsePictureRecord(text, nullptr);
  ASSERT_TRUE(back);
  EXPECT_EQ(back->origin, made.origin);
  EXPECT_EQ(formatPictureRecord(*back), text);
  // Drawn from its record alone: the origin changes nothing else.
  EXPECT_EQ(formatPictureRecord(DrawnPicture{}).find("origin"), std::string::npos);
  EXPECT_EQ(parsePictureRecord(formatPictureRecord(DrawnPicture{}), nullptr)->origin, "");

  const std::string line = "\norigin variation (more) of 110,1,6: v2 40 to 52\n";
  const auto with = [&](const std::string& replacement) {
    std::string damaged = text;
    damaged.replace(damaged.find(line), line.size(), replacement);
    return damaged;
  };
  for (const std::string& damaged :
       {with("\norigin \n"), with("\norigin a\tb\n"), with(line + "origin again" + "\n"),
        with("\norigin " + std::string(1025, 'x') + "\n")}) {
    std::string error;
    EXPECT_FALSE(parsePictureRecord(damaged, &error)) << damaged.substr(0, 200);
    EXPECT_EQ(error.find('\n'), std::string::npos) << error;
  }
}

// Carried-over values no run can leave are refused by name: a crafted column range would keep
// a run going for hours. The edges a run can reach are taken.
TEST(PictureRecordTextTest, CarriedOverValuesNoRunCanLeaveAreRefusedByName) {
  struct Case {
    void (*edit)(RenderState&);
    const char* named;  // "" for a state a run can leave
  };
  const Case cases[] = {
      {[](RenderState& s) { s.colstart = -32768, s.colend = 0; }, "state.colstart"},
      {[](RenderState& s) { s.colstart = -5, s.colend = 7; }, "state.colend"},
      {[](RenderState& s) { s.progspan = 40000; }, "state.progspan"},
      {[](RenderState& s) { s.N1 = 9; }, "state.N1"},
      {[](RenderState& s) { s.N2 = 751; }, "state.N2"},
      {[](RenderState& s) { s.catsign2 = 2; }, "state.catsign2"},
      {[](RenderState& s) { s.galshifty = -5; }, "state.galshifty"},
      {[](RenderState& s) { s.spany = 2.5f; }, "state.spany"},
      {[](RenderState& s) { s.iter = 27; }, "state.iter"},
      {[](RenderState& s) { s.itersq = 626; }, "state.itersq"},
      {[](RenderState& s) { s.colstart = 32767, s.colend = 0; },
       ""},  // Inward, Length -151, size 217
      {[](RenderState& s) { s.colstart = 0, s.colend = 32767; }, ""},
      {[](RenderState& s) { s.N1 = 1000, s.N2 = 750, s.iter = 26, s.itersq = 625; }, ""},
  };
  for (const Case& c : cases) {
    DrawnPicture picture;
    c.edit(picture.startState);
    std::string error;
    const bool taken = parsePictureRecord(formatPictureRecord(picture), &error).has_value();
    EXPECT_EQ(taken, *c.named == 0) << c.named << ": " << error;
    if (*c.named) {
      EXPECT_NE(error.find(c.named), std::string::npos) << error;
    }
  }
}

}  // namespace
}  // namespace orbisk
