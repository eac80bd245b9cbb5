// Every formula choice pinned: one small picture for every value of every selector, each kept as
// the number of drawing calls and a 64-bit digest of its trace (tests/golden/formula-table.txt).
// The pictures share the formula text with the loop-versus-one-sample tests, so only stored
// results can notice a wrong sign.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace orbisk {

// FNV-1a, 64 bits.
uint64_t fnv1a(const std::string& text);

// "selector value calls digest record", one line per picture, in the table's order.
std::vector<std::string> formulaTableLines();

}  // namespace orbisk
