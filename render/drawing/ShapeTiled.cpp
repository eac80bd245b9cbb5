// Shape 32: shape 1's point pair repeated around a grid of 6 x 5 fixed tile anchors. It ignores
// the anchor shifts, the slide and the bar height.
#include "render/drawing/ShapeFamilies.h"

namespace orbisk {

namespace {

struct TileRow {
  double sign;      // +1 below the centre line, -1 above it
  double n2Factor;  // distance from the centre line in units of N2
  bool upsideDown;  // rows 2 and 3 mirror the row axis
};

struct TileColumn {
  double sign;      // +1 right of the centre, -1 left of it
  double n1Factor;  // distance from the centre in units of N1
};

// The order of the tiles matters: a failed anchor step leaves the previous tile's anchor.
constexpr TileRow kRows[] = {
    {1, 0, false}, {1, 2, true}, {-1, 2, true}, {1, 4, false}, {-1, 4, false}};
constexpr TileColumn kColumns[] = {{1, 1}, {-1, 1}, {1, 3}, {-1, 3}, {1, 5}, {-1, 5}};

}  // namespace

void drawTiledShape(const ShapeInput& in, RenderState& state, Surface& surface, double width,
                    double height) {
  ShapeContext g(in, state, surface, width, height);
  const double c = g.c, r = g.r;
  for (const TileRow& row : kRows) {
    for (const TileColumn& column : kColumns) {
      // N1 x 1 and N2 x 0 are formed like the other multiples; they can never fail.
      const double dx = g.mul(g.N1, column.n1Factor);
      g.setAx(column.sign > 0 ? g.W / 2 + dx : g.W / 2 - dx);
      if (row.n2Factor == 0) {
        g.setAy(g.H / 2);
      } else {
        const double dy = g.mul(g.N2, row.n2Factor);
        g.setAy(row.sign > 0 ? g.H / 2 + dy : g.H / 2 - dy);
      }
      const double ax = g.ax(), ay = g.ay();
      const double y = row.upsideDown ? ay + r : ay - r;
      g.plot(ax + c, y);
      g.plot(ax - c, y);
    }
  }
}

}  // namespace orbisk
