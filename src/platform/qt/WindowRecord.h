#pragma once
// A window's design values, applied when the window is built.
#include <memory>
#include <optional>
#include <string_view>

#include "platform/core/Numbers.h"

namespace vantrel {

class MenuBar;
class Picture;

// Frame kinds.
inline constexpr Integer kDocumentFrame = 0;
inline constexpr Integer kFloatingFrame = 3;  // stays above the documents
inline constexpr Integer kDialogFrame = 11;   // small modeless dialog

// Placement codes that mean something here; others leave it to the desktop.
inline constexpr Integer kDefaultPlacement = 0;
inline constexpr Integer kCentredPlacement = 2;

struct WindowRecord {
  std::string_view Name{};   // the window's name in the code, for messages about it
  std::string_view Title{};
  Integer Width = 300;   // the client area, below the menu bar if any
  Integer Height = 300;
  Integer MinWidth = 64;
  Integer MinHeight = 64;
  Integer MaxWidth = 32000;
  Integer MaxHeight = 32000;
  Integer Frame = kDocumentFrame;
  Integer Placement = kDefaultPlacement;
  bool Resizeable = true;
  bool CloseButton = true;
  bool MinimizeButton = true;
  bool MaximizeButton = true;
  bool Visible = true;
  vantrel::MenuBar* MenuBar = nullptr;
  std::shared_ptr<const Picture> Backdrop{};  // drawn as the window's background
  std::optional<Integer> Left{};            // screen position; wins over Placement
  std::optional<Integer> Top{};
};

}  // namespace vantrel
