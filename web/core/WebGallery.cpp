#include "web/core/WebGallery.h"

#include <optional>

#include "io/RedrawPicture.h"
#include "render/random/RandomCandidates.h"
#include "session/PictureRecordText.h"
#include "web/core/Json.h"

namespace orbisk::web {

Answer galleryCandidates(std::string_view picture, uint64_t seed, uint64_t first, int wanted) {
  std::string reason;
  const std::optional<DrawnPicture> drawn = parsePictureRecord(picture, &reason);
  if (!drawn) return {false, {}, "The picture's record is damaged: " + reason + "."};
  // The start as the desktop's gallery takes it from the window: the values, the working values
  // carried over, and the canvas the picture would be drawn on.
  DrawnPicture unscaled = *drawn;
  unscaled.scale = 1;
  const PictureOrder start = orderToRedraw(unscaled);
  uint64_t looked = 0;
  JsonArray cells;
  for (const ChosenCandidate& chosen : chooseCandidates(start, seed, first, wanted, looked)) {
    DrawnPicture cell = *drawn;
    cell.params = chosen.candidate.order.params;
    cell.startState = chosen.candidate.order.state;
    cells.add(JsonObject()
                  .add("index", static_cast<long long>(chosen.candidate.index))
                  .add("picture", formatPictureRecord(cell))
                  .add("quick", static_cast<long long>(chosen.quick.richness())));
  }
  return {true,
          JsonObject().add("cells", cells).add("looked", static_cast<long long>(looked)).text(),
          {}};
}

}  // namespace orbisk::web
