#include "platform/qt/InterfaceFont.h"

namespace vantrel {

QFont InterfaceFont(Integer textSize, bool bold) {
  QFont font(QString::fromLatin1(kInterfaceFamily));
  // Without the family installed, a sans-serif one stands in.
  font.setStyleHint(QFont::SansSerif);
  font.setPixelSize(textSize > 0 ? textSize : kInterfaceTextSize);
  font.setBold(bold);
  return font;
}

}  // namespace vantrel
