#pragma once
// Captions are shown as written: Qt would take '&' as a mnemonic marker.
#include <QString>
#include <string>

namespace vantrel {

inline QString ButtonCaption(const std::string& caption) {
  return QString::fromStdString(caption).replace(QLatin1Char('&'), QLatin1String("&&"));
}

}  // namespace vantrel
