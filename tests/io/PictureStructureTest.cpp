// The structure check on the fuzz seeds: small pictures of each kind are complete, the same
// pictures cut off are not, and bytes appended after a complete picture are allowed.
#include "io/PictureStructure.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>

namespace orbisk {
namespace {

namespace fs = std::filesystem;

std::string readAll(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), {}};
}

TEST(PictureStructure, CompletePicturesPassAndCutOnesDoNot) {
  const fs::path corpus = fs::path(ORBISK_TEST_DATA) / ".." / ".." / "fuzz" / "corpus" / "picture";
  int seeds = 0;
  for (const auto& entry : fs::directory_iterator(corpus)) {
    const std::string name = entry.path().filename().string();
    const std::string bytes = readAll(entry.path());
    const bool cut = name.rfind("cut.", 0) == 0;
    EXPECT_EQ(checkPictureStructure(bytes),
              cut ? PictureStructure::Incomplete : PictureStructure::Complete)
        << name;
    if (!cut) {
      EXPECT_EQ(checkPictureStructure(bytes + "trailing"), PictureStructure::Complete) << name;
      EXPECT_EQ(checkPictureStructure(bytes.substr(0, bytes.size() - 1)),
                PictureStructure::Incomplete)
          << name;
    }
    ++seeds;
  }
  EXPECT_GE(seeds, 8);
  EXPECT_EQ(checkPictureStructure("hello"), PictureStructure::NotChecked);
}

}  // namespace
}  // namespace orbisk
