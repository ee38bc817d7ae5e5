#include "platform/qt/MenuItem.h"

#include <QAction>
#include <QApplication>
#include <QKeySequence>
#include <QLineEdit>
#include <QMenu>
#include <QWidget>
#include <algorithm>
#include <cctype>
#include <string_view>
#include <utility>

#include "platform/qt/MenuDispatch.h"

namespace vantrel {

namespace {

bool SameWord(std::string_view a, std::string_view b) {
  return std::ranges::equal(a, b, [](unsigned char x, unsigned char y) {
    return std::tolower(x) == std::tolower(y);
  });
}

// Qt's name of a modifier word of a shortcut text; nullptr when the word is the key.
const char* ModifierName(std::string_view word) {
  if (SameWord(word, "Cmd") || SameWord(word, "Command") || SameWord(word, "Ctrl") ||
      SameWord(word, "Control")) {
    return "Ctrl";
  }
  if (SameWord(word, "Shift")) {
    return "Shift";
  }
  if (SameWord(word, "Alt") || SameWord(word, "Option")) {
    return "Alt";
  }
  if (SameWord(word, "Meta")) {
    return "Meta";
  }
  return nullptr;
}

// "Cmd+Shift+S" gives Ctrl+Shift+S. Modifier words are peeled off the front
// one by one, so a "+" key ("Cmd++") survives; text that does not name
// exactly one key gives no shortcut rather than a surprising one.
QKeySequence ToKeySequence(std::string_view text) {
  QString portable;
  for (auto plus = text.find('+'); plus != std::string_view::npos && plus > 0;
       plus = text.find('+')) {
    const char* modifier = ModifierName(text.substr(0, plus));
    if (modifier == nullptr) {
      break;
    }
    portable += QString::fromLatin1(modifier) + QLatin1Char('+');
    text.remove_prefix(plus + 1);
  }
  if (text.empty()) {
    return {};
  }
  portable += QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
  QKeySequence sequence = QKeySequence::fromString(portable, QKeySequence::PortableText);
  if (sequence.count() != 1 || sequence[0].key() == Qt::Key_unknown) {
    return {};
  }
  return sequence;
}

// The standard Edit items, which a focused text field carries out itself
// when the program binds no handler of its own.
enum class TextEdit { None, Undo, Cut, Copy, Paste, Delete, SelectAll };

TextEdit TextEditFor(const std::string& name) {
  static const std::pair<const char*, TextEdit> kItems[] = {
      {"EditUndo", TextEdit::Undo},   {"EditCut", TextEdit::Cut},
      {"EditCopy", TextEdit::Copy},   {"EditPaste", TextEdit::Paste},
      {"EditClear", TextEdit::Delete}, {"EditSelectAll", TextEdit::SelectAll}};
  for (const auto& [itemName, edit] : kItems) {
    if (name == itemName) {
      return edit;
    }
  }
  return TextEdit::None;
}

QLineEdit* FocusedTextField() {
  return qobject_cast<QLineEdit*>(QApplication::focusWidget());
}

bool CanDo(const QLineEdit& field, TextEdit edit) {
  const bool writable = !field.isReadOnly();
  // A password field never gives its text away.
  const bool readable = field.echoMode() == QLineEdit::Normal;
  switch (edit) {
    case TextEdit::Undo:
      return writable && field.isUndoAvailable();
    case TextEdit::Cut:
      return writable && readable && field.hasSelectedText();
    case TextEdit::Copy:
      return readable && field.hasSelectedText();
    case TextEdit::Paste:
      return writable;
    case TextEdit::Delete:
      return writable && field.hasSelectedText();
    case TextEdit::SelectAll:
      return !field.text().isEmpty();
    case TextEdit::None:
      break;
  }
  return false;
}

void Do(QLineEdit& field, TextEdit edit) {
  switch (edit) {
    case TextEdit::Undo:
      field.undo();
      break;
    case TextEdit::Cut:
      field.cut();
      break;
    case TextEdit::Copy:
      field.copy();
      break;
    case TextEdit::Paste:
      field.paste();
      break;
    case TextEdit::Delete:
      field.del();
      break;
    case TextEdit::SelectAll:
      field.selectAll();
      break;
    case TextEdit::None:
      break;
  }
}

bool HasBoundHandler(const std::string& name) {
  return MenuTargetFor(name) != nullptr || ApplicationMenuHandlers().Has(name);
}

}  // namespace

MenuItem::MenuItem() = default;

MenuItem::MenuItem(std::string text) : text_(std::move(text)) {}

MenuItem::~MenuItem() {
  for (const auto& child : children_) {
    child->parent_ = nullptr;
  }
  // Without an application the widgets can no longer be deleted safely; the
  // process is ending anyway.
  if (QCoreApplication::instance() == nullptr) {
    return;
  }
  if (menu_ != nullptr) {
    delete menu_;  // takes its menu action with it
  } else {
    delete action_;
  }
}

void MenuItem::SetName(std::string name) { name_ = std::move(name); }

void MenuItem::SetText(std::string text) {
  text_ = std::move(text);
  if (action_ != nullptr) {
    ApplyText();
  }
}

void MenuItem::SetEnabled(bool enabled) {
  enabled_ = enabled;
  if (action_ != nullptr) {
    action_->setEnabled(enabled);
  }
}

void MenuItem::SetKeyboardShortcut(std::string shortcut) {
  shortcut_ = std::move(shortcut);
  if (action_ != nullptr) {
    ApplyShortcut();
  }
}

MenuItem* MenuItem::Append(std::shared_ptr<MenuItem> item) {
  return Insert(Count(), std::move(item));
}

MenuItem* MenuItem::Insert(Integer index, std::shared_ptr<MenuItem> item) {
  if (item == nullptr || item->parent_ != nullptr || item->IsBar() ||
      IsAncestorOrSelf(item.get())) {
    return nullptr;
  }
  index = std::clamp(index, Integer{0}, Count());
  item->parent_ = this;
  children_.insert(children_.begin() + index, item);
  ShowChild(index);
  return item.get();
}

Integer MenuItem::Count() const noexcept { return static_cast<Integer>(children_.size()); }

MenuItem* MenuItem::Item(Integer index) const noexcept {
  if (index < 0 || index >= Count()) {
    return nullptr;
  }
  return children_[static_cast<std::size_t>(index)].get();
}

MenuItem* MenuItem::Child(const std::string& name) const noexcept {
  for (const auto& child : children_) {
    if (child->name_ == name) {
      return child.get();
    }
  }
  return nullptr;
}

MenuItem* MenuItem::Lookup(const std::string& name) const noexcept {
  for (const auto& child : children_) {
    if (child->name_ == name) {
      return child.get();
    }
    if (MenuItem* found = child->Lookup(name)) {
      return found;
    }
  }
  return nullptr;
}

void MenuItem::Choose() {
  if (!enabled_ || IsSeparator()) {
    return;
  }
  if (Action() || TextFieldDo()) {
    return;
  }
  DispatchMenuItem(name_);
}

MenuItem& MenuItem::Root() noexcept {
  MenuItem* root = this;
  while (root->parent_ != nullptr) {
    root = root->parent_;
  }
  return *root;
}

bool MenuItem::IsAncestorOrSelf(const MenuItem* item) const noexcept {
  for (const MenuItem* up = this; up != nullptr; up = up->parent_) {
    if (up == item) {
      return true;
    }
  }
  return false;
}

bool MenuItem::ShowsAsMenu() const noexcept {
  return !children_.empty() || (parent_ != nullptr && parent_->IsBar());
}

QAction* MenuItem::Realize() {
  if (action_ == nullptr) {
    if (ShowsAsMenu()) {
      RealizeAsMenu();
    } else {
      RealizeAsCommand();
    }
  }
  return action_;
}

void MenuItem::RealizeAsMenu() {
  menu_ = new QMenu();
  action_ = menu_->menuAction();
  ApplyText();
  action_->setEnabled(enabled_);
  // Sub-menus refresh too: a menu opened by the keyboard skips its parent's signal.
  QObject::connect(menu_, &QMenu::aboutToShow, menu_, [this] { Root().BeforeMenuOpens(); });
  for (const auto& child : children_) {
    menu_->addAction(child->Realize());
  }
}

void MenuItem::RealizeAsCommand() {
  action_ = new QAction();
  // The program's commands answer in every window, the ones that show no
  // menu bar (settings, dialogs) included; RefreshEnabling decides which.
  action_->setShortcutContext(Qt::ApplicationShortcut);
  ApplyText();
  action_->setEnabled(enabled_);
  ApplyShortcut();
  QObject::connect(action_, &QAction::triggered, action_, [this] { Choose(); });
}

void MenuItem::TurnIntoMenu() {
  QAction* command = action_;
  action_ = nullptr;
  RealizeAsMenu();
  for (QObject* shownIn : command->associatedObjects()) {
    if (auto* widget = qobject_cast<QWidget*>(shownIn)) {
      widget->insertAction(command, action_);
      widget->removeAction(command);
    }
  }
  // The command may be the one whose handler appended the child: it must not
  // vanish under its own triggered signal, nor fire in the meantime.
  command->setShortcut({});
  command->setEnabled(false);
  command->deleteLater();
}

void MenuItem::ShowChild(Integer index) {
  if (action_ == nullptr) {
    return;  // not shown anywhere yet
  }
  if (menu_ == nullptr) {
    TurnIntoMenu();  // shows every child, the new one included
    return;
  }
  MenuItem* next = Item(index + 1);
  MenuItem& child = *children_[static_cast<std::size_t>(index)];
  menu_->insertAction(next != nullptr ? next->Realize() : nullptr, child.Realize());
}

void MenuItem::ApplyText() {
  if (menu_ == nullptr) {
    action_->setSeparator(IsSeparator());
  }
  action_->setText(IsSeparator() && menu_ == nullptr ? QString() : QString::fromStdString(text_));
}

void MenuItem::ApplyShortcut() {
  if (menu_ == nullptr) {
    action_->setShortcut(ToKeySequence(shortcut_));
  }
}

void MenuItem::ResetEnabling() {
  bool enable = false;
  if (!IsSeparator()) {
    enable = TextFieldCanDo() ||
             (autoEnable_ && (!children_.empty() || HasAction() || HasBoundHandler(name_)));
  }
  SetEnabled(enable);
  for (const auto& child : children_) {
    child->ResetEnabling();
  }
}

bool MenuItem::TextFieldCanDo() const {
  const TextEdit edit = TextEditFor(name_);
  const QLineEdit* field = edit != TextEdit::None ? FocusedTextField() : nullptr;
  return field != nullptr && CanDo(*field, edit);
}

bool MenuItem::TextFieldDo() {
  const TextEdit edit = TextEditFor(name_);
  QLineEdit* field = edit != TextEdit::None ? FocusedTextField() : nullptr;
  if (field == nullptr || !CanDo(*field, edit)) {
    return false;
  }
  Do(*field, edit);
  return true;
}

}  // namespace vantrel
