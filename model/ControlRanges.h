// The range, start value and object name of every editor control that holds a picture value.
// The editors and the data-file loader share this one table, so "a value outside the control's
// range keeps the old value" is decided in one place.
#pragma once

#include <cstdint>

namespace orbisk {

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

struct ControlRange {
  const char* objectName;  // the widget's objectName
  int16_t min;             // lowest value the control accepts
  int16_t max;             // highest value the control accepts
  int16_t start;           // value the control shows when it is created
  int16_t step;            // arrow and page step
};

const ControlRange& controlRange(Control c);

inline bool controlAccepts(Control c, int value) {
  const ControlRange& r = controlRange(c);
  return value >= r.min && value <= r.max;
}

}  // namespace orbisk
