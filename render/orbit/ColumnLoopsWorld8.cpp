// The column loops of world 8, one for every lab.
#include "render/orbit/ColumnLoopsByWorld.h"

namespace orbisk {

ORBISK_DEFINE_WORLD_LAB_LOOPS(8)

}  // namespace orbisk
