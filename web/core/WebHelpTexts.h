// The texts of the page's Hints and About dialogs, the program's own.
#pragma once

#include <string>

namespace orbisk::web {

// {"hints": {title, heading, text, contact: [..], close}, "about": {title, name, version, credit,
// contact: [..], ordering, ok}}; the captions keep their mnemonic mark "&".
std::string helpTextsJson();

}  // namespace orbisk::web
