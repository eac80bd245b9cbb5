#include "io/SharedFolderLinks.h"

#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <vector>

#include "io/PosixFiles.h"

namespace orbisk {

namespace {

constexpr int kMaxLinks = 40;  // as the kernel's own limit on links followed in one name

std::string folderOf(const std::string& path) {
  const std::filesystem::path parent = std::filesystem::path(path).parent_path();
  return parent.empty() ? "." : parent.string();
}

bool isShared(const struct stat& folder) {
  return (folder.st_mode & S_ISVTX) != 0 || (folder.st_mode & S_IWOTH) != 0;
}

}  // namespace

std::string followOwnLinks(const std::string& path, std::string& target) {
  std::string current = path;
  for (int hop = 0; hop <= kMaxLinks; ++hop) {
    struct stat link {};
    if (::lstat(current.c_str(), &link) != 0) {
      // A link of /proc (/dev/stdout) names an open file by no path: the kernel follows it.
      struct stat followed {};
      target = current != path && ::stat(path.c_str(), &followed) == 0 ? path : current;
      return {};
    }
    if (!S_ISLNK(link.st_mode)) {
      target = current;
      return {};
    }
    struct stat folder {};
    const std::string folderPath = folderOf(current);
    if (::stat(folderPath.c_str(), &folder) != 0) return posix::errnoText(errno);
    if (isShared(folder) && link.st_uid != ::geteuid() && link.st_uid != folder.st_uid)
      return "it is a symbolic link that another user placed in a shared folder, and such a link "
             "is not followed.";
    std::vector<char> text(static_cast<std::size_t>(link.st_size > 0 ? link.st_size : 255) + 2);
    const ssize_t length = ::readlink(current.c_str(), text.data(), text.size());
    if (length < 0) return posix::errnoText(errno);
    if (static_cast<std::size_t>(length) >= text.size()) return posix::errnoText(ENAMETOOLONG);
    const std::string to(text.data(), static_cast<std::size_t>(length));
    current = !to.empty() && to[0] == '/' ? to : (std::filesystem::path(folderPath) / to).string();
  }
  return posix::errnoText(ELOOP);
}

bool mayReplaceByRename(const std::string& path) {
  struct stat file {
  }, folder{};
  if (::lstat(path.c_str(), &file) != 0 || ::stat(folderOf(path).c_str(), &folder) != 0)
    return true;  // nothing to replace, or the attempt itself finds out
  if ((folder.st_mode & S_ISVTX) == 0) return true;
  const uid_t user = ::geteuid();
  return user == 0 || file.st_uid == user || folder.st_uid == user;
}

}  // namespace orbisk
