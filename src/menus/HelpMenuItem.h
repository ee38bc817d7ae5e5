#pragma once
// One help document in the Help menu. Choosing it opens the document in the
// desktop's default application for it.
#include "platform/core/FolderItem.h"
#include "platform/qt/MenuItem.h"

namespace vantrel {

class HelpMenuItem : public MenuItem {
 public:
  // The caption is f's name without its last four characters, the extension
  // (".pdf", ".rtf") that made it a help document: Guide.pdf shows Guide.
  explicit HelpMenuItem(FolderItem f);
  ~HelpMenuItem() override;

  // The document the entry opens.
  const FolderItem f;

 protected:
  bool Action() override;
  bool HasAction() const override { return true; }
};

}  // namespace vantrel
