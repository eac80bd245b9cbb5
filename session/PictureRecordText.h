// The text an Orbisk PNG carries under the key "Orbisk record": everything needed to draw the
// picture again exactly.
//
// Lines end with LF; each is a key, one blank and a value:
//
//   Orbisk picture record 1           the first line: what this is, and the format's version
//   program 4.3                       the version of the program that wrote it
//   record 110,1,6,2,...,0            the data-file line "Save data as..." writes (no CR LF)
//   detailstep 1                      1 Detail High, 4 Detail Low
//   background 0                      canvas colour: red + 256 x green + 65536 x blue
//   scale 1                           optional, 1..8: picture size over the frame's canvas size
//   origin variation (more) of ...    optional: where the record came from (DrawnPicture::origin),
//                                     printable ASCII; older records have none
//   state.orbr 3ff0000000000000       one line per working value of the renderer: integers in
//   ...                               decimal, doubles and floats as the hex digits of their
//                                     IEEE bit pattern (16 or 8 digits), so every value, NaN
//                                     and infinities included, comes back bit for bit
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "session/DrawnPicture.h"

namespace orbisk {

// The PNG text key of the record.
inline constexpr const char* kPictureRecordKey = "Orbisk record";
// Longer texts are refused unread; a written record has about 1,500 characters.
inline constexpr std::size_t kMaxPictureRecordChars = 16384;
// A PNG chunk holding the record, compressed or not, is refused unread beyond this length.
inline constexpr std::size_t kMaxPictureRecordChunkBytes = 16384;

std::string formatPictureRecord(const DrawnPicture& picture);

// Reads a record text. Anything but a complete, well-formed record of a known version (a missing,
// repeated or unknown line, a value out of range, a record line that is not exactly what "Save
// data as..." would write for its values) gives nullopt and, when error is given, a one-line
// reason.
std::optional<DrawnPicture> parsePictureRecord(std::string_view text, std::string* error);

}  // namespace orbisk
