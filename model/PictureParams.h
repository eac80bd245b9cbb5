// The one record that identifies a picture and holds the render settings.
#pragma once

#include <cstdint>

namespace orbisk {

// Every value that identifies a picture, plus the settings chosen in the menus. Editors write
// into it the moment a control changes (colour system and shape: when OK is pressed); the
// renderer reads it at the start of a run and again at the start of every column. The values
// below are the start-up values; each field's range, data-file position and control are in the
// field table (model/RecordFields.h).
struct PictureParams {
  // Picture identity chosen in the origin editor and the two OK-confirmed editors.
  int16_t ali = 6;         // galaxy
  int16_t sols = 4;        // solar system
  int16_t worldw = 2;      // world
  int16_t cit = 13;        // lab
  int16_t w = 11;          // level
  int16_t eff = 1;         // effect
  int16_t cat = 1;         // category
  int16_t t1 = 3;          // type
  int16_t func1 = 3;       // function v1a: position in the function list + 1
  int16_t func2 = 2;       // function v1b: position in the function list + 1
  int16_t xraykleur = 2;   // colour system
  int16_t driedkeuze = 1;  // shape

  // Picture identity that lives in an editor control; the control writes it here on change.
  int16_t size = 110;       // size; copied into N1 when a run starts
  int16_t v2 = 40;          // variable v2
  int16_t v3 = 40;          // variable v3
  int16_t v4 = 48;          // variable v4
  int16_t kl1ad = 0;        // red addition of the colour systems
  int16_t kl2ad = 0;        // green addition
  int16_t kl3ad = 0;        // blue addition
  int16_t glij = 25;        // slide (sideways shear) of the bar shapes
  int16_t hoogte = 25;      // height of the bars
  int16_t hsbvertical = 0;  // vertical shift of the shape anchor in pixels
  int16_t hsbhorizon = 0;   // horizontal shift of the shape anchor in pixels

  // Render settings chosen in the menus.
  int16_t detailstep = 1;     // traversal step: 1 Detail High, 4 Detail Low
  int16_t borderlen = 1;      // column multiplier (Length): 1, 3, 5 or 10
  int16_t widthfac = 1;       // row multiplier (Width): 1, 3, 5 or 10
  int16_t direction = 2;      // 1 Inward, 2 Outward
  int16_t showprogress = -1;  // -1 show the progress bar during a run, 0 not
  int16_t alwaysclear = -1;   // -1 clear the canvas at the start of every run, 0 draw over it
  int16_t beepon = -1;        // -1 beep when a run ends, 0 not
  int16_t framesize = 1;      // canvas frame: 1 Regular, 2 Thumbnail, 3 Maximum
  int16_t inverse = 0;        // pen mode: 0 copy, 1 inverted copy

  bool operator==(const PictureParams&) const = default;
};

}  // namespace orbisk
