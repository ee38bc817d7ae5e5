#include "platform/qt/ComboBox.h"

#include <QComboBox>
#include <QLineEdit>

namespace vantrel {

ComboBox::ComboBox(const ControlDesign& design)
    : Control(design),
      text_(design.Text),
      items_(design.Items),
      listIndex_(design.ListIndex),
      textSize_(design.TextSize),
      bold_(design.Bold) {}

QWidget* ComboBox::CreateWidget(QWidget* parent) {
  auto* box = new QComboBox(parent);
  box->setEditable(true);
  box->setInsertPolicy(QComboBox::NoInsert);  // typing never adds items
  box->setCompleter(nullptr);                 // nor completes them
  ApplyFont(*box, textSize_, bold_);
  if (!items_.empty()) box->addItems(QString::fromStdString(items_).split(QChar(13)));
  listCount_ = box->count();
  const Integer index = listIndex_.load();
  box->setCurrentIndex(index >= 0 && index < box->count() ? index : -1);
  if (const std::string text = text_.Get(); !text.empty() || box->currentIndex() < 0) {
    box->setEditText(QString::fromStdString(text));
  }
  listIndex_ = box->currentIndex();
  text_.Set(box->currentText().toStdString());

  QObject::connect(box, &QComboBox::currentIndexChanged, Context(),
                   [this](int i) { listIndex_ = i; });
  QObject::connect(box, &QComboBox::editTextChanged, Context(),
                   [this](const QString& text) { text_.Set(text.toStdString()); });
  // activated and textEdited come only from the user.
  QObject::connect(box, &QComboBox::activated, Context(), [this, box](int i) {
    listIndex_ = i;
    text_.Set(box->currentText().toStdString());
    if (Events.Change) RunHandler(Events.Change);
  });
  QObject::connect(box->lineEdit(), &QLineEdit::textEdited, Context(),
                   [this](const QString& text) {
                     text_.Set(text.toStdString());
                     if (Events.TextChanged) RunHandler(Events.TextChanged);
                   });
  return box;
}

void ComboBox::ListIndex(Integer index) {
  if (Marshal(static_cast<void (ComboBox::*)(Integer)>(&ComboBox::ListIndex), index)) return;
  auto* box = static_cast<QComboBox*>(Widget());
  if (box == nullptr || index < -1 || index >= box->count()) return;
  box->setCurrentIndex(index);
  listIndex_ = box->currentIndex();
  text_.Set(box->currentText().toStdString());
}

void ComboBox::Text(const std::string& text) {
  if (Marshal(static_cast<void (ComboBox::*)(const std::string&)>(&ComboBox::Text), text)) {
    return;
  }
  text_.Set(text);
  if (auto* box = static_cast<QComboBox*>(Widget())) box->setEditText(QString::fromStdString(text));
}

void ComboBox::AddRow(const std::string& item) {
  if (Marshal(&ComboBox::AddRow, item)) return;
  if (auto* box = static_cast<QComboBox*>(Widget())) {
    box->addItem(QString::fromStdString(item));
    listCount_ = box->count();
  }
}

}  // namespace vantrel
