#include "platform/qt/StaticText.h"

#include <QLabel>

namespace vantrel {
namespace {

// Several lines start at the top; one line sits in the middle of its height.
Qt::Alignment Alignment(Integer align, bool multiLine) {
  const Qt::Alignment horizontal = align == 1   ? Qt::AlignHCenter
                                   : align == 2 ? Qt::AlignRight
                                                : Qt::AlignLeft;
  return horizontal | (multiLine ? Qt::AlignTop : Qt::AlignVCenter);
}

// Wrapped text keeps this far from the label's sides, as a desktop's text
// boxes do: a label as wide as its window would otherwise run its lines into
// the window's edges.
constexpr int kWrapInset = 12;

}  // namespace

StaticText::StaticText(const ControlDesign& design)
    : Control(design),
      text_(design.Text),
      align_(design.TextAlign),
      textSize_(design.TextSize),
      bold_(design.Bold),
      multiLine_(design.MultiLine) {}

QWidget* StaticText::CreateWidget(QWidget* parent) {
  auto* label = new QLabel(parent);
  label->setTextFormat(Qt::PlainText);
  label->setWordWrap(multiLine_);
  if (multiLine_) label->setContentsMargins(kWrapInset, 0, kWrapInset, 0);
  label->setText(QString::fromStdString(text_.Get()));
  ApplyFont(*label, textSize_, bold_);
  label->setAlignment(Alignment(TextAlign(), multiLine_));
  return label;
}

void StaticText::Text(const std::string& text) {
  if (Marshal(static_cast<void (StaticText::*)(const std::string&)>(&StaticText::Text), text)) {
    return;
  }
  text_.Set(text);
  if (auto* label = static_cast<QLabel*>(Widget())) label->setText(QString::fromStdString(text));
}

void StaticText::TextAlign(Integer align) {
  if (Marshal(static_cast<void (StaticText::*)(Integer)>(&StaticText::TextAlign), align)) return;
  align_ = align;
  ApplyAlignment();
}

void StaticText::ApplyAlignment() {
  if (auto* label = static_cast<QLabel*>(Widget())) {
    label->setAlignment(Alignment(TextAlign(), multiLine_));
  }
}

}  // namespace vantrel
