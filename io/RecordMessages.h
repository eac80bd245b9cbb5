// What the program says about a picture file and the record it carries, in plain C++, so that
// the desktop program, orbisk-render and the page say the same words.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace orbisk {

// The largest picture file read; beyond it the file is refused before any byte is decoded.
constexpr std::size_t kMaxPictureFileBytes = std::size_t{512} << 20;

// shown is the file's name as a message shows it, quoted and made safe (quotedName in
// io/ShownText.h).
inline std::string unreadablePictureMessage(std::string_view shown) {
  return "Cannot read " + std::string(shown) +
         ": it is not a picture that can be read, or its data is damaged or incomplete.";
}

inline std::string damagedRecordMessage(std::string_view shown, std::string_view reason) {
  return "The Orbisk record of " + std::string(shown) + " is damaged: " + std::string(reason) + ".";
}

inline std::string noRecordMessage(std::string_view shown) {
  return "The picture " + std::string(shown) + " carries no Orbisk record.";
}

}  // namespace orbisk
