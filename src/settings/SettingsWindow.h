#pragma once
// The settings window of one document: a small floating window that shows the
// document's SettingSet as eight colour swatches ("ColorRec"), eight number
// fields ("ValField") and three check boxes ("CkBox"), each array member
// editing the element of the same index. There is no OK or Cancel: every edit
// goes straight into the document's live settings, restarts its preview or
// redraws its point markers, and marks the document changed.
//
// While the window is built, each editing control binds itself to its
// setting: for a new document (LoadDefaulySettings) the control's design
// value becomes the setting, which is how a new document gets its defaults;
// otherwise the control shows the setting. The design values are the
// catalogue's defaults (SettingsCatalogue), so they live in one place.
//
// The user's close box only hides the window; it closes for good when the
// application quits, when its document closes or reads its file again.
// Event thread only.
#include <array>
#include <memory>
#include <tuple>

#include "editor/DocumentServices.h"
#include "model/SettingSet.h"
#include "platform/core/Numbers.h"
#include "platform/qt/ControlRecord.h"
#include "platform/qt/WindowRecord.h"

namespace vantrel {

class CheckBox;
class DrawingWindow;
class EditField;
class Rectangle;

class SettingsWindow : public SettingsWindowBase {
  // Lets the factory reach the constructor through std::make_shared.
  struct Passkey {
    explicit Passkey() = default;
  };

 public:
  // The window's place on the screen, set before it is built.
  static constexpr Integer kLeft = 0;
  static constexpr Integer kTop = 80;

  // Builds, binds and shows the settings window of dw. Everything is bound
  // when it returns, so a new document may clear LoadDefaulySettings next.
  static std::shared_ptr<SettingsWindow> Create(DrawingWindow& dw);
  // The same, in the form the document windows ask for it (Services()).
  static std::shared_ptr<SettingsWindowBase> NewSettingsWindow(DrawingWindow& dw);
  // Installs NewSettingsWindow in Services(); the application does it at start-up.
  static void InstallFactory();

  SettingsWindow(Passkey, DrawingWindow& dw);

  // The document whose settings the window edits; let go when the window
  // closes, which breaks the cycle with the document's SettingsWin.
  std::shared_ptr<DrawingWindow> DrawingWin;

  // The window and control records, as designed (controls in creation order).
  static const WindowRecord kRecord;
  static const ControlRecord<SettingsWindow> kControls[38];

 protected:
  void OnOpen() override;
  void OnActivate() override;
  void MouseExit() override;
  bool CancelClose(bool appQuitting) override;
  void OnClose() override;
  void FindControls() override;

 private:
  // The array members, by Index: one per element of the settings' arrays.
  CheckBox& CkBox(Integer i) const;
  EditField& ValField(Integer i) const;
  Rectangle& ColorRec(Integer i) const;

  // Binding while the window is built.
  void CkBox_Open(Integer i);
  void ValField_Open(Integer i);
  void ColorRec_Open(Integer i);
  // Editing by the user.
  void CkBox_Action(Integer i);
  void ValField_TextChange(Integer i);
  bool ColorRec_MouseDown(Integer i, Integer x, Integer y);

  SettingSet& Settings() const;
  // After an edit: restart the preview, or only hand the new settings to the
  // preview thread (which reads the newest snapshot at its next round).
  void Refresh(bool restartPreview);
  // The point markers drawn at once onto the document's canvas.
  void RedrawMarkers();

  // Found once the window is built; the controls live as long as the window.
  std::array<CheckBox*, std::tuple_size_v<decltype(SettingSet::Booleans)>> ckBox_{};
  std::array<EditField*, std::tuple_size_v<decltype(SettingSet::Ints)>> valField_{};
  std::array<Rectangle*, std::tuple_size_v<decltype(SettingSet::Colors)>> colorRec_{};
};

}  // namespace vantrel
