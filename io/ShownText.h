// Text from outside (a file name, a command-line argument) as a one-line message shows it.
#pragma once

#include <string>
#include <string_view>

namespace orbisk {

// The text with everything that could break the line, move the cursor, recolour the terminal or
// reorder what follows spelt out instead: C0 controls and DEL as \n, \t, \r or \xNN, C1
// controls and the bidirectional embeddings, overrides and isolates (U+202A..U+202E,
// U+2066..U+2069) as \uNNNN, and bytes that are not UTF-8 as \xNN. Everything else is kept.
std::string shownText(std::string_view text);

// A file's name as every message shows it: shownText between double quotes, a double quote in
// the name spelt \". Messages read "Cannot save "name": reason." whoever shows them.
std::string quotedName(std::string_view path);

}  // namespace orbisk
