// The commands that act on the document as a whole: Split, Scale, Clear,
// Settings, Render and Edit > Select All.
#include <algorithm>
#include <cstddef>
#include <numeric>
#include <string>
#include <utility>
#include <vector>

#include "editor/DocumentServices.h"
#include "editor/DrawingWindow.h"
#include "editor/ScaleWindow.h"
#include "model/SettingSet.h"
#include "model/SettingsCatalogue.h"
#include "platform/core/Picture.h"
#include "platform/qt/Canvas.h"
#include "platform/qt/Dialogs.h"

namespace vantrel {

namespace {

// Shown where a command would take the document past kMaxDocumentPoints.
std::string TooManyPoints() { return "Can not add points. " + PointLimitText(); }

// Checked before any picture memory is taken: such a render would run to its
// end and then could not be saved.
std::string TooLargeToSave() {
  return "Can not render. A rendering can be saved at most " +
         std::to_string(Picture::kMaxSavedSide) +
         " pixels wide and high. Edit the rendering dimensions in the settings window.";
}

// The path with the midpoint of every segment whose two ends are selected
// inserted between them, selected too; the other points and flags as they
// were. Built in one pass into new vectors, so a long selection splits in
// linear time and a failed allocation leaves the document untouched. False
// (and nothing built) when no segment qualifies.
struct SplitPath {
  std::vector<double> Xs;
  std::vector<double> Ys;
  std::vector<bool> Selected;
};

bool Selected(const DrawingWindow& dw, std::size_t i) {
  return i < dw.SelectedPoints.size() && dw.SelectedPoints[i];
}

// The number of midpoints a Split adds: one per segment with both ends selected.
std::size_t SplitCount(const DrawingWindow& dw) {
  const std::size_t count = std::min(dw.Xpoints.size(), dw.Ypoints.size());
  std::size_t pairs = 0;
  for (std::size_t k = 0; k + 1 < count; ++k) {
    if (Selected(dw, k) && Selected(dw, k + 1)) ++pairs;
  }
  return pairs;
}

bool Split(const DrawingWindow& dw, std::size_t pairs, SplitPath& out) {
  const std::size_t count = std::min(dw.Xpoints.size(), dw.Ypoints.size());
  if (pairs == 0) return false;
  out.Xs.reserve(count + pairs);
  out.Ys.reserve(count + pairs);
  out.Selected.reserve(count + pairs);
  for (std::size_t k = 0; k < count; ++k) {
    out.Xs.push_back(dw.Xpoints[k]);
    out.Ys.push_back(dw.Ypoints[k]);
    out.Selected.push_back(Selected(dw, k));
    if (k + 1 < count && Selected(dw, k) && Selected(dw, k + 1)) {
      // midpoint halves before adding only where the sum would overflow.
      out.Xs.push_back(std::midpoint(dw.Xpoints[k], dw.Xpoints[k + 1]));
      out.Ys.push_back(std::midpoint(dw.Ypoints[k], dw.Ypoints[k + 1]));
      out.Selected.push_back(true);
    }
  }
  return true;
}

}  // namespace

// Equal neighbours already in the path (after a scale by 0, or from a file)
// collapse as the midpoints go in, as any added point makes them; and a
// midpoint that rounds onto one of its ends merges with it, keeping the
// segment's selection.
void DrawingWindow::SplitBTN_Action() {
  SplitPath split;
  const std::size_t pairs = SplitCount(*this);
  if (RoomForPoints(pairs) && Split(*this, pairs, split)) {
    Xpoints = std::move(split.Xs);
    Ypoints = std::move(split.Ys);
    SelectedPoints = std::move(split.Selected);
    CollapseOverlaps();
    Changed(true);
  }
  // The preview restarts even when nothing was split.
  InhibitPreview = false;
  Preview();
}

bool DrawingWindow::RoomForPoints(std::size_t count) {
  if (HasRoomFor(count)) return true;
  MsgBox(TooManyPoints());
  return false;
}

void DrawingWindow::ScaleBTN_Action() {
  class ScaleWindow& dialog = ScaleWindow();
  dialog.Show();
  // A dialog already open for another document acts on this one from now on.
  dialog.DWin = std::static_pointer_cast<DrawingWindow>(weak_from_this().lock());
  // Modified as soon as the dialog opens, whether or not anything is scaled.
  Changed(true);
}

void DrawingWindow::ClearBTN_Action() {
  Clear();
  Changed(true);
}

void DrawingWindow::SettingsBTN_Action() {
  // A settings window that has closed for good counts as none.
  if (SettingsWin && !SettingsWin->IsOpen()) SettingsWin = nullptr;
  if (SettingsWin) {
    SettingsWin->Show();
    SettingsWin->SetFocus();
  } else if (Services().NewSettingsWindow) {
    // LoadDefaulySettings is False by now: the new window shows the
    // document's settings instead of overwriting them.
    SettingsWin = Services().NewSettingsWindow(*this);
  }
}

void DrawingWindow::RenderBTN_Action() {
  if (CurrentSettings == nullptr) return MsgBox(kCanNotRender);
  // The sides the picture will have, rounded as the render window rounds
  // them: a size of 0.3 is above 0 but makes a picture of no pixels.
  const Integer width = ToInteger(CurrentSettings->Ints[kRenderWidth]);
  const Integer height = ToInteger(CurrentSettings->Ints[kRenderHeight]);
  if (width < 1 || height < 1) return MsgBox(kCanNotRender);
  if (width > Picture::kMaxSavedSide || height > Picture::kMaxSavedSide) {
    return MsgBox(TooLargeToSave());
  }
  // Every press opens one more render window; the earlier ones stay open.
  if (!Services().NewRenderWindow) return;
  if (std::shared_ptr<Window> render = Services().NewRenderWindow(*this)) {
    RenderWin.push_back(std::move(render));
  }
}

// Neither marks the document changed nor restarts the preview: the selection
// is not part of the file. The markers change at once on the canvas; the
// preview's picture keeps its old ones until the next preview.
bool DrawingWindow::EditSelectAll_Action() {
  SelectedPoints.assign(Xpoints.size(), true);
  PublishSnapshot();
  DrawPoints(FracCan().Graphics());
  return false;
}

}  // namespace vantrel
