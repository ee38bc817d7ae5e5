#pragma once
// The document window as its preview threads see it.
//
// A preview thread keeps its host for as long as the thread object lives,
// which may be after the window has gone. So the host never owns the window:
// it points at it, behind a mutex, until the window detaches it as it is
// destroyed. A worker that asks for a snapshot therefore either reads the
// live document while the window is certain to stay, or, once the window is
// gone, gets the last snapshot it saw. The host can never be what keeps a
// window alive, so no window is ever destroyed on a worker thread.
//
// The effects run on the event thread only, and only as the thread delivers
// them: the thread drops every effect of a killed preview at delivery, and
// the host adds nothing that could show one later.
#include <functional>
#include <memory>
#include <mutex>
#include <string>

#include "editor/PreviewHost.h"

namespace vantrel {

class DrawingWindow;

class WindowPreviewHost final : public PreviewHost {
 public:
  // Event thread; window must detach the host before it goes.
  explicit WindowPreviewHost(DrawingWindow& window);

  // Event thread. From here on Snapshot answers with the last snapshot it
  // gave and the effects do nothing.
  void Detach();

  std::shared_ptr<const DocumentSnapshot> Snapshot() const override;
  void PostToEventThread(std::function<void()> call) override;

  void SetStatusText(const std::string& text) override;
  void SetProgressBarVisible(bool visible) override;
  void ShowPicture(const std::shared_ptr<const Picture>& picture) override;

 private:
  // The window while it is there; written on the event thread under the
  // mutex, read by workers under it. The event thread, its only writer, may
  // read it without.
  DrawingWindow* window_;
  mutable std::mutex mutex_;
  mutable std::shared_ptr<const DocumentSnapshot> last_;
};

}  // namespace vantrel
