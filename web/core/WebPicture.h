// What the page does with a picture, in the core: the picture is the text an Orbisk PNG carries
// (io/PictureRecordText.h), handed back and forth whole, so every rule about its values stays
// here and the page only shows them.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace orbisk::web {

struct Answer {
  bool ok = false;
  std::string text;     // the result when ok (a picture's text, JSON, a data-file line)
  std::string message;  // one line: why not, when !ok; a note to show, when ok
};

// The picture of a fresh start: start-up values, Detail High, black, no run before it.
std::string startPicture();

// The page's values of a picture as JSON: {"values": {"position": value, ...}, "offMenu":
// {"position": what it counts as, ...}}, the second for menu values no menu entry shows.
Answer pictureValues(std::string_view picture);

// One sentence per menu value of the picture that is none of its menu's entries, saying what
// it counts as and why; "" when there is none.
std::string offMenuNote(std::string_view picture);

// The picture's values, detail and background with the working values another picture's text
// carries (what a run left): what the next run starts from.
Answer withWorkingValues(std::string_view picture, std::string_view from);

enum class PreviewKind {
  Colours,  // the colour system, its additions and Inverse on a fixed picture of its own
  Shape,    // the shape on the start-up picture, as the desktop's shape previews show it
};

// The small picture a preview draws of a picture: the Thumbnail canvas, black, Detail High,
// a fresh run, and only the values the preview shows taken from the picture.
Answer previewPicture(std::string_view picture, PreviewKind kind);

// The picture with the value at a position of webFields() changed; refused when the field does
// not accept the value, as its editor would not let it through.
Answer setPictureValue(std::string_view picture, int position, int value);

// The picture after Random: the ten draws from seed in place, everything else kept.
Answer randomPicture(std::string_view picture, uint64_t seed);

// "Load data" of the data file at path (a file the page was given, in the module's own file
// system): its record applied to the picture's values; detail, background and carried-over values
// stay. message names the fields that could not be read when the file is short.
Answer loadDataFile(std::string_view picture, const std::string& path);

// The line "Save data" writes, CR LF included.
Answer dataFileLine(std::string_view picture);

// The address fragment of a picture: its record, and detail, background and carried-over values
// only where they differ from a fresh start's.
Answer linkOf(std::string_view picture);

// The picture a fragment names; anything malformed is refused with one line saying what.
Answer pictureOfLink(std::string_view link);

// A picture ready to draw on the page: its own size (scale 1), the rest as given.
Answer pagePicture(std::string_view picture);

}  // namespace orbisk::web
