// Symbolic links to files the user names for writing, followed by the rule the kernel applies
// in shared folders (protected_symlinks): in a sticky or world-writable folder anyone may plant
// a link, so a link there is followed only when it belongs to the user or to the folder's owner.
#pragma once

#include <string>

namespace orbisk {

// Follows path through every symbolic link it names (the last component, link by link) and
// stores the file it ends at in target (path itself when it is no link). Returns "" or, when a
// link is refused or cannot be read, the reason as the end of a message, with its full stop.
std::string followOwnLinks(const std::string& path, std::string& target);

// Whether the user may put a new file in place of the existing one at path by renaming: in a
// sticky folder only the file's owner, the folder's owner and root may.
bool mayReplaceByRename(const std::string& path);

}  // namespace orbisk
