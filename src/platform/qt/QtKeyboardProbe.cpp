#include "platform/qt/QtKeyboardProbe.h"

#include <QGuiApplication>

namespace vantrel {

namespace {

bool Held(Qt::KeyboardModifier key) {
  // Without a running QGuiApplication there is no keyboard to ask.
  if (qobject_cast<QGuiApplication*>(QCoreApplication::instance()) == nullptr) {
    return false;
  }
  return QGuiApplication::queryKeyboardModifiers().testFlag(key);
}

}  // namespace

bool QtKeyboardProbe::ShiftKey() const { return Held(Qt::ShiftModifier); }

bool QtKeyboardProbe::CommandKey() const { return Held(Qt::ControlModifier); }

}  // namespace vantrel
