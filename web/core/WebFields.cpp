#include "web/core/WebFields.h"

#include "model/ControlRanges.h"
#include "model/PictureParams.h"
#include "web/core/Json.h"

namespace orbisk::web {

namespace {

// A field held by an editor control: its range, start value and step are the control's own.
WebField control(int position, Control c, const char* label, const char* group) {
  const ControlRange& r = controlRange(c);
  return {position, r.objectName, label, group, r.min, r.max, r.start, r.step, {}, {}};
}

// A field held by a menu: only its entries' values.
WebField menu(int position, const char* name, const char* label, int start, std::vector<int> values,
              std::vector<const char*> names) {
  int low = values.front(), high = values.front();
  for (int v : values) {
    low = v < low ? v : low;
    high = v > high ? v : high;
  }
  return {position, name,  label, "Settings",        low,
          high,     start, 1,     std::move(values), std::move(names)};
}

std::vector<WebField> makeFields() {
  const PictureParams fresh;  // the values of a fresh start
  return {
      control(3, Control::hsbgalaxy, "Galaxy", "Origin"),
      control(11, Control::hsbsolarsystem, "Solar system", "Origin"),
      control(10, Control::hsbworld, "World", "Origin"),
      control(12, Control::hsblab, "Lab", "Origin"),
      control(9, Control::hsblevel, "Level", "Origin"),
      control(5, Control::hsbeffect, "Effect", "Origin"),
      control(2, Control::hsbcat, "Category", "Origin"),
      control(8, Control::hsbtype, "Type", "Origin"),
      control(6, Control::listv1a, "Function v1a", "Origin"),
      control(7, Control::listv1b, "Function v1b", "Origin"),
      control(15, Control::hsbv2, "v2", "Origin"),
      control(16, Control::hsbv3, "v3", "Origin"),
      control(17, Control::hsbv4, "v4", "Origin"),
      control(1, Control::hsbsize, "Size", "Origin"),
      control(19, Control::hsbxray, "Colour system", "Colours"),
      control(23, Control::kl1ad, "Red addition", "Colours"),
      control(24, Control::kl2ad, "Green addition", "Colours"),
      control(25, Control::kl3ad, "Blue addition", "Colours"),
      control(20, Control::hsbimage, "Shape", "Shape"),
      control(29, Control::glij, "Slide", "Shape"),
      control(30, Control::hoogte, "Height", "Shape"),
      control(31, Control::hsbvertical, "Vertical shift", "Shape"),
      control(32, Control::hsbhorizon, "Horizontal shift", "Shape"),
      menu(26, "framesize", "Frame", fresh.framesize, {1, 2, 3},
           {"Regular", "Thumbnail", "Maximum"}),
      menu(kDetailPosition, "detailstep", "Detail", fresh.detailstep, {1, 4}, {"High", "Low"}),
      menu(4, "direction", "Direction", fresh.direction, {1, 2}, {"Inward", "Outward"}),
      menu(27, "borderlen", "Length", fresh.borderlen, {1, 3, 5, 10}, {"X1", "X3", "X5", "X10"}),
      menu(28, "widthfac", "Width", fresh.widthfac, {1, 3, 5, 10}, {"X1", "X3", "X5", "X10"}),
      menu(21, "inverse", "Inverse", fresh.inverse, {0, 1}, {"Off", "On"}),
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
