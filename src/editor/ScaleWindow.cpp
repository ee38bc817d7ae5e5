#include "editor/ScaleWindow.h"

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <numeric>
#include <string>

#include "editor/DrawingWindow.h"
#include "platform/core/Text.h"
#include "platform/qt/CheckBox.h"
#include "platform/qt/Dialogs.h"
#include "platform/qt/EditField.h"
#include "platform/qt/EventThread.h"
#include "platform/qt/RadioButton.h"

namespace vantrel {

namespace {

constexpr char kNoNumber[] = "Can not scale. Enter each percentage as a number.";
constexpr char kTooFar[] =
    "Can not scale. The scaled points would lie farther out than a point can be placed.";

constexpr Integer kLeftAligned = 0;
constexpr Integer kRightAligned = 2;

// The open dialog. Never destroyed: a window must not be torn down by static
// destructors after Qt has gone (quitting closes the dialog anyway).
std::shared_ptr<class ScaleWindow>& Instance() {
  static auto* instance = new std::shared_ptr<class ScaleWindow>();
  return *instance;
}

// Whether the text starts with a number the way Val reads one: blanks, an
// optional sign, then a digit or a point followed by a digit.
bool StartsWithNumber(std::string_view text) {
  std::size_t i = 0;
  while (i < text.size() && (text[i] == ' ' || text[i] == '\t')) ++i;
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) ++i;
  auto digitAt = [&](std::size_t k) { return k < text.size() && text[k] >= '0' && text[k] <= '9'; };
  return digitAt(i) || (i < text.size() && text[i] == '.' && digitAt(i + 1));
}

// Whether scaling keeps every point taking part finite, with the same box
// and centre the document scales about. The document would clamp a
// coordinate that overflows, which flattens the shape beyond repair (there
// is no undo), so a scale that goes that far is refused instead.
bool StaysFinite(const DrawingWindow& dw, double fx, double fy, bool selectedOnly) {
  const std::size_t count = std::min(dw.Xpoints.size(), dw.Ypoints.size());
  auto takesPart = [&](std::size_t i) {
    return !selectedOnly || (i < dw.SelectedPoints.size() && dw.SelectedPoints[i]);
  };
  bool any = false;
  double minX = 0.0, maxX = 0.0, minY = 0.0, maxY = 0.0;
  for (std::size_t i = 0; i < count; ++i) {
    if (!takesPart(i)) continue;
    minX = any ? std::min(minX, dw.Xpoints[i]) : dw.Xpoints[i];
    maxX = any ? std::max(maxX, dw.Xpoints[i]) : dw.Xpoints[i];
    minY = any ? std::min(minY, dw.Ypoints[i]) : dw.Ypoints[i];
    maxY = any ? std::max(maxY, dw.Ypoints[i]) : dw.Ypoints[i];
    any = true;
  }
  const double cx = std::midpoint(minX, maxX);
  const double cy = std::midpoint(minY, maxY);
  for (std::size_t i = 0; i < count; ++i) {
    if (!takesPart(i)) continue;
    if (!std::isfinite(cx - (cx - dw.Xpoints[i]) * fx)) return false;
    if (!std::isfinite(cy - (cy - dw.Ypoints[i]) * fy)) return false;
  }
  return true;
}

}  // namespace

using W = class ScaleWindow;

const WindowRecord ScaleWindow::kRecord{
    .Name = "ScaleWindow",
    .Title = "Scale",
    .Width = 270,
    .Height = 246,
    .MinWidth = 64,
    .MinHeight = 64,
    .MaxWidth = 32000,
    .MaxHeight = 32000,
    .Frame = kDialogFrame,
    .Placement = kDefaultPlacement,
    .Resizeable = false,
    .CloseButton = true,
    .MinimizeButton = true,
    .MaximizeButton = false,
    .Visible = true,
};

const ControlRecord<class ScaleWindow> ScaleWindow::kControls[13] = {
    {.Name = "SelectedBox", .Kind = ControlKind::CheckBox, .Left = 20, .Top = 14, .Width = 211,
     .Height = 20, .Caption = "Only Scaled Selected Points", .Value = 1},
    {.Name = "UScaleBTN", .Kind = ControlKind::RadioButton, .Left = 20, .Top = 46, .Width = 148,
     .Height = 20, .Caption = "Uniform Scale:", .Value = 1},
    {.Name = "NonUScaleBTN", .Kind = ControlKind::RadioButton, .Left = 20, .Top = 110,
     .Width = 148, .Height = 20, .Caption = "Nonuniform Scale:", .Value = 0},
    {.Name = "UScaleField", .Kind = ControlKind::EditField, .Left = 54, .Top = 78, .Width = 80,
     .Height = 22, .Text = "100"},
    {.Name = "StaticText1", .Kind = ControlKind::StaticText, .Left = 150, .Top = 78,
     .Width = 100, .Height = 20, .Text = "Percent", .TextAlign = kLeftAligned},
    {.Name = "HScaleField", .Kind = ControlKind::EditField, .Left = 102, .Top = 142, .Width = 80,
     .Height = 22, .Text = "100"},
    {.Name = "StaticText2", .Kind = ControlKind::StaticText, .Left = 198, .Top = 142,
     .Width = 100, .Height = 20, .Text = "Percent", .TextAlign = kLeftAligned},
    {.Name = "VScaleField", .Kind = ControlKind::EditField, .Left = 102, .Top = 174, .Width = 80,
     .Height = 22, .Text = "100"},
    {.Name = "StaticText3", .Kind = ControlKind::StaticText, .Left = 198, .Top = 174,
     .Width = 100, .Height = 20, .Text = "Percent", .TextAlign = kLeftAligned},
    {.Name = "StaticText4", .Kind = ControlKind::StaticText, .Left = 0, .Top = 142, .Width = 90,
     .Height = 20, .Text = "Horazantal", .TextAlign = kRightAligned},
    {.Name = "StaticText5", .Kind = ControlKind::StaticText, .Left = 0, .Top = 174, .Width = 90,
     .Height = 20, .Text = "Vertical", .TextAlign = kRightAligned},
    {.Name = "PushButton1", .Kind = ControlKind::PushButton, .Left = 170, .Top = 206,
     .Width = 80, .Height = 20, .Caption = "Scale", .Default = true,
     .Action = &W::PushButton1_Action},
    {.Name = "PushButton2", .Kind = ControlKind::PushButton, .Left = 78, .Top = 206, .Width = 80,
     .Height = 20, .Caption = "Close", .Cancel = true, .Action = &W::PushButton2_Action},
};

class ScaleWindow& ScaleWindow() { return ScaleWindow::Shared(); }

class ScaleWindow& ScaleWindow::Shared() {
  std::shared_ptr<ScaleWindow>& instance = Instance();
  if (instance == nullptr || !instance->IsOpen()) {
    instance = std::make_shared<ScaleWindow>(Passkey());
  }
  return *instance;
}

ScaleWindow::ScaleWindow(Passkey) { Build(kRecord, kControls); }

void ScaleWindow::FindControls() {
  selectedBox_ = &ControlNamed<CheckBox>("SelectedBox");
  uScaleBTN_ = &ControlNamed<RadioButton>("UScaleBTN");
  uScaleField_ = &ControlNamed<EditField>("UScaleField");
  hScaleField_ = &ControlNamed<EditField>("HScaleField");
  vScaleField_ = &ControlNamed<EditField>("VScaleField");
}

std::optional<double> ScaleWindow::Factor(std::string_view percentText) {
  if (!StartsWithNumber(percentText)) return std::nullopt;
  return Val(percentText) / 100;
}

std::optional<std::pair<double, double>> ScaleWindow::Factors() const {
  if (uScaleBTN_->Value()) {
    const std::optional<double> f = Factor(uScaleField_->Text());
    if (!f) return std::nullopt;
    return std::pair{*f, *f};
  }
  const std::optional<double> fx = Factor(hScaleField_->Text());
  const std::optional<double> fy = Factor(vScaleField_->Text());
  if (!fx || !fy) return std::nullopt;
  return std::pair{*fx, *fy};
}

std::shared_ptr<DrawingWindow> ScaleWindow::Document() const {
  std::shared_ptr<DrawingWindow> dw = DWin.lock();
  return dw != nullptr && dw->IsOpen() ? dw : nullptr;
}

// A press with no document to act on (none yet, or its window has closed
// since its Scale button was pressed) does nothing: the dialog never edits a
// closed document, nor one the user did not point it at.
void ScaleWindow::PushButton1_Action() {
  const std::shared_ptr<DrawingWindow> dw = Document();
  if (dw == nullptr) return;
  const bool selectedOnly = selectedBox_->Value();
  // A slip of the keyboard must not collapse the path onto its centre, as a
  // factor of 0 read from an empty field would: a typed 0 still does.
  const std::optional<std::pair<double, double>> factors = Factors();
  if (!factors) return MsgBox(kNoNumber);
  const auto [fx, fy] = *factors;
  if (!StaysFinite(*dw, fx, fy, selectedOnly)) return MsgBox(kTooFar);
  dw->Scale(fx, fy, selectedOnly);
}

void ScaleWindow::PushButton2_Action() { Close(); }

void ScaleWindow::OnClose() {
  DWin.reset();
  // Let go of the shared instance on the event loop, not inside this close:
  // it may hold the last reference to this very window.
  std::shared_ptr<ScaleWindow>& instance = Instance();
  if (instance.get() == this) PostToEventThread([hold = std::move(instance)] {});
}

}  // namespace vantrel
