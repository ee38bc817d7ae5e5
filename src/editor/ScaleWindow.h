#pragma once
// The "Scale" dialog: one small modeless window shared by all documents. It
// scales the points of one document (all of them, or only the selected ones)
// about the centre of their bounding box, by one uniform percentage or by
// separate horizontal and vertical ones. A document's Scale button shows it
// and points it at that document (DWin); "Scale" applies the percentages and
// leaves the dialog open, so repeated presses compound; "Close" closes it,
// and the next use of the accessor builds a fresh one with the design values.
//
// The dialog never acts on a document that has closed meanwhile: it holds
// the document weakly and checks that it is still open. Event thread only.
#include <memory>
#include <optional>
#include <string_view>
#include <utility>

#include "platform/qt/ControlRecord.h"
#include "platform/qt/Window.h"
#include "platform/qt/WindowRecord.h"

namespace vantrel {

class CheckBox;
class DrawingWindow;
class EditField;
class RadioButton;
class ScaleWindow;

// The one Scale dialog: the open one, or a new one (built and shown) when
// there is none.
class ScaleWindow& ScaleWindow();

class ScaleWindow : public Window {
  // Lets Shared reach the constructor through std::make_shared.
  struct Passkey {
    explicit Passkey() = default;
  };

 public:
  // What the accessor ScaleWindow() returns.
  static ScaleWindow& Shared();

  explicit ScaleWindow(Passkey);

  // The document the dialog scales: set by the document's Scale button each
  // time it is pressed; empty before that.
  std::weak_ptr<DrawingWindow> DWin;

  // The percentage written in a field as a factor (50 -> 0.5); none when the
  // text does not start with a number, as an empty field does.
  static std::optional<double> Factor(std::string_view percentText);

  // The window and control records, as designed (controls in creation order).
  static const WindowRecord kRecord;
  static const ControlRecord<ScaleWindow> kControls[13];

  // "Scale": applies the percentages to DWin. "Close": closes the dialog.
  void PushButton1_Action();
  void PushButton2_Action();

 protected:
  void OnClose() override;
  void FindControls() override;

 private:
  // DWin while its window is still open; null otherwise.
  std::shared_ptr<DrawingWindow> Document() const;
  // The horizontal and vertical factors the fields in use ask for; none when
  // one of them holds no number.
  std::optional<std::pair<double, double>> Factors() const;

  // Found once the window is built; the controls live as long as the window.
  CheckBox* selectedBox_ = nullptr;
  RadioButton* uScaleBTN_ = nullptr;
  EditField* uScaleField_ = nullptr;
  EditField* hScaleField_ = nullptr;
  EditField* vScaleField_ = nullptr;
};

}  // namespace vantrel
