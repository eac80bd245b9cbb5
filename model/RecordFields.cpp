#include "model/RecordFields.h"

#include <algorithm>

namespace orbisk {

namespace {

using P = PictureParams;
using enum Loading;
constexpr bool kColumn = true;  // a column reads it
constexpr bool kRun = false;    // read once when a run starts, or not by the renderer at all

// One field per line, read as a table: name, member, data-file position, range, control,
// step, loading, read by every column, turn among Random's draws.
// clang-format off
constexpr std::array<FieldEntry, kFieldCount> kFields = {{
  {Field::size,         "size",         &P::size,         1,  10, 1000, Control::hsbsize,        "hsbsize",        1, WithinRange,  kColumn, 0},
  {Field::cat,          "cat",          &P::cat,          2,   1,   10, Control::hsbcat,         "hsbcat",         1, AsRead,       kRun,    1},
  {Field::ali,          "ali",          &P::ali,          3,   1,   14, Control::hsbgalaxy,      "hsbgalaxy",      1, AsRead,       kRun,    2},
  {Field::direction,    "direction",    &P::direction,    4,   1,    2, std::nullopt,            nullptr,          1, AsRead,       kRun,    0},
  {Field::eff,          "eff",          &P::eff,          5,   1,   20, Control::hsbeffect,      "hsbeffect",      1, AsRead,       kColumn, 3},
  {Field::func1,        "func1",        &P::func1,        6,   1,   11, Control::listv1a,        "listv1a",        1, WithinRange,  kColumn, 4},
  {Field::func2,        "func2",        &P::func2,        7,   1,   11, Control::listv1b,        "listv1b",        1, WithinRange,  kColumn, 5},
  {Field::t1,           "t1",           &P::t1,           8,   1,    8, Control::hsbtype,        "hsbtype",        1, AsRead,       kColumn, 6},
  {Field::w,            "w",            &P::w,            9,   1,   35, Control::hsblevel,       "hsblevel",       1, AsRead,       kColumn, 7},
  {Field::worldw,       "worldw",       &P::worldw,      10,   1,   10, Control::hsbworld,       "hsbworld",       1, WithinRange,  kColumn, 8},
  {Field::sols,         "sols",         &P::sols,        11,   1,   20, Control::hsbsolarsystem, "hsbsolarsystem", 1, AsRead,       kColumn, 9},
  {Field::cit,          "cit",          &P::cit,         12,   1,   24, Control::hsblab,         "hsblab",         1, AsRead,       kColumn, 10},
  {Field::v2,           "v2",           &P::v2,          15,-900,  900, Control::hsbv2,          "hsbv2",          1, WithinRange,  kRun,    0},
  {Field::v3,           "v3",           &P::v3,          16,-900,  900, Control::hsbv3,          "hsbv3",          1, WithinRange,  kRun,    0},
  {Field::v4,           "v4",           &P::v4,          17,-900,  900, Control::hsbv4,          "hsbv4",          1, WithinRange,  kColumn, 0},
  {Field::xraykleur,    "xraykleur",    &P::xraykleur,   19,   1,   14, Control::hsbxray,        "hsbxray",        1, AsRead,       kColumn, 0},
  {Field::inverse,      "inverse",      &P::inverse,     21,   0,    1, std::nullopt,            nullptr,          1, AsRead,       kRun,    0},
  {Field::kl1ad,        "kl1ad",        &P::kl1ad,       23,   0,  250, Control::kl1ad,          "kl1ad",          1, WithinRange,  kColumn, 0},
  {Field::kl2ad,        "kl2ad",        &P::kl2ad,       24,   0,  250, Control::kl2ad,          "kl2ad",          1, WithinRange,  kColumn, 0},
  {Field::kl3ad,        "kl3ad",        &P::kl3ad,       25,   0,  250, Control::kl3ad,          "kl3ad",          1, WithinRange,  kColumn, 0},
  {Field::framesize,    "framesize",    &P::framesize,   26,   1,    3, std::nullopt,            nullptr,          1, AsRead,       kRun,    0},
  {Field::borderlen,    "borderlen",    &P::borderlen,   27,   1,   10, std::nullopt,            nullptr,          1, AsRead,       kRun,    0},
  {Field::widthfac,     "widthfac",     &P::widthfac,    28,   1,   10, std::nullopt,            nullptr,          1, AsRead,       kColumn, 0},
  {Field::glij,         "glij",         &P::glij,        29, -50,   50, Control::glij,           "glij",           1, WithinRange,  kColumn, 0},
  {Field::hoogte,       "hoogte",       &P::hoogte,      30,   1,   50, Control::hoogte,         "hoogte",         1, WithinRange,  kColumn, 0},
  {Field::hsbvertical,  "hsbvertical",  &P::hsbvertical, 31,-750,  750, Control::hsbvertical,    "hsbvertical",    5, WithinRange,  kColumn, 0},
  {Field::hsbhorizon,   "hsbhorizon",   &P::hsbhorizon,  32,-750,  750, Control::hsbhorizon,     "hsbhorizon",     5, WithinRange,  kColumn, 0},
  {Field::driedkeuze,   "driedkeuze",   &P::driedkeuze,  20,   1,   38, Control::hsbimage,       "hsbimage",       1, AsRead,       kColumn, 0},
  {Field::detailstep,   "detailstep",   &P::detailstep,   0,   1,    4, std::nullopt,            nullptr,          1, NotInTheFile, kColumn, 0},
  {Field::showprogress, "showprogress", &P::showprogress, 0,  -1,    0, std::nullopt,            nullptr,          1, NotInTheFile, kRun,    0},
  {Field::alwaysclear,  "alwaysclear",  &P::alwaysclear,  0,  -1,    0, std::nullopt,            nullptr,          1, NotInTheFile, kRun,    0},
  {Field::beepon,       "beepon",       &P::beepon,       0,  -1,    0, std::nullopt,            nullptr,          1, NotInTheFile, kRun,    0},
}};
// clang-format on

constexpr bool inFieldOrder() {
  for (int i = 0; i < kFieldCount; ++i) {
    if (static_cast<int>(kFields[static_cast<std::size_t>(i)].field) != i) return false;
  }
  return true;
}
static_assert(inFieldOrder(), "the table lists the fields in the order of Field");

// Each control's field, found once.
constexpr std::array<Field, kControlCount> controlFields() {
  std::array<Field, kControlCount> fields{};
  for (const FieldEntry& entry : kFields) {
    if (entry.control) fields[static_cast<std::size_t>(*entry.control)] = entry.field;
  }
  return fields;
}
constexpr std::array<Field, kControlCount> kControlFields = controlFields();

constexpr std::array<Field, kRandomDraws> drawOrder() {
  std::array<Field, kRandomDraws> order{};
  for (const FieldEntry& entry : kFields) {
    if (entry.randomDraw > 0) order[static_cast<std::size_t>(entry.randomDraw - 1)] = entry.field;
  }
  return order;
}
constexpr std::array<Field, kRandomDraws> kRandomOrder = drawOrder();

}  // namespace

std::span<const FieldEntry> recordFields() {
  return kFields;
}

const FieldEntry& fieldEntry(Field f) {
  return kFields[static_cast<std::size_t>(f)];
}

const FieldEntry& controlField(Control c) {
  return fieldEntry(kControlFields[static_cast<std::size_t>(c)]);
}

const FieldEntry* findField(std::string_view name) {
  const auto found = std::find_if(kFields.begin(), kFields.end(),
                                  [name](const FieldEntry& entry) { return entry.name == name; });
  return found == kFields.end() ? nullptr : &*found;
}

const std::array<Field, kRandomDraws>& randomFields() {
  return kRandomOrder;
}

ControlRange controlRange(Control c) {
  const FieldEntry& entry = controlField(c);
  return {entry.controlName, entry.min, entry.max, entry.start(), entry.step};
}

}  // namespace orbisk
