// The frames between keyframes: smooth fields in whole steps with the easing asked for, the
// others switching halfway, the ends exactly the keyframes.
#include <gtest/gtest.h>

#include <vector>

#include "session/FilmPath.h"
#include "session/FilmText.h"
#include "session/PictureRecordText.h"

namespace orbisk {
namespace {

DrawnPicture withV2(int16_t v2, int16_t eff = 1) {
  DrawnPicture picture;
  picture.params.v2 = v2;
  picture.params.eff = eff;
  return picture;
}

FilmPath pathOf(std::vector<DrawnPicture> keys, int frames, FilmEasing easing) {
  FilmPath path;
  path.keyframes = std::move(keys);
  path.frames = frames;
  path.easing = easing;
  return path;
}

TEST(FilmPath, SmoothFieldsStepAndDiscreteOnesSwitchHalfway) {
  struct Case {
    const char* what;
    std::vector<int16_t> keys;  // v2 of each keyframe (eff is 1, 2, 3, ...)
    int frames;
    FilmEasing easing;
    std::vector<int16_t> v2;   // each frame's v2
    std::vector<int16_t> eff;  // each frame's effect
  };
  using enum FilmEasing;
  const Case cases[] = {
      {"linear", {40, 80}, 5, Linear, {40, 50, 60, 70, 80}, {1, 1, 2, 2, 2}},
      {"eased: slow at both ends", {40, 80}, 5, InOut, {40, 46, 60, 74, 80}, {1, 1, 2, 2, 2}},
      {"downwards, halves away from zero", {10, -10}, 4, Linear, {10, 3, -3, -10}, {1, 1, 2, 2}},
      {"two frames are the keyframes", {-900, 900}, 2, InOut, {-900, 900}, {1, 2}},
      {"through a middle keyframe", {40, 80, 0}, 5, Linear, {40, 60, 80, 40, 0}, {1, 2, 2, 3, 3}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    std::vector<DrawnPicture> keys;
    for (std::size_t k = 0; k < c.keys.size(); ++k)
      keys.push_back(withV2(c.keys[k], static_cast<int16_t>(k + 1)));
    const FilmPath path = pathOf(keys, c.frames, c.easing);
    ASSERT_EQ(checkFilmPath(path), "");
    for (int i = 0; i < c.frames; ++i) {
      const DrawnPicture frame = filmFrame(path, i);
      EXPECT_EQ(frame.params.v2, c.v2[static_cast<std::size_t>(i)]) << "frame " << i;
      EXPECT_EQ(frame.params.eff, c.eff[static_cast<std::size_t>(i)]) << "frame " << i;
    }
    EXPECT_EQ(formatPictureRecord(filmFrame(path, 0)), formatPictureRecord(keys.front()));
    EXPECT_EQ(formatPictureRecord(filmFrame(path, c.frames - 1)), formatPictureRecord(keys.back()));
  }
}

TEST(FilmPath, EveryFrameOfALongFilmStaysBetweenItsKeyframes) {
  DrawnPicture from, to;
  from.params.hsbvertical = -750;
  to.params.hsbvertical = 750;
  to.params.kl3ad = 250;
  to.startState.orbr = 0.5;  // working values switch with the discrete fields
  const FilmPath path = pathOf({from, to}, FilmPath::kMaxFrames, FilmEasing::InOut);
  int16_t previous = -751;
  for (int i = 0; i < path.frames; ++i) {
    const DrawnPicture frame = filmFrame(path, i);
    ASSERT_GE(frame.params.hsbvertical, previous) << i;
    ASSERT_LE(frame.params.kl3ad, 250) << i;
    ASSERT_EQ(frame.startState.orbr, 2 * i >= path.frames ? 0.5 : 0.0) << i;
    previous = frame.params.hsbvertical;
  }
  EXPECT_EQ(previous, 750);
}

TEST(FilmPath, PathsThatCannotBeFilmedAreRefused) {
  DrawnPicture thumbnail = withV2(80);
  thumbnail.params.framesize = 2;
  struct Case {
    FilmPath path;
    const char* message;
  };
  const Case cases[] = {
      {pathOf({withV2(40)}, 5, FilmEasing::Linear), "at least two pictures"},
      {pathOf({withV2(40), withV2(40)}, 5, FilmEasing::Linear), "are the same picture"},
      {pathOf({withV2(40), withV2(80), withV2(80)}, 5, FilmEasing::Linear), "pictures 2 and 3"},
      {pathOf({withV2(40), thumbnail}, 5, FilmEasing::Linear), "another frame"},
      {pathOf({withV2(40), withV2(80)}, 1, FilmEasing::Linear), "from 2 to 10000"},
      {pathOf({withV2(40), withV2(80)}, 10001, FilmEasing::Linear), "not 10001"},
  };
  for (const Case& c : cases)
    EXPECT_NE(checkFilmPath(c.path).find(c.message), std::string::npos) << c.message;
}

TEST(FilmText, ReadsWhatItWritesAndRefusesDamage) {
  FilmDescription film;
  film.path = pathOf({withV2(40), withV2(80), withV2(-5)}, 48, FilmEasing::Linear);
  film.fps = 30;
  film.scale = 2;
  const std::string text = formatFilmText(film);
  const auto read = parseFilmText(text, nullptr);
  ASSERT_TRUE(read);
  EXPECT_EQ(formatFilmText(*read), text);

  FilmDescription grow;
  grow.kind = FilmDescription::Kind::Grow;
  grow.path.keyframes = {withV2(7)};
  grow.every = 3;
  const auto grown = parseFilmText(formatFilmText(grow), nullptr);
  ASSERT_TRUE(grown);
  EXPECT_EQ(grown->every, 3);

  const auto replaced = [&](const std::string& from, const std::string& to) {
    std::string damaged = text;
    damaged.replace(damaged.find(from), from.size(), to);
    return damaged;
  };
  struct Case {
    std::string text;
    const char* message;
  };
  const Case cases[] = {
      {replaced("fps 30", "fps 0"), "fps"},
      {replaced("kind path", "kind loop"), "neither path nor grow"},
      {replaced("frames 48\n", ""), "\"frames\" is missing"},
      {replaced("picture 2", "picture 3"), "should be \"picture 2\""},
      {replaced("fps 30\n", "fps 30\nfps 30\n"), "comes twice"},
      {replaced("frames 48\n", "frames 48\nevery 2\n"), "does not belong"},
      {text.substr(0, text.size() - 1), "line end"},
      {replaced("Orbisk film 1", "Orbisk film 2"), "does not start"},
  };
  for (const Case& c : cases) {
    std::string error;
    EXPECT_FALSE(parseFilmText(c.text, &error)) << c.message;
    EXPECT_NE(error.find(c.message), std::string::npos) << c.message << ": " << error;
  }
}

}  // namespace
}  // namespace orbisk
