#pragma once
// The progressive preview of one document window. First it shows the grid,
// the path and the point markers; then, for a path of three or more points,
// rounds of depth 2, 3, ... 500, each drawn off screen (background, fractal,
// then grid, path and markers over it) and shown when complete, until the
// first round the renderer finishes below its depth limit.
//
// The thread reads the document only through its host's snapshots and
// touches the window only through effects it delivers to the event thread, so
// once the window has killed it, nothing it did is seen, not even what it had
// posted just before (see Thread::Deliver). CurrentPic and Iteration change
// only in those deliveries, so they too stay as they were at the kill.
//
// Create with std::make_shared, then Run:
//   PreviewThread = std::make_shared<PreviewThreadClass>(host);
//   PreviewThread->Run();
#include <functional>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "platform/core/Numbers.h"
#include "platform/core/Thread.h"

namespace vantrel {

class DocumentSnapshot;
class FracRender;
class Graphics;
class Picture;
class PreviewHost;
class SettingSet;

class PreviewThreadClass : public Thread {
 public:
  static constexpr Integer kPriority = 8;
  static constexpr Integer kStackSize = 963764;
  // The depths of the rounds, in order.
  static constexpr Integer kFirstDepth = 2;
  static constexpr Integer kLastDepth = 500;

  // Event thread. Takes the thread's copy of the document's settings; host
  // must not be null. Starts nothing: Run does.
  explicit PreviewThreadClass(std::shared_ptr<PreviewHost> host);
  ~PreviewThreadClass() override;

  // Any thread. The picture last shown on the canvas (null until the first
  // one), and the renderer of the round in progress or of the last round
  // (null until the first round begins).
  std::shared_ptr<const Picture> CurrentPic() const;
  std::shared_ptr<const FracRender> Iteration() const;

  // Draws the grid (when the document's live "Show Grid" is on), the path and
  // the point markers onto g, with the colours and densities of the thread's
  // copy of the settings.
  void DrawFirstIteration(Graphics& g);

 protected:
  void OnRun() override;

 private:
  // The renderer of a round together with the picture it draws into, so the
  // renderer published as Iteration never outlives its surface.
  struct Round;

  std::vector<Integer> DepthList() const;
  // False when the picture could not be made (the body then ends).
  bool ShowFirstPicture();
  // One round of depth n: whether its renderer reached the depth limit, or
  // that no picture could be made for it.
  enum class RoundEnd { Maxed, Complete, NoPicture };
  RoundEnd DrawRound(Integer n);
  void DrawGrid(Graphics& g);
  void DrawPath(Graphics& g);
  std::shared_ptr<Picture> MakePicture() const;

  void ShowPicture(std::shared_ptr<const Picture> picture);
  void SetStatusText(std::string text);
  void SetProgressBarVisible(bool visible);

  const std::shared_ptr<PreviewHost> host_;
  // The host's way to the event thread, for Deliver.
  const Post post_;
  // The thread's own copy: taken by the constructor, again at every round.
  // Only the thread body reads and replaces it after Run.
  std::shared_ptr<const SettingSet> settings_;

  mutable std::mutex publishedMutex_;
  std::shared_ptr<const Picture> currentPic_;
  std::shared_ptr<const FracRender> iteration_;
};

}  // namespace vantrel
