#include "menus/HelpMenu.h"

#include <QCoreApplication>
#include <QFile>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "menus/HelpMenuItem.h"
#include "menus/HelpMenuLink.h"
#include "platform/core/Text.h"
#include "platform/core/TextStream.h"

namespace vantrel {

namespace {

constexpr char kHelpFolder[] = "Help";
constexpr char kLinksFile[] = "Links.txt";
constexpr char kSeparator[] = "-";

// Names are judged as the program compares text everywhere: ignoring ASCII
// case, so "Guide.PDF" is a help document too.
bool IsHelpDocument(const std::string& name) {
  const std::string extension = Right(name, 4);
  return TextEquals(extension, ".rtf") || TextEquals(extension, ".pdf");
}

FolderItem HelpFolder(const FolderItem& executableFolder) {
  const FolderItem beside = executableFolder.Child(kHelpFolder);
  if (beside.Exists()) return beside;
  return GetFolderItem("", 0).Child(kHelpFolder);
}

std::shared_ptr<MenuItem> Separator() { return std::make_shared<MenuItem>(kSeparator); }

}  // namespace

HelpMenu::HelpMenu() : MenuItem("Help") {}

HelpMenu::~HelpMenu() = default;

void HelpMenu::BuildMenu() {
  const QString folder = QCoreApplication::applicationDirPath();
  BuildMenu(FolderItem(QFile::encodeName(folder).toStdString()));
}

void HelpMenu::BuildMenu(const FolderItem& executableFolder) {
  const FolderItem folder = HelpFolder(executableFolder);
  Integer pos = 0;
  bool hasDocs = false;
  std::optional<FolderItem> linksFile;
  // An entry is judged by its name alone; files and folders alike.
  for (const FolderItem& entry : folder.Items()) {
    const std::string name = entry.Name();
    if (IsHelpDocument(name)) {
      if (pos < kMostEntries) Insert(pos++, std::make_shared<HelpMenuItem>(entry));
      hasDocs = true;
    } else if (TextEquals(name, kLinksFile)) {
      linksFile = entry;
    }
  }
  // The group separator goes with the file, not with its lines: an empty
  // "Links.txt" still parts the documents from the About item twice.
  if (hasDocs && linksFile) Insert(pos++, Separator());
  if (linksFile) pos = InsertLinks(*linksFile, pos);
  // Always true while the About item is below: it gets its separator.
  if (pos < Count()) Insert(pos, Separator());
}

Integer HelpMenu::InsertLinks(const FolderItem& linksFile, Integer pos) {
  // A file that cannot be read gives no links; the menu is built all the same.
  const Result<std::unique_ptr<TextInputStream>> stream = linksFile.OpenAsTextFile();
  if (!stream) return pos;
  TextInputStream& links = **stream;
  for (Integer count = 0; count < kMostEntries && !links.EndOfFile(); ++count) {
    Insert(pos++, std::make_shared<HelpMenuLink>(links.ReadLine()));
  }
  return pos;
}

}  // namespace vantrel
