#pragma once
// A file or folder location, which may name something that does not exist.
// A value type: the framework's nil FolderItem is an empty std::optional.
#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "Numbers.h"
#include "platform/core/FileResult.h"

namespace vantrel {

class TextInputStream;
class TextOutputStream;

class FolderItem {
 public:
  explicit FolderItem(std::filesystem::path path);

  FolderItem Child(const std::string& name) const;
  FolderItem Parent() const;
  std::string Name() const;
  bool Exists() const;
  bool Directory() const;
  // Succeeds when the folder exists afterwards.
  FileResult CreateAsFolder() const;
  // Entries of a folder, sorted by name; 0 for a file or a missing folder.
  Integer Count() const;
  // Entry i of a folder, counted from 1 as the framework does; nullopt when out of range.
  std::optional<FolderItem> Item(Integer index) const;
  // Every entry of a folder in the order of Item, listed once: a loop over
  // Item would list the folder again on every call.
  std::vector<FolderItem> Items() const;

  // Fails when the file cannot be opened, or is not a plain file.
  Result<std::unique_ptr<TextInputStream>> OpenAsTextFile() const;
  // Writes go through FileWriter (atomic, links followed, protection
  // respected); TextOutputStream::Close puts the file in place. Fails when
  // the file cannot be written.
  Result<std::unique_ptr<TextOutputStream>> CreateTextFile() const;

  // Whether both name the same file however each is spelt: through a link,
  // a relative path, "." or "..", or as two hard links of one file. Files
  // that both exist are compared by device and inode; otherwise by their
  // paths with every link resolved as far as it leads, so a name whose file
  // is gone still matches the name a save would write through.
  bool SameFile(const FolderItem& other) const;

  const std::filesystem::path& Path() const noexcept { return path_; }
  std::string NativePath() const { return path_.string(); }

  friend bool operator==(const FolderItem&, const FolderItem&) = default;

 private:
  std::filesystem::path path_;
};

// GetFolderItem("", 0) is the user's documents folder (set by the window layer
// from the desktop's standard location, by tests to a temporary folder).
// Any other name is taken relative to that folder.
FolderItem GetFolderItem(const std::string& name, Integer pathType);
void SetDocumentsFolder(std::filesystem::path folder);

}  // namespace vantrel
