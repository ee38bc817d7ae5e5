#include "platform/qt/Control.h"

#include <QObject>
#include <QWidget>
#include <algorithm>

#include "platform/qt/InterfaceFont.h"
#include "platform/qt/Window.h"

namespace vantrel {

Control::Control(const ControlDesign& design)
    : name_(design.Name),
      index_(design.Index),
      kind_(design.Kind),
      locks_(design.Locks),
      left_(design.Left),
      top_(design.Top),
      width_(std::max<Integer>(design.Width, 0)),
      height_(std::max<Integer>(design.Height, 0)),
      visible_(design.Visible),
      enabled_(design.Enabled) {}

Control::~Control() {
  // The widget belongs to the window's widget tree; only our own receiver of
  // its signals is ours to free, and only the event thread may free it.
  if (context_ == nullptr) return;
  if (IsEventThread()) {
    delete context_;
  } else {
    PostToEventThread([context = context_] { delete context; });
  }
}

void Control::Attach(vantrel::Window* window, QWidget* parent, Integer clientWidth,
                     Integer clientHeight) {
  window_ = window;
  context_ = new QObject();
  widget_ = CreateWidget(parent);
  rightMargin_ = clientWidth - (Left() + Width());
  bottomMargin_ = clientHeight - (Top() + Height());
  if (widget_ == nullptr) return;
  PlaceWidget();
  widget_->setEnabled(Enabled());
  widget_->setVisible(Visible());
}

void Control::Detach() {
  detached_ = true;
  widget_ = nullptr;
  delete context_;
  context_ = nullptr;
}

void Control::Left(Integer left) {
  if (Marshal(static_cast<void (Control::*)(Integer)>(&Control::Left), left)) return;
  SetGeometry(left, Top(), Width(), Height());
}

void Control::Top(Integer top) {
  if (Marshal(static_cast<void (Control::*)(Integer)>(&Control::Top), top)) return;
  SetGeometry(Left(), top, Width(), Height());
}

void Control::Width(Integer width) {
  if (Marshal(static_cast<void (Control::*)(Integer)>(&Control::Width), width)) return;
  SetGeometry(Left(), Top(), width, Height());
}

void Control::Height(Integer height) {
  if (Marshal(static_cast<void (Control::*)(Integer)>(&Control::Height), height)) return;
  SetGeometry(Left(), Top(), Width(), height);
}

void Control::Visible(bool visible) {
  if (Marshal(static_cast<void (Control::*)(bool)>(&Control::Visible), visible)) return;
  visible_ = visible;
  if (widget_ != nullptr) widget_->setVisible(visible);
}

void Control::Enabled(bool enabled) {
  if (Marshal(static_cast<void (Control::*)(bool)>(&Control::Enabled), enabled)) return;
  enabled_ = enabled;
  if (widget_ != nullptr) widget_->setEnabled(enabled);
}

void Control::SetGeometry(Integer left, Integer top, Integer width, Integer height) {
  const bool sizeChanged = width != Width() || height != Height();
  left_ = left;
  top_ = top;
  width_ = std::max<Integer>(width, 0);
  height_ = std::max<Integer>(height, 0);
  RememberMargins();
  PlaceWidget();
  if (sizeChanged) Resized();
}

// A place set by the program becomes the new reference for the locks.
void Control::RememberMargins() {
  if (window_ == nullptr) return;
  rightMargin_ = window_->Width() - (Left() + Width());
  bottomMargin_ = window_->Height() - (Top() + Height());
}

void Control::FollowWindow(Integer clientWidth, Integer clientHeight) {
  Integer left = Left();
  Integer top = Top();
  Integer width = Width();
  Integer height = Height();
  if ((locks_ & Lock::Right) != 0) {
    if ((locks_ & Lock::Left) != 0) {
      width = std::max<Integer>(clientWidth - rightMargin_ - left, 0);
    } else {
      left = clientWidth - rightMargin_ - width;
    }
  }
  if ((locks_ & Lock::Bottom) != 0) {
    if ((locks_ & Lock::Top) != 0) {
      height = std::max<Integer>(clientHeight - bottomMargin_ - top, 0);
    } else {
      top = clientHeight - bottomMargin_ - height;
    }
  }
  const bool sizeChanged = width != Width() || height != Height();
  left_ = left;
  top_ = top;
  width_ = width;
  height_ = height;
  PlaceWidget();
  if (sizeChanged) Resized();
}

void Control::PlaceWidget() {
  if (widget_ != nullptr) widget_->setGeometry(Left(), Top(), Width(), Height());
}

void Control::ApplyFont(QWidget& widget, Integer textSize, bool bold) {
  // Otherwise the control keeps the interface font its window gives it.
  if (textSize <= 0 && !bold) return;
  widget.setFont(InterfaceFont(textSize, bold));
}

}  // namespace vantrel
