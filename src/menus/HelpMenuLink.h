#pragma once
// One web link in the Help menu, made from a line of "Links.txt": the caption,
// a tab, the link. Choosing it hands the link to the desktop.
#include <string>

#include "platform/qt/MenuItem.h"

namespace vantrel {

class HelpMenuLink : public MenuItem {
 public:
  // The caption is the line's first tab-separated field, Link its second;
  // text after a second tab is ignored. A line without a tab shows whole and
  // opens an empty link; a line "-" shows as a separator.
  explicit HelpMenuLink(const std::string& s);
  ~HelpMenuLink() override;

  // Handed to the desktop unchanged.
  const std::string Link;

 protected:
  bool Action() override;
  bool HasAction() const override { return true; }
};

}  // namespace vantrel
