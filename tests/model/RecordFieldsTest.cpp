#include "model/RecordFields.h"

#include <gtest/gtest.h>

#include <set>
#include <string>

#include "model/DataFile.h"

namespace orbisk {
namespace {

// The table is the only list of the record's fields, so it must cover the record exactly: every
// data-file position once, every control once, every start value inside its range, and a value
// written for a field comes back into that field alone.
TEST(RecordFields, CoverTheRecordAndTheDataFileOnce) {
  std::set<int> positions;
  std::set<Control> controls;
  std::set<std::string> names;
  for (const FieldEntry& entry : recordFields()) {
    SCOPED_TRACE(entry.name);
    EXPECT_TRUE(names.insert(entry.name).second);
    EXPECT_EQ(findField(entry.name), &entry);
    EXPECT_TRUE(entry.accepts(entry.start()));
    EXPECT_EQ(entry.position > 0, entry.loading != Loading::NotInTheFile);
    if (entry.position > 0) {
      EXPECT_TRUE(positions.insert(entry.position).second);
    }
    if (entry.control) {
      EXPECT_TRUE(controls.insert(*entry.control).second);
      EXPECT_EQ(&controlField(*entry.control), &entry);
      EXPECT_STREQ(controlRange(*entry.control).objectName, entry.controlName);
    }

    // A value the control accepts, other than the start value, written and read back.
    PictureParams written;
    written.*entry.member = entry.start() == entry.max ? entry.min : entry.max;
    PictureParams read;
    applyRecord(parseRecord(formatRecord(written)), read);
    if (entry.position > 0) {
      EXPECT_EQ(read, written);
    } else {
      EXPECT_EQ(read, PictureParams{});
    }
  }
  // 32 positions less the four reserved ones (13, 14, 18 and 22); all 23 controls.
  EXPECT_EQ(positions.size(), 28u);
  EXPECT_FALSE(positions.contains(13) || positions.contains(14) || positions.contains(18) ||
               positions.contains(22));
  EXPECT_EQ(controls.size(), static_cast<std::size_t>(kControlCount));
  EXPECT_EQ(findField("nosuchfield"), nullptr);
  EXPECT_EQ(sizeof(PictureParams), kFieldCount * sizeof(int16_t));
}

}  // namespace
}  // namespace orbisk
