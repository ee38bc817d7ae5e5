#include "render/RenderThread.h"

#include <cstddef>
#include <new>
#include <optional>
#include <utility>

#include "editor/DocumentSnapshot.h"
#include "model/FracRender.h"
#include "model/Globals.h"
#include "model/SettingSet.h"
#include "model/SettingsCatalogue.h"
#include "platform/core/Graphics.h"
#include "platform/core/Picture.h"
#include "render/PyramidUpdater.h"

namespace vantrel {

struct RenderThread::Job {
  Job(std::shared_ptr<Picture> surface, double x1, double x2, double y1, double y2,
      const DocumentSnapshot& doc)
      : Surface(std::move(surface)),
        Render(Surface->Graphics(), x1, x2, y1, y2, doc.Xpoints, doc.Ypoints, kDepthLimit) {}

  const std::shared_ptr<Picture> Surface;
  FracRender Render;
};

RenderThread::RenderThread(std::shared_ptr<Picture> fractal,
                           std::shared_ptr<PicturePyramid> pyramid,
                           std::shared_ptr<const DocumentSnapshot> doc, Post post, Finish finish)
    : fractal_(Required(std::move(fractal), "RenderThread needs a picture")),
      pyramid_(std::move(pyramid)),
      doc_(Required(std::move(doc), "RenderThread needs a document")),
      post_(Required(std::move(post), "RenderThread needs a way to the event thread")),
      finish_(std::move(finish)) {
  Priority = kPriority;
  StackSize = kStackSize;
}

RenderThread::~RenderThread() = default;

std::shared_ptr<const FracRender> RenderThread::Renderer() const {
  std::lock_guard lock(rendererMutex_);
  return renderer_;
}

void RenderThread::OnRun() {
  // The window makes the picture without painting it, so the press that
  // starts a render never waits on its memory; the one fill is made here.
  fractal_->Paint(doc_->Settings->Colors[kRenderBackgroundColor]);
  std::optional<PyramidUpdater> pyramid;
  if (pyramid_) pyramid.emplace(pyramid_, fractal_);
  const Outcome outcome = Draw();
  // Also a partial picture is shown as far as it got.
  if (pyramid) pyramid->Finish();
  DeliverFinish(outcome);
}

RenderThread::Outcome RenderThread::Draw() {
  Graphics& g = fractal_->Graphics();
  const SettingSet& settings = *doc_->Settings;
  g.ForeColor = settings.Colors[kRenderLineColor];
  const Integer pen = ToInteger(settings.Ints[kRenderLineWidth]);
  g.PenHeight = pen;
  g.PenWidth = pen;

  // The picture shows what the document's canvas showed, about the same
  // centre, with square pixels; the document's own view is left alone.
  double x1 = doc_->View.X1;
  double x2 = doc_->View.X2;
  double y1 = doc_->View.Y1;
  double y2 = doc_->View.Y2;
  Globals::Resize(x1, x2, y1, y2, fractal_->Width(), fractal_->Height(), doc_->View.Width,
                  doc_->View.Height);

  try {
    auto job = std::make_shared<Job>(fractal_, x1, x2, y1, y2, *doc_);
    // Published only now that the constructor has mapped the path, so the
    // progress timer never reads a half-built renderer.
    {
      std::lock_guard lock(rendererMutex_);
      renderer_ = std::shared_ptr<const FracRender>(job, &job->Render);
    }
    job->Render.Draw();
  } catch (const std::bad_alloc&) {
    // A path too long for memory: end the render without claiming a
    // finished picture.
    return Outcome::OutOfMemory;
  }
  return Outcome::Complete;
}

void RenderThread::DeliverFinish(Outcome outcome) {
  if (!finish_) return;
  Deliver(post_, [this, outcome] { finish_(outcome); });
}

}  // namespace vantrel
