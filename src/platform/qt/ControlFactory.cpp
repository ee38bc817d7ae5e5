#include "platform/qt/ControlFactory.h"

#include "platform/qt/BevelButton.h"
#include "platform/qt/Canvas.h"
#include "platform/qt/CheckBox.h"
#include "platform/qt/ComboBox.h"
#include "platform/qt/EditField.h"
#include "platform/qt/ProgressBar.h"
#include "platform/qt/PushButton.h"
#include "platform/qt/RadioButton.h"
#include "platform/qt/Rectangle.h"
#include "platform/qt/ScrollBar.h"
#include "platform/qt/Separator.h"
#include "platform/qt/StaticText.h"
#include "platform/qt/Timer.h"

namespace vantrel {

std::shared_ptr<Control> CreateControl(const ControlDesign& design) {
  switch (design.Kind) {
    case ControlKind::Canvas: return std::make_shared<Canvas>(design);
    case ControlKind::StaticText: return std::make_shared<StaticText>(design);
    case ControlKind::EditField: return std::make_shared<EditField>(design);
    case ControlKind::CheckBox: return std::make_shared<CheckBox>(design);
    case ControlKind::RadioButton: return std::make_shared<RadioButton>(design);
    case ControlKind::ScrollBar: return std::make_shared<ScrollBar>(design);
    case ControlKind::ProgressBar: return std::make_shared<ProgressBar>(design);
    case ControlKind::Rectangle: return std::make_shared<Rectangle>(design);
    case ControlKind::ComboBox: return std::make_shared<ComboBox>(design);
    case ControlKind::PushButton: return std::make_shared<PushButton>(design);
    case ControlKind::BevelButton: return std::make_shared<BevelButton>(design);
    case ControlKind::Separator: return std::make_shared<Separator>(design);
    case ControlKind::Timer: return std::make_shared<Timer>(design);
  }
  return std::make_shared<StaticText>(design);  // unreachable: every kind is listed
}

}  // namespace vantrel
