#include "app/AboutBox.h"

#include <cmath>
#include <numbers>
#include <string>
#include <vector>

#include "app/App.h"
#include "model/FracRender.h"
#include "platform/core/Picture.h"
#include "platform/core/Text.h"
#include "platform/qt/EventThread.h"
#include "platform/qt/StaticText.h"
#include "platform/qt/SystemServices.h"

namespace vantrel {

namespace {

constexpr char kCopyright[] = "\u00A9 2026 The Vantrel developers";
constexpr char kCredits[] =
    "Vantrel was programmed and designed by the Vantrel developers, for everyone who "
    "likes to watch a handful of points grow into a curve.";
constexpr char kMailSubject[] = "?subject=Vantrel";

// --- The backdrop ------------------------------------------------------------------

constexpr Integer kPicWidth = 430;
constexpr Integer kPicHeight = 270;
constexpr Integer kDepthLimit = 500;  // the two-pixel rule ends the drawing long before
constexpr Color kSkyTop{238, 238, 255};
constexpr Color kSkyBottom{200, 200, 255};

struct Flake {
  double Cx;
  double Cy;
  double Radius;  // of the triangle the snowflake grows on
  Color Ink;
};

// One large flake behind the credits, small ones clear of the buttons.
constexpr Flake kFlakes[] = {
    {215, 128, 112, {176, 176, 236}}, {40, 40, 26, {255, 255, 255}},
    {392, 42, 22, {255, 255, 255}},   {48, 150, 14, {232, 232, 255}},
    {384, 158, 16, {232, 232, 255}},
};

Integer Mix(Integer from, Integer to, double t) {
  return ToInteger(std::round(from + (to - from) * t));
}

// A soft lavender that deepens towards the buttons.
void FillSky(Graphics& g) {
  const Integer height = g.Height();
  for (Integer y = 0; y < height; ++y) {
    const double t = height > 1 ? static_cast<double>(y) / (height - 1) : 0.0;
    g.ForeColor = RGB(Mix(kSkyTop.Red, kSkyBottom.Red, t), Mix(kSkyTop.Green, kSkyBottom.Green, t),
                      Mix(kSkyTop.Blue, kSkyBottom.Blue, t));
    g.FillRect(0, y, g.Width(), 1);
  }
}

// The Koch curve on the side from a to b, its bump pointing away from the
// flake's centre: the generator is the side with its middle third raised
// into a tent, and the renderer does the rest.
void DrawSide(Graphics& g, const Flake& flake, double ax, double ay, double bx, double by) {
  const double mx = (ax + bx) / 2;
  const double my = (ay + by) / 2;
  const double outward = std::hypot(mx - flake.Cx, my - flake.Cy);
  const double rise = std::hypot(bx - ax, by - ay) * std::sqrt(3.0) / 6;
  const double px = mx + (mx - flake.Cx) / outward * rise;
  const double py = my + (my - flake.Cy) / outward * rise;
  const std::vector<double> xs{ax, ax + (bx - ax) / 3, px, ax + (bx - ax) * 2 / 3, bx};
  const std::vector<double> ys{ay, ay + (by - ay) / 3, py, ay + (by - ay) * 2 / 3, by};
  FracRender render(g, 0, kPicWidth, 0, kPicHeight, xs, ys, kDepthLimit);
  render.Draw();
}

void DrawFlake(Graphics& g, const Flake& flake) {
  g.ForeColor = flake.Ink;
  g.PenWidth = 1;
  g.PenHeight = 1;
  // Corners at the top, lower right and lower left (y grows downward).
  double x[3];
  double y[3];
  for (int k = 0; k < 3; ++k) {
    const double angle = -std::numbers::pi / 2 + k * 2 * std::numbers::pi / 3;
    x[k] = flake.Cx + flake.Radius * std::cos(angle);
    y[k] = flake.Cy + flake.Radius * std::sin(angle);
  }
  for (int k = 0; k < 3; ++k) DrawSide(g, flake, x[k], y[k], x[(k + 1) % 3], y[(k + 1) % 3]);
}

std::shared_ptr<const Picture> PaintBackdrop() {
  const std::shared_ptr<Picture> pic = NewPicture(kPicWidth, kPicHeight, 16);
  if (pic == nullptr) return nullptr;
  FillSky(pic->Graphics());
  for (const Flake& flake : kFlakes) DrawFlake(pic->Graphics(), flake);
  return pic;
}

// Made once per run; a failure leaves it empty so the next window tries again.
std::shared_ptr<const Picture> permapic;

// --- The one window ------------------------------------------------------------------

// Held from creation until the window closes; the window then lets go.
std::shared_ptr<class AboutBox> implicitInstance;

// Stage codes: 0 development, 1 alpha, 2 beta, 3 final. Anything but the
// first three adds no letter.
std::string StageLetter(Integer stageCode) {
  if (stageCode < 0 || stageCode > 2) return "";
  return NthField("_,a,b,", ",", stageCode + 1);
}

}  // namespace

std::shared_ptr<const Picture> AboutBoxpic() {
  if (permapic == nullptr) permapic = PaintBackdrop();
  return permapic;
}

std::shared_ptr<class AboutBox> AboutBox() {
  if (implicitInstance == nullptr || !implicitInstance->IsOpen()) {
    implicitInstance = std::make_shared<class AboutBox>(AboutBox::Passkey());
  }
  return implicitInstance;
}

using W = class AboutBox;

const WindowRecord AboutBox::kRecord{
    .Name = "AboutBox",
    .Title = "About Vantrel",
    .Width = 430,
    .Height = 270,
    .MinWidth = 64,
    .MinHeight = 64,
    .MaxWidth = 32000,
    .MaxHeight = 32000,
    .Frame = kDialogFrame,
    .Placement = kCentredPlacement,
    .Resizeable = false,
    .CloseButton = true,
    .MinimizeButton = true,
    .MaximizeButton = false,
    .Visible = true,
};

// In creation order. The buttons stand in a row near the bottom, the version
// below them on the left and the copyright line on the right.
const ControlRecord<W> AboutBox::kControls[7] = {
    {.Name = "StaticText1", .Kind = ControlKind::StaticText,
     .Left = 275, .Top = 245, .Width = 150, .Height = 20, .Locks = Lock::Right | Lock::Bottom,
     .Text = kCopyright, .TextAlign = 2, .TextSize = 10},
    {.Name = "StaticText2", .Kind = ControlKind::StaticText,
     .Left = 0, .Top = 50, .Width = 430, .Height = 160,
     .Locks = Lock::Left | Lock::Top | Lock::Right | Lock::Bottom,
     .Text = kCredits, .TextAlign = 1, .TextSize = 12, .MultiLine = true},
    {.Name = "StaticText3", .Kind = ControlKind::StaticText,
     .Left = 0, .Top = 0, .Width = 430, .Height = 40, .Locks = Lock::Left | Lock::Top | Lock::Right,
     .Text = "Vantrel", .TextAlign = 1, .TextSize = 22},
    {.Name = "PushButton1", .Kind = ControlKind::PushButton,
     .Left = 181, .Top = 220, .Width = 69, .Height = 20, .Locks = Lock::Bottom,
     .Caption = "Close", .TextSize = 12, .Default = true, .Cancel = false,
     .Action = &W::PushButton1_Action},
    {.Name = "StaticText4", .Kind = ControlKind::StaticText,
     .Left = 5, .Top = 245, .Width = 150, .Height = 20, .Locks = Lock::Left | Lock::Bottom,
     .Text = "Version: ", .TextAlign = 0, .TextSize = 10, .Open = &W::StaticText4_Open},
    {.Name = "PushButton2", .Kind = ControlKind::PushButton,
     .Left = 35, .Top = 220, .Width = 69, .Height = 20, .Locks = Lock::Left | Lock::Bottom,
     .Caption = "View Site", .TextSize = 12, .Default = false, .Cancel = false,
     .Action = &W::PushButton2_Action},
    {.Name = "PushButton3", .Kind = ControlKind::PushButton,
     .Left = 327, .Top = 220, .Width = 69, .Height = 20, .Locks = Lock::Right | Lock::Bottom,
     .Caption = "Contact", .TextSize = 12, .Default = false, .Cancel = false,
     .Action = &W::PushButton3_Action},
};

AboutBox::AboutBox(Passkey) {
  WindowRecord record = kRecord;
  record.Backdrop = AboutBoxpic();
  Build(record, kControls);
}

void AboutBox::OnClose() {
  // Let go of the instance after this call: the window is still inside it.
  if (implicitInstance.get() == this) PostToEventThread([hold = std::move(implicitInstance)] {});
}

void AboutBox::FindControls() { staticText4_ = &ControlNamed<StaticText>("StaticText4"); }

void AboutBox::PushButton1_Action() { Close(); }

// The label's design text followed by the version, e.g. "Version: 1.2.3b4".
// The non-release number follows at every stage, also when no letter does.
void AboutBox::StaticText4_Open() {
  StaticText& label = *staticText4_;
  const class App& app = App();
  label.Text(label.Text() + Str(app.MajorVersion) + "." + Str(app.MinorVersion) + "." +
             Str(app.BugVersion) + StageLetter(app.StageCode) + Str(app.NonReleaseVersion));
}

void AboutBox::PushButton2_Action() { ShowURL(kSiteAddress); }

void AboutBox::PushButton3_Action() {
  ShowURL(std::string("mailto:") + kContactAddress + kMailSubject);
}

}  // namespace vantrel
