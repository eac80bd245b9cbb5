#include "io/RedrawPicture.h"

namespace orbisk {

PictureOrder orderToRedraw(const DrawnPicture& picture) {
  PictureOrder order;
  order.params = picture.params;
  order.params.detailstep = picture.detailstep;
  order.state = picture.startState;
  order.canvas = canvasFor(order.params, picture.background, picture.scale);
  return order;
}

}  // namespace orbisk
