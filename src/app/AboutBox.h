#pragma once
// The About window: the product name, the credits, the copyright line and the
// running program's version over a backdrop of snowflakes, with "View Site",
// "Close" and "Contact". Modeless; at most one is open at a time. It reads
// nothing of the documents, only the application object's version numbers.
// Event thread only.
#include <memory>

#include "platform/qt/ControlRecord.h"
#include "platform/qt/Window.h"
#include "platform/qt/WindowRecord.h"

namespace vantrel {

class AboutBox;
class Picture;
class StaticText;

// The open About window, or a new one, built and shown. The window stays
// the one instance until it closes; the next call after that builds anew.
std::shared_ptr<AboutBox> AboutBox();

// The backdrop: snowflakes drawn by the renderer, made once per run and
// shared by every About window. nullptr when the picture cannot be made (the
// window then has no backdrop, and the next call tries again).
std::shared_ptr<const Picture> AboutBoxpic();

class AboutBox : public Window {
  // Lets the accessor reach the constructor through std::make_shared.
  struct Passkey {
    explicit Passkey() = default;
  };

 public:
  // Where the two links of the window lead.
  static constexpr char kSiteAddress[] = "https://vantrel.example/";
  static constexpr char kContactAddress[] = "hello@vantrel.example";

  explicit AboutBox(Passkey);

  // The window and control records, as designed (controls in creation order).
  static const WindowRecord kRecord;
  static const ControlRecord<AboutBox> kControls[7];

 protected:
  void OnClose() override;
  void FindControls() override;

 private:
  friend std::shared_ptr<class AboutBox> vantrel::AboutBox();

  void PushButton1_Action();
  void StaticText4_Open();
  void PushButton2_Action();
  void PushButton3_Action();

  // Found once the window is built; it lives as long as the window.
  StaticText* staticText4_ = nullptr;
};

}  // namespace vantrel
