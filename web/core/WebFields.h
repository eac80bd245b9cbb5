// The values of a picture as the page shows and edits them: every data-file field an editor or a
// menu holds, plus the detail and the background colour, each with its range or its choices.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace orbisk::web {

// Positions past the data file's 32 fields: the two settings a picture record adds.
constexpr int kDetailPosition = 33;      // 1 Detail High, 4 Detail Low
constexpr int kBackgroundPosition = 34;  // the canvas colour, red + 256 x green + 65536 x blue

struct WebField {
  int position;                    // data-file field number 1..32, or one of the two above
  const char* name;                // the control's objectName, or the menu setting's name
  const char* label;               // what the page calls it
  const char* group;               // the editor or menu that holds it
  int min;                         // lowest value accepted
  int max;                         // highest value accepted
  int start;                       // the value after a fresh start
  int step;                        // arrow step of the editor
  std::vector<int> choices;        // when not empty, the only values accepted
  std::vector<const char*> names;  // the choices' names, in the same order
};

// Every field the page edits, in the order the page shows them.
const std::vector<WebField>& webFields();

// The field at that position, or nullptr.
const WebField* webField(int position);

// "" when the field accepts value, else one line saying what it accepts.
std::string refusal(const WebField& field, int value);

// "" when a menu's field holds one of its choices (or the field is no menu); else what the
// value read counts as and why, e.g. "7: drawn as Regular, as is every frame but 2 and 3".
std::string offMenuMeaning(const WebField& field, int value);

// The table as JSON for the page.
std::string webFieldsJson();

}  // namespace orbisk::web
