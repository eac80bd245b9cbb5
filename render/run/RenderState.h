// The renderer's working state. It lives as long as the program and is kept from sample to
// sample and from run to run: the orbit of one sample starts from the R the previous one left.
#pragma once

#include <cstdint>

namespace orbisk {

struct RenderState {
  // Traversal
  int16_t colstart = 0;  // first column of the traversal
  int16_t colend = 0;    // last column of the traversal
  int32_t progspan = 0;  // borderlen x N1, the progress span
  double col = 0;        // current sample column
  double row = 0;        // current sample row
  int16_t N1 = 110;      // size used by the current or last run
  int16_t N2 = 0;        // floor of 0.75 x N1

  // Run constants of the map
  int16_t catsign1 = 1, catsign2 = 1, catsign3 = 1;   // category signs
  int16_t galshiftx = 0, galshifty = 0;               // galaxy offsets
  double coefa = 0, coefb = 0, coefc = 0, coefd = 0;  // map coefficients
  double v2val = 0;                                   // v2 / 400
  double v2rest = 0;                                  // 1 - v2 / 400
  double galx = 0, galy = 0;                          // galaxy offsets as doubles
  float det = 0;                                      // coefa x coefd - coefb x coefc
  float spanx = 3.0f;                                 // horizontal span of the sample grid
  float spany = 2.25f;                                // vertical span of the sample grid

  // Orbit
  double orbp = 0, orbq = 0, orbr = 0;   // the orbit values P, Q and R
  double nextp = 0, nextq = 0;           // the lab step's results
  double levelcap = 0;                   // the level's threshold
  int16_t typesign1 = 0, typesign2 = 0;  // the type's signs
  int16_t iter = 0;                      // iteration counter, 1..25
  int16_t itersq = 0;                    // iter x iter at escape

  // Colour and shape stage
  int16_t red = 0, green = 0, blue = 0;  // colour channels, 0..255 once limited
  float halfwidth = 0, halfheight = 0;   // anchor of the last mark
  int16_t endx = 0, endy = 0;            // end of shape 29's first stroke
};

}  // namespace orbisk
