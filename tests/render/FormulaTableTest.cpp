// Every formula choice pinned: the table of tools/trace/FormulaTable.h against the stored one.
// Rewrite the table after a deliberate change of a formula with
//   ORBISK_UPDATE_GOLDEN=1 build/tests/orbisk_core_tests --gtest_filter='*FormulaTable*'
#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <map>
#include <string>
#include <vector>

#include "tools/trace/FormulaTable.h"

namespace orbisk {
namespace {

TEST(FormulaTable, EveryChoiceDrawsItsStoredPicture) {
  const std::string path = std::string(ORBISK_TEST_DATA) + "/formula-table.txt";
  const std::vector<std::string> lines = formulaTableLines();
  if (std::getenv("ORBISK_UPDATE_GOLDEN")) {
    std::ofstream out(path, std::ios::binary);
    for (const std::string& l : lines) out << l << '\n';
  }
  // Stored lines by their "selector value" key.
  std::map<std::string, std::string> stored;
  std::ifstream in(path, std::ios::binary);
  for (std::string l; std::getline(in, l);) stored[l.substr(0, l.find(' ', l.find(' ') + 1))] = l;
  ASSERT_FALSE(stored.empty()) << path;
  EXPECT_EQ(stored.size(), lines.size());
  for (const std::string& l : lines) {
    const std::string key = l.substr(0, l.find(' ', l.find(' ') + 1));
    EXPECT_EQ(stored[key], l) << key << " draws another picture";
  }
}

}  // namespace
}  // namespace orbisk
