#include "platform/qt/EditField.h"

#include <QLineEdit>
#include <QRegularExpression>
#include <QRegularExpressionValidator>

namespace vantrel {

EditField::EditField(const ControlDesign& design)
    : Control(design),
      text_(design.Text),
      mask_(design.Mask),
      textAlign_(design.TextAlign),
      textSize_(design.TextSize),
      bold_(design.Bold) {}

std::string EditField::MaskPattern(std::string_view mask) {
  if (mask.empty()) return {};
  int whole = 0;
  int fraction = 0;
  bool point = false;
  for (const char c : mask) {
    if (c == '.') {
      point = true;
    } else if (c == '#' || c == '9') {
      ++(point ? fraction : whole);
    }
  }
  std::string pattern = "\\d{0," + std::to_string(whole) + "}";
  if (point) pattern += "(\\.\\d{0," + std::to_string(fraction) + "})?";
  return pattern;
}

QWidget* EditField::CreateWidget(QWidget* parent) {
  auto* edit = new QLineEdit(parent);
  edit->setText(QString::fromStdString(text_.Get()));
  if (textAlign_ == 1) edit->setAlignment(Qt::AlignHCenter);
  if (textAlign_ == 2) edit->setAlignment(Qt::AlignRight);
  ApplyFont(*edit, textSize_, bold_);
  const std::string pattern = MaskPattern(mask_);
  if (!pattern.empty()) {
    const QRegularExpression expression(QString::fromStdString(pattern));
    edit->setValidator(new QRegularExpressionValidator(expression, edit));
  }
  QObject::connect(edit, &QLineEdit::textChanged, Context(),
                   [this](const QString& text) { text_.Set(text.toStdString()); });
  // textEdited comes only from the user, so a Text set by the program raises nothing.
  QObject::connect(edit, &QLineEdit::textEdited, Context(), [this](const QString& text) {
    text_.Set(text.toStdString());
    if (Events.TextChange) RunHandler(Events.TextChange);
  });
  return edit;
}

void EditField::Text(const std::string& text) {
  if (Marshal(static_cast<void (EditField::*)(const std::string&)>(&EditField::Text), text)) {
    return;
  }
  text_.Set(text);
  if (auto* edit = static_cast<QLineEdit*>(Widget())) edit->setText(QString::fromStdString(text));
}

}  // namespace vantrel
