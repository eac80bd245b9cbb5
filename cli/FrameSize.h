// The frame sizes now live with the picture model, where the program and orbisk-render both
// reach them.
#pragma once

#include "model/FrameSize.h"
