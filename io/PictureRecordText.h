// The picture record text lives with the session now, in the plain C++ core; this name stays for
// the files that still include it here.
#pragma once

#include "session/PictureRecordText.h"
