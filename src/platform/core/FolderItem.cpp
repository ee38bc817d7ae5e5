#include "platform/core/FolderItem.h"

#include <pwd.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <limits>
#include <mutex>
#include <system_error>
#include <vector>

#include "platform/core/TextStream.h"

namespace vantrel {

namespace fs = std::filesystem;

namespace {

std::mutex gDocumentsMutex;
std::optional<fs::path> gDocumentsFolder;

fs::path HomeFolder() {
  if (const char* home = std::getenv("HOME"); home != nullptr && *home != '\0') {
    return home;
  }
  // Without $HOME (a service account, a stripped environment) ask the user database.
  std::vector<char> buffer(16384);
  passwd entry{};
  passwd* found = nullptr;
  if (getpwuid_r(getuid(), &entry, buffer.data(), buffer.size(), &found) == 0 && found != nullptr &&
      found->pw_dir != nullptr) {
    return found->pw_dir;
  }
  std::error_code error;
  return fs::current_path(error);
}

int AsciiLower(char c) {
  const auto byte = static_cast<unsigned char>(c);
  return (byte >= 'A' && byte <= 'Z') ? byte + ('a' - 'A') : byte;
}

// A child is one name inside this folder. A "/" in it (a document named
// "1/2") would otherwise climb out or replace the whole path, so it becomes
// ":", the character desktop file managers show in its place.
std::string OneComponent(std::string name) {
  std::replace(name.begin(), name.end(), '/', ':');
  return name;
}

// "a/b/" names the same thing as "a/b"; without the trailing separator
// Name and Parent work on the last component as users expect.
fs::path WithoutTrailingSeparator(fs::path path) {
  while (!path.has_filename() && path.has_relative_path()) {
    path = path.parent_path();
  }
  return path;
}

// Listing order: names compared ignoring ASCII case, the way a file
// dialog shows them; names equal but for case fall back to byte order so
// that the order is total and stable.
bool ListedBefore(const std::string& a, const std::string& b) {
  const std::size_t common = std::min(a.size(), b.size());
  for (std::size_t i = 0; i < common; ++i) {
    const int x = AsciiLower(a[i]);
    const int y = AsciiLower(b[i]);
    if (x != y) {
      return x < y;
    }
  }
  if (a.size() != b.size()) {
    return a.size() < b.size();
  }
  return a < b;
}

std::vector<fs::path> SortedEntries(const fs::path& folder) {
  std::vector<fs::path> entries;
  std::error_code error;
  fs::directory_iterator it(folder, error);
  for (; !error && it != fs::directory_iterator(); it.increment(error)) {
    entries.push_back(it->path());
  }
  std::sort(entries.begin(), entries.end(), [](const fs::path& a, const fs::path& b) {
    return ListedBefore(a.filename().string(), b.filename().string());
  });
  return entries;
}

// More links than this in a row is a loop; the system stops at 40 too.
constexpr int kMaxLinkHops = 40;

// The absolute path with "." and "..", and every link that leads somewhere,
// resolved. A link whose target is missing is followed as well, since a save
// through it creates that target.
fs::path Resolved(fs::path path) {
  std::error_code error;
  for (int hop = 0; hop < kMaxLinkHops; ++hop) {
    // Not normalised first: ".." after a link climbs from where it leads.
    const fs::path absolute = fs::absolute(path, error);
    const fs::path known = fs::weakly_canonical(absolute, error);
    if (error) return absolute.lexically_normal();
    if (!fs::is_symlink(known, error)) return known;
    const fs::path target = fs::read_symlink(known, error);
    if (error) return known;
    // An absolute target replaces the whole path.
    path = known.parent_path() / target;
  }
  return fs::absolute(path, error).lexically_normal();
}

}  // namespace

FolderItem::FolderItem(std::filesystem::path path)
    : path_(WithoutTrailingSeparator(std::move(path))) {}

FolderItem FolderItem::Child(const std::string& name) const {
  return FolderItem(path_ / OneComponent(name));
}

FolderItem FolderItem::Parent() const { return FolderItem(path_.parent_path()); }

std::string FolderItem::Name() const { return path_.filename().string(); }

bool FolderItem::Exists() const {
  std::error_code error;
  return fs::exists(path_, error);
}

bool FolderItem::SameFile(const FolderItem& other) const {
  std::error_code error;
  if (Exists() && other.Exists()) {
    const bool same = fs::equivalent(path_, other.path_, error);
    if (!error) return same;
  }
  return Resolved(path_) == Resolved(other.path_);
}

bool FolderItem::Directory() const {
  std::error_code error;
  return fs::is_directory(path_, error);
}

FileResult FolderItem::CreateAsFolder() const {
  std::error_code error;
  fs::create_directories(path_, error);
  if (Directory()) return {};
  const std::string why = error ? error.message() : "a file has its name";
  return FileResult::Failed("Could not create the folder \"" + NativePath() + "\": " + why);
}

Integer FolderItem::Count() const {
  const std::size_t count = SortedEntries(path_).size();
  return static_cast<Integer>(std::min<std::size_t>(count, std::numeric_limits<Integer>::max()));
}

std::optional<FolderItem> FolderItem::Item(Integer index) const {
  if (index < 1) {
    return std::nullopt;
  }
  const std::vector<fs::path> entries = SortedEntries(path_);
  if (static_cast<std::size_t>(index) > entries.size()) {
    return std::nullopt;
  }
  return FolderItem(entries[static_cast<std::size_t>(index) - 1]);
}

std::vector<FolderItem> FolderItem::Items() const {
  std::vector<FolderItem> items;
  for (fs::path& entry : SortedEntries(path_)) items.emplace_back(std::move(entry));
  return items;
}

Result<std::unique_ptr<TextInputStream>> FolderItem::OpenAsTextFile() const {
  return TextInputStream::FromFile(path_);
}

Result<std::unique_ptr<TextOutputStream>> FolderItem::CreateTextFile() const {
  return TextOutputStream::ToFile(path_);
}

FolderItem GetFolderItem(const std::string& name, Integer /*pathType*/) {
  fs::path folder;
  {
    std::lock_guard lock(gDocumentsMutex);
    if (gDocumentsFolder) {
      folder = *gDocumentsFolder;
    }
  }
  if (folder.empty()) {
    folder = HomeFolder() / "Documents";
  }
  return name.empty() ? FolderItem(folder) : FolderItem(folder / name);
}

void SetDocumentsFolder(std::filesystem::path folder) {
  std::lock_guard lock(gDocumentsMutex);
  gDocumentsFolder = std::move(folder);
}

}  // namespace vantrel
