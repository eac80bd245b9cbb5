// orbisk-render --variations and --breed: the options of pictures made from others, read
// without Qt so the fuzz targets take them as they are.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "render/random/Variations.h"

namespace orbisk {

struct RenderOptions;

struct ExploreOptions {
  static constexpr uint64_t kMaxCount = 1000;  // variations one run may make
  static constexpr int kChildren = 12;         // children --breed makes, as a window shows

  uint64_t variations = 0;                   // --variations N; 0 when not given
  VariationStep step = VariationStep::More;  // --step little|more|lot
  bool stepGiven = false;                    // --step was given
  std::string breedFirst, breedSecond;       // --breed A B: the parents; empty when not given

  bool given() const { return variations > 0 || !breedFirst.empty(); }
};

// Whether option is --variations, --step or --breed.
bool isExploreOption(const std::string& option);

// Reads the value(s) of an explore option at args[i] into explore, advancing i past them.
// Returns "" or a one-line error.
std::string parseExploreOption(const std::vector<std::string>& args, std::size_t& i,
                               ExploreOptions& explore);

// Checks a whole command line's explore options against each other and the other options:
// --variations needs a picture and -o FOLDER, --breed takes no other picture, --step needs
// --variations, neither goes with --random, --trace, --scale, --detail or --timeout. Returns ""
// or a one-line error.
std::string checkExploreOptions(const RenderOptions& options);

}  // namespace orbisk
