// The column loops of world 6, one for every lab.
#include "render/orbit/ColumnLoopsByWorld.h"

namespace orbisk {

ORBISK_DEFINE_WORLD_LAB_LOOPS(6)

}  // namespace orbisk
