#pragma once
// The Help menu of the menu bar. At launch it fills itself, above the About
// item, from the "Help" folder: each help document (a name ending in ".rtf"
// or ".pdf") becomes an entry that opens it, each line of "Links.txt" an
// entry that opens a web link. Top to bottom: the documents in folder order,
// a separator when there are both documents and a "Links.txt", the links in
// file order, a separator, then what the menu held before (the About item).
// Event thread only.
#include "platform/core/FolderItem.h"
#include "platform/qt/MenuItem.h"

namespace vantrel {

class HelpMenu : public MenuItem {
 public:
  // Each group takes at most this many entries: a menu taller than any
  // screen helps nobody, and a huge folder or "Links.txt" must not stall the
  // program's start.
  static constexpr Integer kMostEntries = 1000;

  HelpMenu();
  ~HelpMenu() override;

  // Fills the menu from the "Help" folder beside the program's executable.
  // Runs once per launch; entries are never refreshed.
  void BuildMenu();
  // The same, with the folder that holds the executable given: its "Help"
  // child, or when that does not exist the "Help" child of the documents
  // folder (GetFolderItem("", 0)).
  void BuildMenu(const FolderItem& executableFolder);

 private:
  // Inserts one entry per line of the links file at pos; returns the next pos.
  Integer InsertLinks(const FolderItem& linksFile, Integer pos);
};

}  // namespace vantrel
