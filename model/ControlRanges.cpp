#include "model/ControlRanges.h"

#include <array>

namespace orbisk {

namespace {

// One control per line, read as a table.
// clang-format off
constexpr std::array<ControlRange, static_cast<int>(Control::count)> kRanges = {{
    {"hsbgalaxy", 1, 14, 6, 1},
    {"hsbsolarsystem", 1, 20, 4, 1},
    {"hsbworld", 1, 10, 2, 1},
    {"hsblab", 1, 24, 13, 1},
    {"hsblevel", 1, 35, 11, 1},
    {"hsbcat", 1, 10, 1, 1},
    {"hsbtype", 1, 8, 3, 1},
    {"hsbeffect", 1, 20, 1, 1},
    {"hsbv2", -900, 900, 40, 1},
    {"hsbv3", -900, 900, 40, 1},
    {"hsbv4", -900, 900, 48, 1},
    {"hsbsize", 10, 1000, 110, 1},
    {"listv1a", 1, 11, 3, 1},
    {"listv1b", 1, 11, 2, 1},
    {"hsbxray", 1, 14, 2, 1},
    {"kl1ad", 0, 250, 0, 1},
    {"kl2ad", 0, 250, 0, 1},
    {"kl3ad", 0, 250, 0, 1},
    {"hsbimage", 1, 38, 1, 1},
    {"glij", -50, 50, 25, 1},
    {"hoogte", 1, 50, 25, 1},
    {"hsbvertical", -750, 750, 0, 5},
    {"hsbhorizon", -750, 750, 0, 5},
}};
// clang-format on

}  // namespace

const ControlRange& controlRange(Control c) {
  return kRanges[static_cast<int>(c)];
}

}  // namespace orbisk
