// Every field of the picture record in one table: its name, where the data file keeps it, the
// range its control accepts, its start-up value, the control that holds it and whether a column
// of a run reads it. The data file, the editors, a loaded record, Random and the recorder of what
// drew the canvas all read this table, so a field is added or changed here only.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <string_view>

#include "model/PictureParams.h"

namespace orbisk {

// The editor controls that hold a record field, each editor's bars together in the order the
// editor places them: the origin editor's, then the colour-system editor's, then the shape
// editor's.
enum class Control {
  // origin editor
  hsbgalaxy,
  hsbsolarsystem,
  hsbworld,
  hsblab,
  hsblevel,
  hsbcat,
  hsbtype,
  hsbeffect,
  hsbv2,
  hsbv3,
  hsbv4,
  hsbsize,
  listv1a,  // values are function numbers 1..11 (list position + 1)
  listv1b,
  // colour-system editor
  hsbxray,
  kl1ad,
  kl2ad,
  kl3ad,
  // shape editor
  hsbimage,
  glij,
  hoogte,
  hsbvertical,
  hsbhorizon,
  count
};

// Every field of the record, in the order a loaded record is applied: data-file order, with the
// shape last so that its editor's other bars are set first.
enum class Field {
  size,
  cat,
  ali,
  direction,
  eff,
  func1,
  func2,
  t1,
  w,
  worldw,
  sols,
  cit,
  v2,
  v3,
  v4,
  xraykleur,
  inverse,
  kl1ad,
  kl2ad,
  kl3ad,
  framesize,
  borderlen,
  widthfac,
  glij,
  hoogte,
  hsbvertical,
  hsbhorizon,
  driedkeuze,
  detailstep,
  showprogress,
  alwaysclear,
  beepon,
  count
};

inline constexpr int kFieldCount = static_cast<int>(Field::count);
inline constexpr int kControlCount = static_cast<int>(Control::count);
// Random draws this many fields.
inline constexpr int kRandomDraws = 10;

// How a loaded value reaches the field.
enum class Loading {
  AsRead,        // the field takes the file's value, whatever its control accepts
  WithinRange,   // the control refuses a value outside min..max and keeps the old one
  NotInTheFile,  // a menu setting the data file does not hold
};

struct FieldEntry {
  Field field;
  const char* name;                // the member's name in PictureParams
  int16_t PictureParams::*member;  // where the record keeps it
  int position;                    // field number in the data file, 1..32; 0 not written
  int16_t min;                     // lowest value its control (or menu) sets
  int16_t max;                     // highest value its control (or menu) sets
  std::optional<Control> control;  // the editor control that holds it; none for a menu setting
  const char* controlName;         // that control's objectName, or nullptr
  int16_t step;                    // the control's arrow and page step
  Loading loading;                 // how a loaded record sets it
  bool columnReads;                // every column of a run reads it again, so a change mid-run
                                   // reaches the picture
  int randomDraw;                  // 1..10: its turn among Random's draws; 0 Random keeps it

  // The value at start-up: the record's own default.
  constexpr int16_t start() const { return PictureParams{}.*member; }
  constexpr bool accepts(int value) const { return value >= min && value <= max; }
};

// The whole table, in Field order.
std::span<const FieldEntry> recordFields();
const FieldEntry& fieldEntry(Field f);
// The field a control holds.
const FieldEntry& controlField(Control c);
// The field of that name, for a front end that names fields in text.
const FieldEntry* findField(std::string_view name);
// Random's fields in the order they are drawn.
const std::array<Field, kRandomDraws>& randomFields();

// A control as the editors build it: its range, start value, step and objectName.
struct ControlRange {
  const char* objectName;  // the widget's objectName
  int16_t min;             // lowest value the control accepts
  int16_t max;             // highest value the control accepts
  int16_t start;           // value the control shows when it is created
  int16_t step;            // arrow and page step
};

ControlRange controlRange(Control c);

inline bool controlAccepts(Control c, int value) {
  return controlField(c).accepts(value);
}

}  // namespace orbisk
