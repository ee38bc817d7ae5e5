#include "menus/MenuBar1.h"

#include <memory>
#include <stdexcept>
#include <string>
#include <utility>

#include "menus/HelpMenu.h"
#include "platform/qt/AppleMenuItem.h"
#include "platform/qt/QuitMenuItem.h"

namespace vantrel {

namespace {

// A separator's shortcut stays unset (nullptr); every other item sets its
// own, the empty text included.
struct ItemRecord {
  const char* parent;  // nullptr: a menu of the bar
  const char* name;
  const char* text;
  const char* shortcut;
  bool autoEnable;
  std::shared_ptr<MenuItem> (*make)();
};

template <class T>
std::shared_ptr<MenuItem> Make() {
  return std::make_shared<T>();
}

constexpr auto kMenu = &Make<MenuItem>;

// In creation order; each entry follows the ones already in its menu.
const ItemRecord kItems[] = {
    {nullptr, "FileMenu", "&File", "", true, kMenu},
    {"FileMenu", "FileNewFractal", "New Fractal", "Cmd+N", true, kMenu},
    {"FileMenu", "FileOpenFractal", "Open Fractal", "Cmd+O", true, kMenu},
    {"FileMenu", "UntitledSeparator", "-", nullptr, true, kMenu},
    {"FileMenu", "FileSave", "Save", "Cmd+S", false, kMenu},
    {"FileMenu", "FileSaveAs", "Save As...", "Cmd+Shift+S", false, kMenu},
    {"FileMenu", "FileRevertToSaved", "Revert To Saved", "", false, kMenu},
    {"FileMenu", "UntitledSeparator0", "-", nullptr, true, kMenu},
    {"FileMenu", "FileQuit", "&Quit", "Cmd+Q", true, &Make<QuitMenuItem>},
    {nullptr, "EditMenu", "&Edit", "", true, kMenu},
    {"EditMenu", "EditUndo", "&Undo", "Cmd+Z", false, kMenu},
    {"EditMenu", "UntitledMenu1", "-", nullptr, true, kMenu},
    {"EditMenu", "EditCut", "Cu&t", "Cmd+X", true, kMenu},
    {"EditMenu", "EditCopy", "&Copy", "Cmd+C", true, kMenu},
    {"EditMenu", "EditPaste", "&Paste", "Cmd+V", true, kMenu},
    {"EditMenu", "EditClear", "&Delete", "", false, kMenu},
    {"EditMenu", "UntitledMenu0", "-", nullptr, true, kMenu},
    {"EditMenu", "EditSelectAll", "Select &All", "Cmd+A", true, kMenu},
    {nullptr, "Help", "Help", "", true, &Make<HelpMenu>},
    {"Help", "HelpAboutVantrel", "About Vantrel", "", true, &Make<AppleMenuItem>},
};

}  // namespace

MenuBar1::MenuBar1() {
  for (const ItemRecord& record : kItems) {
    std::shared_ptr<MenuItem> item = record.make();
    item->SetName(record.name);
    item->SetAutoEnable(record.autoEnable);
    item->SetText(record.text);
    if (record.shortcut != nullptr) {
      item->SetKeyboardShortcut(record.shortcut);
    }
    MenuItem& parent = record.parent == nullptr ? *this : Named(record.parent);
    parent.Append(std::move(item));
  }
}

MenuBar1::~MenuBar1() = default;

MenuItem& MenuBar1::Named(const std::string& name) const {
  if (MenuItem* item = Lookup(name)) return *item;
  throw std::out_of_range("the menu bar has no item \"" + name + "\"");
}

class MenuBar1& MenuBar1() {
  // Never destroyed: its Qt menus must not outlive the application object,
  // and the program uses the bar until the event loop has returned.
  static class MenuBar1* const instance = new class MenuBar1();
  return *instance;
}

HelpMenu& Help() {
  if (auto* help = dynamic_cast<HelpMenu*>(&MenuBar1().Named("Help"))) return *help;
  throw std::out_of_range("the menu bar's item \"Help\" is not the Help menu");
}

void AddMenuHandler(MenuHandlers& handlers, const std::string& itemName,
                    MenuHandlers::Handler handler) {
  handlers.AddMenuHandler(MenuBar1().Named(itemName).Name(), std::move(handler));
}

}  // namespace vantrel
