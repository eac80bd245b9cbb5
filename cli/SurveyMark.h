// The mark a survey of orbisk-render --random leaves in its folder: the lines that tell one
// survey from another (the program's version, the seed, the start). A folder's mark is read
// from a file others may have written, so it is compared, never trusted.
#pragma once

#include <string>
#include <string_view>

namespace orbisk {

// The mark of a survey: the program's version, the seed and the start's record (empty for the
// start-up values), one per line.
std::string surveyMark(unsigned long long seed, const std::string& startRecord);

// "" when the mark found in a folder is the one of this survey; else why the folder is refused,
// as one line without a full stop, naming the other survey's seed when its mark gives one.
std::string markMismatch(std::string_view found, const std::string& mark);

}  // namespace orbisk
