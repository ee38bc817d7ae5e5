#include "editor/PreviewThreadClass.h"

#include <cstddef>
#include <utility>

#include "editor/DocumentSnapshot.h"
#include "editor/PreviewGrid.h"
#include "editor/PreviewHost.h"
#include "model/FracRender.h"
#include "model/SettingSet.h"
#include "model/SettingsCatalogue.h"
#include "platform/core/Graphics.h"
#include "platform/core/Picture.h"
#include "platform/core/Text.h"

namespace vantrel {

namespace {

void SetPen(Graphics& g, double width) {
  const Integer pen = ToInteger(width);
  g.PenHeight = pen;
  g.PenWidth = pen;
}

}  // namespace

struct PreviewThreadClass::Round {
  Round(std::shared_ptr<Picture> surface, const DocumentSnapshot& doc, Integer limit)
      : Surface(std::move(surface)),
        Render(Surface->Graphics(), doc.View.X1, doc.View.X2, doc.View.Y1, doc.View.Y2, doc.Xpoints,
               doc.Ypoints, limit) {}

  const std::shared_ptr<Picture> Surface;
  FracRender Render;
};

PreviewThreadClass::PreviewThreadClass(std::shared_ptr<PreviewHost> host)
    : host_(Required(std::move(host), "PreviewThreadClass needs a host")),
      post_([host = host_](std::function<void()> call) {
        host->PostToEventThread(std::move(call));
      }),
      settings_(host_->Snapshot()->Settings) {
  Priority = kPriority;
  StackSize = kStackSize;
}

PreviewThreadClass::~PreviewThreadClass() = default;

std::shared_ptr<const Picture> PreviewThreadClass::CurrentPic() const {
  std::lock_guard lock(publishedMutex_);
  return currentPic_;
}

std::shared_ptr<const FracRender> PreviewThreadClass::Iteration() const {
  std::lock_guard lock(publishedMutex_);
  return iteration_;
}

void PreviewThreadClass::OnRun() {
  const std::vector<Integer> depths = DepthList();
  if (!ShowFirstPicture()) return;
  // A path of fewer than three points has no fractal beyond itself.
  if (host_->Snapshot()->Xpoints.size() < 3) return;

  Integer completedAt = 0;
  for (const Integer n : depths) {
    const RoundEnd end = DrawRound(n);
    if (end == RoundEnd::NoPicture) {
      // Out of memory: end without claiming completion, and without leaving
      // the bar on a round that will never finish.
      SetProgressBarVisible(false);
      return;
    }
    Yield();
    if (end == RoundEnd::Complete) {
      completedAt = n;
      break;
    }
  }

  SetProgressBarVisible(false);
  if (completedAt > 0) {
    SetStatusText("Drawing Preview: Complete (" + Str(completedAt) + " Iterations)");
  } else {
    SetStatusText("Drawing Preview: Complete ( Limited at " + Str(depths.back()) + " Iterations)");
  }
}

std::vector<Integer> PreviewThreadClass::DepthList() const {
  std::vector<Integer> depths;
  depths.reserve(kLastDepth - kFirstDepth + 1);
  for (Integer n = kFirstDepth; n <= kLastDepth; ++n) {
    depths.push_back(n);
    Yield();
  }
  return depths;
}

std::shared_ptr<Picture> PreviewThreadClass::MakePicture() const {
  const auto doc = host_->Snapshot();
  return NewPicture(doc->View.Width, doc->View.Height, 16);
}

bool PreviewThreadClass::ShowFirstPicture() {
  // Not filled: under the overlay it keeps a new picture's white.
  auto picture = MakePicture();
  if (!picture) return false;
  DrawFirstIteration(picture->Graphics());
  ShowPicture(std::move(picture));
  return true;
}

PreviewThreadClass::RoundEnd PreviewThreadClass::DrawRound(Integer n) {
  // A settings change that does not restart the preview shows from here on.
  // Snapshots are immutable, so sharing the newest settings is a copy.
  settings_ = host_->Snapshot()->Settings;
  SetStatusText("Drawing Preview: Iteration " + Str(n));

  auto picture = MakePicture();
  if (!picture) return RoundEnd::NoPicture;
  Graphics& g = picture->Graphics();
  g.ForeColor = settings_->Colors[kBackgroundColor];
  g.FillRect(0, 0, picture->Width(), picture->Height());
  g.ForeColor = settings_->Colors[kPreviewColor];
  SetPen(g, settings_->Ints[kPreviewLineWidth]);

  auto round = std::make_shared<Round>(std::move(picture), *host_->Snapshot(), n);
  std::shared_ptr<const FracRender> iteration(round, &round->Render);
  // The bar and the renderer arrive together: the progress timer hides a
  // visible bar while Iteration is still null, which would otherwise blink
  // the bar off at the start of the first round.
  Deliver(post_, [this, iteration] {
    host_->SetProgressBarVisible(true);
    std::lock_guard lock(publishedMutex_);
    iteration_ = iteration;
  });
  round->Render.Draw();

  DrawFirstIteration(g);
  ShowPicture(round->Surface);
  return round->Render.IterationMaxed() ? RoundEnd::Maxed : RoundEnd::Complete;
}

void PreviewThreadClass::DrawFirstIteration(Graphics& g) {
  DrawGrid(g);
  DrawPath(g);
  host_->Snapshot()->DrawPoints(g);
}

void PreviewThreadClass::DrawGrid(Graphics& g) {
  // The switch is the document's live one; colour and densities are the copy's.
  const auto doc = host_->Snapshot();
  if (!doc->Settings->Booleans[kShowGrid]) return;
  g.PenHeight = 1;
  g.PenWidth = 1;
  g.ForeColor = settings_->Colors[kGridColor];
  DrawPreviewGrid(g, doc->View, settings_->Ints[kGridLinesX], settings_->Ints[kGridLinesY]);
}

void PreviewThreadClass::DrawPath(Graphics& g) {
  SetPen(g, settings_->Ints[kLineWidth]);
  g.ForeColor = settings_->Colors[kLineColor];
  // The path as it stands: the fractal's own drawing at depth limit 1 would
  // show only the chord once the ends come within 2 pixels of each other.
  // The round's renderer, kept for the progress bar, let go of its copy of
  // the path when its Draw returned: the preview holds one renderer's worth
  // of the path at a time.
  const auto doc = host_->Snapshot();
  FracRender path(g, doc->View.X1, doc->View.X2, doc->View.Y1, doc->View.Y2, doc->Xpoints,
                  doc->Ypoints, 1);
  path.DrawPath();
}

void PreviewThreadClass::ShowPicture(std::shared_ptr<const Picture> picture) {
  Deliver(post_, [this, picture = std::move(picture)] {
    host_->ShowPicture(picture);
    std::lock_guard lock(publishedMutex_);
    currentPic_ = picture;
  });
}

void PreviewThreadClass::SetStatusText(std::string text) {
  Deliver(post_, [this, text = std::move(text)] { host_->SetStatusText(text); });
}

void PreviewThreadClass::SetProgressBarVisible(bool visible) {
  Deliver(post_, [this, visible] { host_->SetProgressBarVisible(visible); });
}

}  // namespace vantrel
