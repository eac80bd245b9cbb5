// How a compressed record reaches the page and comes back inflated. The desktop's PNG writer
// files a long text compressed (zTXt); the browser inflates, the core does everything else:
//
//   1. the core reads the PNG's chunks with no inflated text at hand; inflate() keeps the
//      compressed bytes it is given (compressedRecord()) and reports them damaged;
//   2. the page inflates those bytes and hands the result (or its first bytes beyond the bound)
//      to setInflatedRecord();
//   3. the core reads the chunks again, and inflate() gives out the page's text.
#pragma once

#include <optional>
#include <string>

namespace orbisk::web {

// The compressed bytes the last reading asked to have inflated, if it asked.
const std::optional<std::string>& compressedRecord();
// The text inflate() gives out from now on; nullopt makes inflate() keep what it is given instead.
// failed marks bytes the browser could not inflate: inflate() then reports them damaged.
void setInflatedRecord(std::optional<std::string> text, bool failed = false);

}  // namespace orbisk::web
