#pragma once
// The worker of a render window: fills the picture with the render
// background, maps the document's view onto the picture's size, and draws the
// fractal with depth limit 500 into the picture while the window shows it.
//
// It reads the document only from the snapshot it was given (the document as
// it stood when the render was started) and never touches the window: when
// it has drawn the last segment it delivers Finish to the event thread, and
// that delivery is dropped when the thread has been killed by then. Since the
// window kills its thread when it closes, nothing of a render ever reaches a
// closed window.
//
// Given a pyramid of the picture, it keeps the pyramid close behind the
// drawing (PyramidUpdater) and brings it up to date before Finish, so a view
// far below the picture's size never averages the picture itself.
//
// Create with std::make_shared, then Run:
//   auto worker = std::make_shared<RenderThread>(picture, pyramid, doc->Snapshot(), post,
//                                                finish);
//   worker->Run();
#include <functional>
#include <memory>
#include <mutex>

#include "platform/core/Numbers.h"
#include "platform/core/Thread.h"

namespace vantrel {

class DocumentSnapshot;
class FracRender;
class Picture;
class PicturePyramid;

class RenderThread : public Thread {
 public:
  static constexpr Integer kPriority = 15;
  static constexpr Integer kStackSize = 963764;
  static constexpr Integer kDepthLimit = 500;

  // How a render ended, as Finish learns it.
  enum class Outcome {
    Complete,     // every segment is in the picture
    OutOfMemory,  // the renderer could not get the memory it needs; the picture is partial
  };

  // Event thread: the render has ended (never called for a killed render).
  using Finish = std::function<void(Outcome outcome)>;

  // fractal and doc must not be null; pyramid may be (then none is kept).
  // Starts nothing: Run does.
  RenderThread(std::shared_ptr<Picture> fractal, std::shared_ptr<PicturePyramid> pyramid,
               std::shared_ptr<const DocumentSnapshot> doc, Post post, Finish finish);
  ~RenderThread() override;

  // Any thread. The renderer, null until its constructor has mapped the path,
  // then kept; its progress counters may be read while it draws.
  std::shared_ptr<const FracRender> Renderer() const;

 protected:
  void OnRun() override;

 private:
  // The renderer together with the picture it draws into, so the renderer
  // handed out by Renderer never outlives its surface.
  struct Job;

  void DeliverFinish(Outcome outcome);
  // Draws the fractal into the painted picture.
  Outcome Draw();

  const std::shared_ptr<Picture> fractal_;
  const std::shared_ptr<PicturePyramid> pyramid_;
  const std::shared_ptr<const DocumentSnapshot> doc_;
  const Post post_;
  const Finish finish_;

  mutable std::mutex rendererMutex_;
  std::shared_ptr<const FracRender> renderer_;
};

}  // namespace vantrel
