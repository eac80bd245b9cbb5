// Bounded renders of the inputs the render fuzzer started from and of the ones it found failing.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "fuzz/BoundedRender.h"
#include "model/DataFile.h"

namespace orbisk {
namespace {

namespace fs = std::filesystem;

std::vector<uint8_t> readBytes(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), {}};
}

fuzz::BoundedRenderResult render(const std::vector<uint8_t>& bytes) {
  return fuzz::renderBounded(bytes.data(), bytes.size());
}

TEST(RenderFuzzRegression, EverySeedOfTheCorpusRendersWithinItsBudget) {
  const fs::path corpus = fs::path(ORBISK_TEST_DATA) / ".." / ".." / "fuzz" / "corpus" / "render";
  int seeds = 0;
  for (const auto& entry : fs::directory_iterator(corpus)) {
    const fuzz::BoundedRenderResult result = render(readBytes(entry.path()));
    EXPECT_EQ(result.problem, "") << entry.path();
    ++seeds;
  }
  EXPECT_GE(seeds, 10);
}

// The harness's own reading of the bytes: every 16-bit value reaches the record, short input
// reads as zeros, and the start-up record renders the whole start-up picture.
TEST(RenderFuzzRegression, StartUpRecordRendersTheWholePicture) {
  const DataRecord start = parseRecord(
      "110,1,6,2,1,3,2,3,11,2,4,13,1001,1001,40,40,48,1001,2,1,0,0,0,0,0,1,1,1,25,25,0,0");
  std::vector<uint8_t> bytes;
  for (int16_t f : start.field) {
    const auto u = static_cast<uint16_t>(f);
    bytes.push_back(static_cast<uint8_t>(u & 0xff));
    bytes.push_back(static_cast<uint8_t>(u >> 8));
  }
  const fuzz::BoundedRenderResult whole = render(bytes);
  EXPECT_EQ(whole.problem, "");
  EXPECT_TRUE(whole.finished[0]);
  EXPECT_EQ(whole.samples[0], 111u * 165u);  // within the budget
  EXPECT_EQ(whole.samples[1], 0u);           // no second record, no second run
}

TEST(RenderFuzzRegression, TheBudgetEndsALongRunAfterTheColumnThatSpentIt) {
  // Size 1000 taken raw, Length 32, Width 43: about two billion samples unbounded.
  std::vector<uint8_t> bytes(fuzz::kSettingsByte + 1, 0);
  const auto put = [&](int field, int16_t value) {
    const auto u = static_cast<uint16_t>(value);
    bytes[2 * (field - 1)] = static_cast<uint8_t>(u & 0xff);
    bytes[2 * (field - 1) + 1] = static_cast<uint8_t>(u >> 8);
  };
  put(1, 1000);
  put(4, 2);
  put(27, 32);
  put(28, 43);
  bytes[fuzz::kSettingsByte] = 0x20;  // editor values raw
  const fuzz::BoundedRenderResult result = render(bytes);
  EXPECT_EQ(result.problem, "");
  EXPECT_FALSE(result.finished[0]);
  EXPECT_EQ(result.samples[0], 64501u);  // one column of 750 x 43 x 2 + 1 rows
}

}  // namespace
}  // namespace orbisk
