// What a message shows of a name: one line, no terminal commands, no reordered text.
#include "io/ShownText.h"

#include <gtest/gtest.h>

namespace orbisk {
namespace {

TEST(ShownText, ControlsBidiAndStrayBytesAreSpeltOutTheRestKept) {
  const struct {
    std::string text;
    std::string shown;
  } cases[] = {
      {"plain name.png", "plain name.png"},
      {"a\nb\tc\rd", "a\\nb\\tc\\rd"},
      {"\x1b[31mRED\x7f", "\\x1b[31mRED\\x7f"},
      {"caf\xc3\xa9 \xe2\x82\xac \xf0\x9f\x8c\x80", "caf\xc3\xa9 \xe2\x82\xac \xf0\x9f\x8c\x80"},
      {"\xc2\x85\xc2\x9b", "\\u0085\\u009b"},                             // C1 controls
      {"x\xe2\x80\xaey", "x\\u202ey"},                                    // right-to-left override
      {"\xe2\x80\xaa\xe2\x81\xa6\xe2\x81\xa9", "\\u202a\\u2066\\u2069"},  // embedding, isolates
      {"\xff\xc3", "\\xff\\xc3"},                                         // not UTF-8, cut sequence
      {"\xc0\xaf\xed\xa0\x80", "\\xc0\\xaf\\xed\\xa0\\x80"},              // overlong, surrogate
      {std::string("a\0b", 3), "a\\x00b"},
  };
  for (const auto& c : cases) EXPECT_EQ(shownText(c.text), c.shown) << c.shown;
}

}  // namespace
}  // namespace orbisk
