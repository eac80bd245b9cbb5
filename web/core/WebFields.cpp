#include "web/core/WebFields.h"

#include "model/RecordFields.h"
#include "web/core/Json.h"

namespace orbisk::web {

namespace {

// A field held by an editor control: its position, range, start value and step come from the
// record's field table.
WebField control(Field f, const char* label, const char* group) {
  const FieldEntry& entry = fieldEntry(f);
  return {entry.position, entry.controlName, label,      group, entry.min,
          entry.max,      entry.start(),     entry.step, {},    {}};
}

// A field held by a menu: only its entries' values. A setting the data file does not hold
// (the detail) takes the position given.
WebField menu(Field f, const char* label, std::vector<int> values, std::vector<const char*> names,
              int position = 0) {
  const FieldEntry& entry = fieldEntry(f);
  return {entry.position != 0 ? entry.position : position,
          entry.name,
          label,
          "Settings",
          entry.min,
          entry.max,
          entry.start(),
          1,
          std::move(values),
          std::move(names)};
}

std::vector<WebField> makeFields() {
  return {
      control(Field::ali, "Galaxy", "Origin"),
      control(Field::sols, "Solar system", "Origin"),
      control(Field::worldw, "World", "Origin"),
      control(Field::cit, "Lab", "Origin"),
      control(Field::w, "Level", "Origin"),
      control(Field::eff, "Effect", "Origin"),
      control(Field::cat, "Category", "Origin"),
      control(Field::t1, "Type", "Origin"),
      control(Field::func1, "Function v1a", "Origin"),
      control(Field::func2, "Function v1b", "Origin"),
      control(Field::v2, "v2", "Origin"),
      control(Field::v3, "v3", "Origin"),
      control(Field::v4, "v4", "Origin"),
      control(Field::size, "Size", "Origin"),
      control(Field::xraykleur, "Colour system", "Colours"),
      control(Field::kl1ad, "Red addition", "Colours"),
      control(Field::kl2ad, "Green addition", "Colours"),
      control(Field::kl3ad, "Blue addition", "Colours"),
      control(Field::driedkeuze, "Shape", "Shape"),
      control(Field::glij, "Slide", "Shape"),
      control(Field::hoogte, "Height", "Shape"),
      control(Field::hsbvertical, "Vertical shift", "Shape"),
      control(Field::hsbhorizon, "Horizontal shift", "Shape"),
      menu(Field::framesize, "Frame", {1, 2, 3}, {"Regular", "Thumbnail", "Maximum"}),
      menu(Field::detailstep, "Detail", {1, 4}, {"High", "Low"}, kDetailPosition),
      menu(Field::direction, "Direction", {1, 2}, {"Inward", "Outward"}),
      menu(Field::borderlen, "Length", {1, 3, 5, 10}, {"X1", "X3", "X5", "X10"}),
      menu(Field::widthfac, "Width", {1, 3, 5, 10}, {"X1", "X3", "X5", "X10"}),
      menu(Field::inverse, "Inverse", {0, 1}, {"Off", "On"}),
      {kBackgroundPosition,
       "background",
       "Background colour",
       "Settings",
       0,
       0xffffff,
       0,
       1,
       {},
       {}},
  };
}

}  // namespace

const std::vector<WebField>& webFields() {
  static const std::vector<WebField> fields = makeFields();
  return fields;
}

const WebField* webField(int position) {
  for (const WebField& f : webFields())
    if (f.position == position) return &f;
  return nullptr;
}

std::string refusal(const WebField& field, int value) {
  if (!field.choices.empty()) {
    for (int v : field.choices)
      if (v == value) return {};
    std::string list;
    for (std::size_t i = 0; i < field.choices.size(); ++i)
      list += (i == 0                          ? ""
               : i + 1 == field.choices.size() ? " or "
                                               : ", ") +
              std::to_string(field.choices[i]);
    return std::string(field.label) + " must be " + list;
  }
  if (value < field.min || value > field.max)
    return std::string(field.label) + " must be from " + std::to_string(field.min) + " to " +
           std::to_string(field.max);
  return {};
}

std::string offMenuMeaning(const WebField& field, int value) {
  if (field.choices.empty()) return {};
  for (int v : field.choices)
    if (v == value) return {};
  const std::string v = std::to_string(value);
  const std::string name = field.name;
  // What the renderer makes of each menu's other values.
  if (name == "framesize") return v + ": drawn as Regular, as is every frame but 2 and 3";
  if (name == "direction")
    return v + ": neither Inward nor Outward, so the run keeps the columns of the run before";
  if (name == "borderlen") return "X" + v + ": " + v + " times the columns of X1";
  if (name == "widthfac") return "X" + v + ": " + v + " times the rows of X1";
  if (name == "inverse") return v + ": drawn as Off, as is every value but 1";
  return v + ": not on the menu";
}

std::string webFieldsJson() {
  JsonArray fields;
  for (const WebField& f : webFields()) {
    JsonArray choices, names;
    for (int v : f.choices) choices.add(v);
    for (const char* n : f.names) names.add(n);
    fields.add(JsonObject()
                   .add("position", f.position)
                   .add("name", f.name)
                   .add("label", f.label)
                   .add("group", f.group)
                   .add("min", f.min)
                   .add("max", f.max)
                   .add("start", f.start)
                   .add("step", f.step)
                   .add("choices", choices)
                   .add("names", names));
  }
  return fields.text();
}

}  // namespace orbisk::web
