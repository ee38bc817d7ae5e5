#include "platform/qt/MenuBar.h"

#include <QAction>
#include <QApplication>
#include <QKeyEvent>
#include <QMenuBar>
#include <algorithm>

#include "platform/qt/MenuDispatch.h"

namespace vantrel {

namespace {

// The bars that exist, to find the one a window shows. Never destroyed, so a
// bar that outlives static destruction can still take itself off the list.
std::vector<MenuBar*>& LiveBars() {
  static auto* const bars = new std::vector<MenuBar*>();
  return *bars;
}

bool IsModifierKey(int key) {
  return key == Qt::Key_Shift || key == Qt::Key_Control || key == Qt::Key_Meta ||
         key == Qt::Key_Alt || key == Qt::Key_AltGr || key == Qt::Key_CapsLock ||
         key == Qt::Key_unknown || key == 0;
}

}  // namespace

// Refreshes a bar's enabling before Qt matches a key press against the
// shortcuts: Qt sends ShortcutOverride to the focus widget first, and the
// shortcut map skips disabled actions, so a disabled item never fires.
class MenuBar::ShortcutEnablingFilter : public QObject {
 public:
  using QObject::QObject;

  static void Install() {
    static QPointer<ShortcutEnablingFilter> installed;
    if (installed.isNull() && qApp != nullptr) {
      installed = new ShortcutEnablingFilter(qApp);
      qApp->installEventFilter(installed);
    }
  }

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() == QEvent::ShortcutOverride) {
      const auto* key = static_cast<const QKeyEvent*>(event);
      RefreshBeforeShortcut(watched, key->key(), key->modifiers().toInt());
    }
    return false;  // only looks; Qt goes on as usual
  }
};

MenuBar::MenuBar() { LiveBars().push_back(this); }

MenuBar::~MenuBar() { std::erase(LiveBars(), this); }

void MenuBar::RefreshEnabling() {
  for (const auto& menu : children_) {
    menu->ResetEnabling();
  }
  RaiseEnableMenuItems();
}

std::vector<QMenuBar*> MenuBar::Widgets() const {
  std::vector<QMenuBar*> widgets;
  for (const auto& widget : widgets_) {
    if (!widget.isNull()) {
      widgets.push_back(widget.data());
    }
  }
  return widgets;
}

void MenuBar::ShowChild(Integer index) {
  const auto widgets = Widgets();
  if (widgets.empty()) {
    return;  // realized with the next window's bar
  }
  MenuItem& child = *Item(index);
  if (child.action_ != nullptr && child.menu_ == nullptr) {
    child.TurnIntoMenu();  // a command moved onto the bar
  }
  QAction* action = child.Realize();
  MenuItem* next = Item(index + 1);
  QAction* before = next != nullptr ? next->Realize() : nullptr;
  for (QMenuBar* widget : widgets) {
    widget->insertAction(before, action);
  }
}

MenuBar* MenuBar::ShownIn(const QWidget* widget) {
  const QWidget* window = widget->window();
  MenuBar* shownElsewhere = nullptr;
  for (MenuBar* bar : LiveBars()) {
    for (QMenuBar* shown : bar->Widgets()) {
      if (shown->window() == window) {
        return bar;
      }
      shownElsewhere = bar;
    }
  }
  // A window without a bar (settings, dialogs) answers to the program's bar.
  return shownElsewhere;
}

void MenuBar::RefreshBeforeShortcut(QObject* receiver, int key, int modifiers) {
  auto* widget = qobject_cast<QWidget*>(receiver);
  if (widget == nullptr || IsModifierKey(key)) {
    return;
  }
  // Qt hands the event on to the parents of the focus widget while nobody
  // accepts it; refresh once, where it starts.
  const QWidget* focus = widget->window()->focusWidget();
  if (widget != focus && !(focus == nullptr && widget->isWindow())) {
    return;
  }
  MenuBar* bar = ShownIn(widget);
  if (bar == nullptr) {
    return;
  }
  // Plain typing needs no refresh unless an item answers to that very key.
  const int commandKeys = Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier;
  const int combination = (modifiers & ~Qt::KeypadModifier) | key;
  if ((modifiers & commandKeys) == 0 && !HasShortcut(*bar, combination)) {
    return;
  }
  bar->RefreshEnabling();
}

bool MenuBar::HasShortcut(const MenuItem& item, int keyCombination) {
  for (const auto& child : item.children_) {
    const QAction* action = child->action_;
    if (action != nullptr && !action->shortcut().isEmpty() &&
        action->shortcut()[0].toCombined() == keyCombination) {
      return true;
    }
    if (HasShortcut(*child, keyCombination)) {
      return true;
    }
  }
  return false;
}

QMenuBar* MenuBar::MakeWidget(QWidget* parent) {
  auto* widget = new QMenuBar(parent);
  widget->setNativeMenuBar(false);
  for (const auto& menu : children_) {
    widget->addAction(menu->Realize());
  }
  std::erase_if(widgets_, [](const QPointer<QMenuBar>& shown) { return shown.isNull(); });
  widgets_.emplace_back(widget);
  ShortcutEnablingFilter::Install();
  return widget;
}

QMenuBar* CreateMenuBarWidget(MenuBar& bar, QWidget* parent) { return bar.MakeWidget(parent); }

}  // namespace vantrel
