#include "settings/SettingsWindow.h"

#include <array>
#include <cstddef>
#include <stdexcept>
#include <string>
#include <string_view>

#include "editor/DrawingWindow.h"
#include "model/SettingSet.h"
#include "model/SettingsCatalogue.h"
#include "platform/core/Text.h"
#include "platform/qt/Canvas.h"
#include "platform/qt/CheckBox.h"
#include "platform/qt/Dialogs.h"
#include "platform/qt/EditField.h"
#include "platform/qt/EventThread.h"
#include "platform/qt/Rectangle.h"

namespace vantrel {

namespace {

constexpr Integer kLastPreviewNumber = 4;  // line widths, point size, grid densities

constexpr std::string_view kTitlePrefix = "Settings for: ";
constexpr std::string_view kColorPrompt = "Selecte a Color";

constexpr Color kBlack{0, 0, 0};
constexpr unsigned kSectionLabel = Lock::Left | Lock::Top;
constexpr unsigned kRenderingLabel = Lock::Left;
constexpr Integer kLeftAligned = 0;
constexpr Integer kRightAligned = 2;

// Captions and design values come from the catalogue, so that the defaults a
// new document takes and the rows' captions live in one place.
std::string_view ColorLabel(std::size_t k) { return SettingsCatalogue::Colors()[k].Label; }
std::string_view NumberLabel(std::size_t k) { return SettingsCatalogue::Ints()[k].Label; }
std::string_view SwitchLabel(std::size_t k) { return SettingsCatalogue::Booleans()[k].Label; }
std::string_view Heading(SettingGroup group) { return SettingsCatalogue::GroupHeading(group); }
Color DesignColor(std::size_t k) { return SettingsCatalogue::Colors()[k].Default; }
Integer DesignSwitch(std::size_t k) { return SettingsCatalogue::Booleans()[k].Default ? 1 : 0; }

// A field's design value is its text: the default as Str writes it, which
// is also how a field shows a document's setting.
const std::array<std::string, 8> kDesignTexts = [] {
  std::array<std::string, 8> texts;
  for (std::size_t k = 0; k < texts.size(); ++k) {
    texts[k] = Str(SettingsCatalogue::Ints()[k].Default);
  }
  return texts;
}();
std::string_view DesignText(std::size_t k) { return kDesignTexts[k]; }

// Array indexes come from the table; at() turns a stray one into an exception
// that the event's handler reports, never into a write out of bounds.
std::size_t Slot(Integer i) { return static_cast<std::size_t>(i); }

// The members of a control array, Index 0 upwards, one per element.
template <class C, std::size_t N>
void FindMembers(const Window& window, std::string_view name, std::array<C*, N>& members) {
  for (std::size_t k = 0; k < N; ++k) {
    members[k] = &window.ControlNamed<C>(name, static_cast<Integer>(k));
  }
}

bool NumberRestartsPreview(Integer i, bool framedToRenderProportions) {
  if (i <= kLastPreviewNumber) return true;
  // The canvas follows the render proportions only while framed to them.
  return framedToRenderProportions && (i == kRenderWidth || i == kRenderHeight);
}

// The preview and grid colours are drawn only by the preview, so a new one
// restarts it and shows at once, as the background and line colours do. The
// other colours are the markers' (or the render's): redrawing them suffices.
bool ColorRestartsPreview(Integer i) {
  return i == kBackgroundColor || i == kLineColor || i == kPreviewColor || i == kGridColor;
}

// The document held for as long as the window is open. A document that is
// not (yet) owned by a shared_ptr is held by address only.
std::shared_ptr<DrawingWindow> Holding(DrawingWindow& dw) {
  return std::shared_ptr<DrawingWindow>(dw.weak_from_this().lock(), &dw);
}

}  // namespace

using W = SettingsWindow;

const WindowRecord SettingsWindow::kRecord{
    .Name = "SettingsWindow",
    .Title = "Vantrel Settings",
    .Width = 350,
    .Height = 466,
    .MinWidth = 64,
    .MinHeight = 64,
    .MaxWidth = 32000,
    .MaxHeight = 32000,
    .Frame = kFloatingFrame,
    .Placement = kDefaultPlacement,
    .Resizeable = false,
    .CloseButton = true,
    .MinimizeButton = true,
    .MaximizeButton = false,
    .Visible = true,
};

// In creation order. The labels of the two sections are 128 x 20, right
// aligned, with their control at x 152 one pixel higher; the grid column's
// labels stand above their fields.
const ControlRecord<SettingsWindow> SettingsWindow::kControls[38] = {
    {.Name = "Lable", .Index = 1, .Kind = ControlKind::StaticText,
     .Left = 20, .Top = 14, .Width = 100, .Height = 20, .Locks = kSectionLabel,
     .Text = Heading(SettingGroup::Drawing), .TextAlign = kLeftAligned},
    {.Name = "Separator3", .Kind = ControlKind::Separator,
     .Left = 0, .Top = 276, .Width = 350, .Height = 4, .Locks = Lock::Left | Lock::Right},
    {.Name = "Lable", .Index = 3, .Kind = ControlKind::StaticText,
     .Left = 20, .Top = 292, .Width = 100, .Height = 20, .Locks = kRenderingLabel,
     .Text = Heading(SettingGroup::Rendering), .TextAlign = kLeftAligned},
    {.Name = "CkBox", .Index = 1, .Kind = ControlKind::CheckBox,
     .Left = 224, .Top = 114, .Width = 120, .Height = 20, .Locks = Lock::None,
     .Caption = SwitchLabel(1), .Value = DesignSwitch(1),
     .Open = &W::CkBox_Open, .Action = &W::CkBox_Action},
    {.Name = "CkBox", .Index = 0, .Kind = ControlKind::CheckBox,
     .Left = 224, .Top = 82, .Width = 120, .Height = 20, .Locks = Lock::None,
     .Caption = SwitchLabel(0), .Value = DesignSwitch(0),
     .Open = &W::CkBox_Open, .Action = &W::CkBox_Action},
    {.Name = "ValField", .Index = 3, .Kind = ControlKind::EditField,
     .Left = 229, .Top = 177, .Width = 80, .Height = 22, .Locks = Lock::None,
     .Text = DesignText(3), .Mask = "999999.9999999999",
     .Open = &W::ValField_Open, .TextChange = &W::ValField_TextChange},
    {.Name = "Lable", .Index = 4, .Kind = ControlKind::StaticText,
     .Left = 229, .Top = 145, .Width = 115, .Height = 20, .Locks = kSectionLabel,
     .Text = NumberLabel(3), .TextAlign = kLeftAligned},
    {.Name = "ValField", .Index = 4, .Kind = ControlKind::EditField,
     .Left = 229, .Top = 243, .Width = 80, .Height = 22, .Locks = Lock::None,
     .Text = DesignText(4), .Mask = "999999.9999999999",
     .Open = &W::ValField_Open, .TextChange = &W::ValField_TextChange},
    {.Name = "Lable", .Index = 5, .Kind = ControlKind::StaticText,
     .Left = 229, .Top = 211, .Width = 115, .Height = 20, .Locks = kSectionLabel,
     .Text = NumberLabel(4), .TextAlign = kLeftAligned},
    {.Name = "Lable", .Index = 7, .Kind = ControlKind::StaticText,
     .Left = 20, .Top = 45, .Width = 128, .Height = 20, .Locks = kSectionLabel,
     .Text = ColorLabel(0), .TextAlign = kRightAligned},
    {.Name = "ColorRec", .Index = 0, .Kind = ControlKind::Rectangle,
     .Left = 152, .Top = 44, .Width = 60, .Height = 22, .Locks = Lock::None,
     .FillColor = DesignColor(0), .BorderWidth = 1, .TopLeftColor = kBlack,
     .BottomRightColor = kBlack, .Open = &W::ColorRec_Open, .MouseDown = &W::ColorRec_MouseDown},
    {.Name = "Lable", .Index = 10, .Kind = ControlKind::StaticText,
     .Left = 20, .Top = 70, .Width = 128, .Height = 20, .Locks = kSectionLabel,
     .Text = ColorLabel(1), .TextAlign = kRightAligned},
    {.Name = "ColorRec", .Index = 1, .Kind = ControlKind::Rectangle,
     .Left = 152, .Top = 69, .Width = 60, .Height = 22, .Locks = Lock::None,
     .FillColor = DesignColor(1), .BorderWidth = 1, .TopLeftColor = kBlack,
     .BottomRightColor = kBlack, .Open = &W::ColorRec_Open, .MouseDown = &W::ColorRec_MouseDown},
    {.Name = "Lable", .Index = 11, .Kind = ControlKind::StaticText,
     .Left = 20, .Top = 95, .Width = 128, .Height = 20, .Locks = kSectionLabel,
     .Text = ColorLabel(2), .TextAlign = kRightAligned},
    {.Name = "ColorRec", .Index = 2, .Kind = ControlKind::Rectangle,
     .Left = 152, .Top = 94, .Width = 60, .Height = 22, .Locks = Lock::None,
     .FillColor = DesignColor(2), .BorderWidth = 1, .TopLeftColor = kBlack,
     .BottomRightColor = kBlack, .Open = &W::ColorRec_Open, .MouseDown = &W::ColorRec_MouseDown},
    {.Name = "Lable", .Index = 12, .Kind = ControlKind::StaticText,
     .Left = 20, .Top = 120, .Width = 128, .Height = 20, .Locks = kSectionLabel,
     .Text = NumberLabel(0), .TextAlign = kRightAligned},
    {.Name = "Lable", .Index = 13, .Kind = ControlKind::StaticText,
     .Left = 20, .Top = 145, .Width = 128, .Height = 20, .Locks = kSectionLabel,
     .Text = NumberLabel(1), .TextAlign = kRightAligned},
    {.Name = "ValField", .Index = 0, .Kind = ControlKind::EditField,
     .Left = 152, .Top = 119, .Width = 60, .Height = 22, .Locks = Lock::None,
     .Text = DesignText(0), .Mask = "#99",
     .Open = &W::ValField_Open, .TextChange = &W::ValField_TextChange},
    {.Name = "ValField", .Index = 1, .Kind = ControlKind::EditField,
     .Left = 152, .Top = 144, .Width = 60, .Height = 22, .Locks = Lock::None,
     .Text = DesignText(1), .Mask = "#99",
     .Open = &W::ValField_Open, .TextChange = &W::ValField_TextChange},
    {.Name = "Lable", .Index = 14, .Kind = ControlKind::StaticText,
     .Left = 20, .Top = 170, .Width = 128, .Height = 20, .Locks = kSectionLabel,
     .Text = NumberLabel(2), .TextAlign = kRightAligned},
    {.Name = "ValField", .Index = 2, .Kind = ControlKind::EditField,
     .Left = 152, .Top = 169, .Width = 60, .Height = 22, .Locks = Lock::None,
     .Text = DesignText(2), .Mask = "#99",
     .Open = &W::ValField_Open, .TextChange = &W::ValField_TextChange},
    {.Name = "Lable", .Index = 15, .Kind = ControlKind::StaticText,
     .Left = 20, .Top = 195, .Width = 128, .Height = 20, .Locks = kSectionLabel,
     .Text = ColorLabel(3), .TextAlign = kRightAligned},
    {.Name = "ColorRec", .Index = 3, .Kind = ControlKind::Rectangle,
     .Left = 152, .Top = 194, .Width = 60, .Height = 22, .Locks = Lock::None,
     .FillColor = DesignColor(3), .BorderWidth = 1, .TopLeftColor = kBlack,
     .BottomRightColor = kBlack, .Open = &W::ColorRec_Open, .MouseDown = &W::ColorRec_MouseDown},
    {.Name = "Lable", .Index = 16, .Kind = ControlKind::StaticText,
     .Left = 20, .Top = 325, .Width = 128, .Height = 20, .Locks = kRenderingLabel,
     .Text = ColorLabel(4), .TextAlign = kRightAligned},
    {.Name = "ColorRec", .Index = 4, .Kind = ControlKind::Rectangle,
     .Left = 152, .Top = 324, .Width = 60, .Height = 22, .Locks = Lock::None,
     .FillColor = DesignColor(4), .BorderWidth = 1, .TopLeftColor = kBlack,
     .BottomRightColor = kBlack, .Open = &W::ColorRec_Open, .MouseDown = &W::ColorRec_MouseDown},
    {.Name = "Lable", .Index = 17, .Kind = ControlKind::StaticText,
     .Left = 20, .Top = 350, .Width = 128, .Height = 20, .Locks = kRenderingLabel,
     .Text = ColorLabel(5), .TextAlign = kRightAligned},
    {.Name = "ColorRec", .Index = 5, .Kind = ControlKind::Rectangle,
     .Left = 152, .Top = 349, .Width = 60, .Height = 22, .Locks = Lock::None,
     .FillColor = DesignColor(5), .BorderWidth = 1, .TopLeftColor = kBlack,
     .BottomRightColor = kBlack, .Open = &W::ColorRec_Open, .MouseDown = &W::ColorRec_MouseDown},
    {.Name = "Lable", .Index = 18, .Kind = ControlKind::StaticText,
     .Left = 20, .Top = 375, .Width = 128, .Height = 20, .Locks = kRenderingLabel,
     .Text = NumberLabel(5), .TextAlign = kRightAligned},
    {.Name = "Lable", .Index = 19, .Kind = ControlKind::StaticText,
     .Left = 20, .Top = 400, .Width = 128, .Height = 20, .Locks = kRenderingLabel,
     .Text = NumberLabel(6), .TextAlign = kRightAligned},
    {.Name = "ValField", .Index = 5, .Kind = ControlKind::EditField,
     .Left = 152, .Top = 374, .Width = 60, .Height = 22, .Locks = Lock::None,
     .Text = DesignText(5), .Mask = "#99",
     .Open = &W::ValField_Open, .TextChange = &W::ValField_TextChange},
    {.Name = "ValField", .Index = 6, .Kind = ControlKind::EditField,
     .Left = 152, .Top = 399, .Width = 60, .Height = 22, .Locks = Lock::None,
     .Text = DesignText(6), .Mask = "#9999",
     .Open = &W::ValField_Open, .TextChange = &W::ValField_TextChange},
    {.Name = "Lable", .Index = 20, .Kind = ControlKind::StaticText,
     .Left = 20, .Top = 425, .Width = 128, .Height = 20, .Locks = kRenderingLabel,
     .Text = NumberLabel(7), .TextAlign = kRightAligned},
    {.Name = "ValField", .Index = 7, .Kind = ControlKind::EditField,
     .Left = 152, .Top = 424, .Width = 60, .Height = 22, .Locks = Lock::None,
     .Text = DesignText(7), .Mask = "#9999",
     .Open = &W::ValField_Open, .TextChange = &W::ValField_TextChange},
    {.Name = "Lable", .Index = 21, .Kind = ControlKind::StaticText,
     .Left = 20, .Top = 220, .Width = 128, .Height = 20, .Locks = kSectionLabel,
     .Text = ColorLabel(6), .TextAlign = kRightAligned},
    {.Name = "ColorRec", .Index = 6, .Kind = ControlKind::Rectangle,
     .Left = 152, .Top = 219, .Width = 60, .Height = 22, .Locks = Lock::None,
     .FillColor = DesignColor(6), .BorderWidth = 1, .TopLeftColor = kBlack,
     .BottomRightColor = kBlack, .Open = &W::ColorRec_Open, .MouseDown = &W::ColorRec_MouseDown},
    {.Name = "Lable", .Index = 22, .Kind = ControlKind::StaticText,
     .Left = 20, .Top = 245, .Width = 128, .Height = 20, .Locks = kSectionLabel,
     .Text = ColorLabel(7), .TextAlign = kRightAligned},
    {.Name = "ColorRec", .Index = 7, .Kind = ControlKind::Rectangle,
     .Left = 152, .Top = 244, .Width = 60, .Height = 22, .Locks = Lock::None,
     .FillColor = DesignColor(7), .BorderWidth = 1, .TopLeftColor = kBlack,
     .BottomRightColor = kBlack, .Open = &W::ColorRec_Open, .MouseDown = &W::ColorRec_MouseDown},
    // In the top row beside "Drawing:", though it concerns the render size.
    {.Name = "CkBox", .Index = 2, .Kind = ControlKind::CheckBox,
     .Left = 132, .Top = 14, .Width = 218, .Height = 20, .Locks = Lock::None,
     .Caption = SwitchLabel(2), .Value = DesignSwitch(2),
     .Open = &W::CkBox_Open, .Action = &W::CkBox_Action},
};

// --- Making the window ----------------------------------------------------------

std::shared_ptr<SettingsWindow> SettingsWindow::Create(DrawingWindow& dw) {
  return std::make_shared<SettingsWindow>(Passkey(), dw);
}

std::shared_ptr<SettingsWindowBase> SettingsWindow::NewSettingsWindow(DrawingWindow& dw) {
  return Create(dw);
}

void SettingsWindow::InstallFactory() { Services().NewSettingsWindow = &NewSettingsWindow; }

SettingsWindow::SettingsWindow(Passkey, DrawingWindow& dw) : DrawingWin(Holding(dw)) {
  // The record leaves the place to the desktop; this window always opens at
  // the top left, below where the menu bar of a desktop would be.
  WindowRecord record = kRecord;
  record.Left = kLeft;
  record.Top = kTop;
  FloatAbove(dw);
  Build(record, kControls);
}

void SettingsWindow::FindControls() {
  FindMembers(*this, "CkBox", ckBox_);
  FindMembers(*this, "ValField", valField_);
  FindMembers(*this, "ColorRec", colorRec_);
}

CheckBox& SettingsWindow::CkBox(Integer i) const { return *ckBox_.at(Slot(i)); }
EditField& SettingsWindow::ValField(Integer i) const { return *valField_.at(Slot(i)); }
Rectangle& SettingsWindow::ColorRec(Integer i) const { return *colorRec_.at(Slot(i)); }

SettingSet& SettingsWindow::Settings() const {
  if (DrawingWin == nullptr || DrawingWin->CurrentSettings == nullptr) {
    throw std::logic_error("the settings window has no document settings");
  }
  return *DrawingWin->CurrentSettings;
}

// --- Binding --------------------------------------------------------------------

void SettingsWindow::CkBox_Open(Integer i) {
  CheckBox& box = CkBox(i);
  bool& setting = Settings().Booleans.at(Slot(i));
  if (DrawingWin->LoadDefaulySettings) {
    setting = box.Value();
  } else {
    box.Value(setting);
  }
}

void SettingsWindow::ValField_Open(Integer i) {
  EditField& field = ValField(i);
  double& setting = Settings().Ints.at(Slot(i));
  if (DrawingWin->LoadDefaulySettings) {
    setting = Val(field.Text());
  } else {
    field.Text(Str(setting));
  }
}

void SettingsWindow::ColorRec_Open(Integer i) {
  Rectangle& swatch = ColorRec(i);
  Color& setting = Settings().Colors.at(Slot(i));
  if (DrawingWin->LoadDefaulySettings) {
    setting = swatch.FillColor();
  } else {
    swatch.FillColor(setting);
  }
}

void SettingsWindow::OnOpen() {
  if (DrawingWin == nullptr) return;
  Title(std::string(kTitlePrefix) + DrawingWin->Name);
  // A new document's defaults have just been written: workers read settings
  // only from snapshots, so they must see these before any edit.
  if (DrawingWin->LoadDefaulySettings) DrawingWin->PublishSnapshot();
}

// --- Editing --------------------------------------------------------------------

void SettingsWindow::CkBox_Action(Integer i) {
  Settings().Booleans.at(Slot(i)) = CkBox(i).Value();
  // "Snap To Grid" applies to the next point placed or moved: nothing to redraw.
  Refresh(i == kShowGrid || i == kFrameToRenderProportions);
  DrawingWin->Changed(true);
}

// No range test: whatever the mask lets through is stored as typed, and an
// empty field stores 0. Those who divide by a setting or size a picture from
// it guard themselves (a grid density of 0 draws no grid and snaps nothing).
void SettingsWindow::ValField_TextChange(Integer i) {
  Settings().Ints.at(Slot(i)) = Val(ValField(i).Text());
  const bool framed = CkBox(kFrameToRenderProportions).Value();
  Refresh(NumberRestartsPreview(i, framed));
  DrawingWin->Changed(true);
}

bool SettingsWindow::ColorRec_MouseDown(Integer i, Integer /*x*/, Integer /*y*/) {
  Rectangle& swatch = ColorRec(i);
  Color c = swatch.FillColor();
  // A cancelled pick changes nothing and marks nothing.
  if (!SelectColor(c, std::string(kColorPrompt))) return false;
  swatch.FillColor(c);
  Settings().Colors.at(Slot(i)) = swatch.FillColor();
  const bool restart = ColorRestartsPreview(i);
  Refresh(restart);
  if (!restart) RedrawMarkers();
  DrawingWin->Changed(true);
  // The press is not followed by drag or release handling.
  return false;
}

void SettingsWindow::Refresh(bool restartPreview) {
  if (restartPreview) {
    DrawingWin->Preview();  // publishes the snapshot the new thread starts from
  } else {
    DrawingWin->PublishSnapshot();
  }
}

// Straight onto the canvas, not into the preview's picture: a repaint before
// the next preview picture shows the old colours again, as the user expects
// of markers drawn over a preview.
void SettingsWindow::RedrawMarkers() {
  DrawingWin->DrawPoints(DrawingWin->FracCan().Graphics());
}

// --- Window events --------------------------------------------------------------

void SettingsWindow::OnActivate() { WasVisible = true; }

void SettingsWindow::MouseExit() { ClearFocus(); }

// The user's close box only hides the window, and it stays hidden when its
// document becomes active again; a quit closes it.
bool SettingsWindow::CancelClose(bool appQuitting) {
  if (appQuitting) return false;
  WasVisible = false;
  Hide();
  return true;
}

void SettingsWindow::OnClose() {
  // The document must never refer to a closed settings window, and the
  // window lets go of its document to break their cycle. Both references are
  // released on the event loop, not here: this close may run inside the
  // document's own close, or hold the last reference to this very window.
  std::shared_ptr<SettingsWindowBase> self;
  if (DrawingWin != nullptr && DrawingWin->SettingsWin.get() == this) {
    self = std::move(DrawingWin->SettingsWin);
  }
  PostToEventThread([self = std::move(self), document = std::move(DrawingWin)] {});
}

}  // namespace vantrel
