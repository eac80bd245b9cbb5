#include "web/core/WebExplore.h"

#include <optional>

#include "io/RedrawPicture.h"
#include "render/random/Breeding.h"
#include "render/random/Variations.h"
#include "session/PictureRecordText.h"
#include "web/core/Json.h"

namespace orbisk::web {

Answer exploreOffspring(std::string_view picture, std::string_view other, int step, uint64_t seed,
                        int wanted) {
  std::string reason;
  const std::optional<DrawnPicture> drawn = parsePictureRecord(picture, &reason);
  if (!drawn) return {false, {}, "The picture's record is damaged: " + reason + "."};
  std::optional<DrawnPicture> mate;
  if (!other.empty()) {
    mate = parsePictureRecord(other, &reason);
    if (!mate) return {false, {}, "The other picture's record is damaged: " + reason + "."};
  }
  // The parent as the desktop's window takes it: the values, the working values carried over,
  // and the canvas the picture would be drawn on.
  DrawnPicture unscaled = *drawn;
  unscaled.scale = 1;
  const PictureOrder parent = orderToRedraw(unscaled);
  const VariationStep variationStep = step <= 0   ? VariationStep::Little
                                      : step == 1 ? VariationStep::More
                                                  : VariationStep::Lot;
  const std::vector<Offspring> made = mate ? chooseChildren(parent, mate->params, seed, wanted)
                                           : chooseVariations(parent, seed, variationStep, wanted);
  JsonArray cells;
  for (const Offspring& next : made) {
    DrawnPicture cell = unscaled;
    cell.params = next.order.params;
    cell.origin = mate ? childOrigin(drawn->params, mate->params, next.change)
                       : variationOrigin(drawn->params, variationStep, next.change);
    cells.add(JsonObject().add("picture", formatPictureRecord(cell)).add("change", next.change));
  }
  return {true, JsonObject().add("cells", cells).text(), {}};
}

}  // namespace orbisk::web
