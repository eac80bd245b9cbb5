// The column loops of world 2, one for every lab.
#include "render/orbit/ColumnLoopsByWorld.h"

namespace orbisk {

ORBISK_DEFINE_WORLD_LAB_LOOPS(2)

}  // namespace orbisk
