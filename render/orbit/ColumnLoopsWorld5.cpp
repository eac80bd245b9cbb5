// The column loops of world 5, one for every lab.
#include "render/orbit/ColumnLoopsByWorld.h"

namespace orbisk {

ORBISK_DEFINE_WORLD_LAB_LOOPS(5)

}  // namespace orbisk
