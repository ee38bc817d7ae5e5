#pragma once
// What a preview thread needs of its document window. The window implements
// it; tests implement it with their own event queue.
//
// Two kinds of member:
// - Snapshot and PostToEventThread are called from the preview thread, at any
//   moment until its body has returned.
// - The effects (status text, progress bar, picture) run on the event thread
//   only. The thread never calls them itself: it posts them, and each posted
//   effect is dropped at delivery when the thread has been killed meanwhile.
//   Since the window kills its thread when it closes, no effect ever reaches a
//   closed window.
//
// Lifetime: the thread holds the host through std::shared_ptr and keeps it
// until the thread object goes, which may be after the window has closed. A
// host must therefore keep answering Snapshot and PostToEventThread without
// its window, e.g. by reading the document through a mutex-guarded pointer
// that the window clears when it is destroyed and answering with the last
// snapshot it saw after that.
#include <functional>
#include <memory>
#include <string>

namespace vantrel {

class DocumentSnapshot;
class Picture;

class PreviewHost {
 public:
  virtual ~PreviewHost() = default;

  // Any thread. The document's newest snapshot (points, view, canvas size and
  // live settings); never null.
  virtual std::shared_ptr<const DocumentSnapshot> Snapshot() const = 0;
  // Any thread. Runs call later on the event thread; calls run in the order
  // they were posted.
  virtual void PostToEventThread(std::function<void()> call) = 0;

  // Event thread. The window's StatusText.
  virtual void SetStatusText(const std::string& text) = 0;
  // Event thread. ProgressBar1.Visible.
  virtual void SetProgressBarVisible(bool visible) = 0;
  // Event thread. Draws a finished picture onto the canvas at (0, 0), at its
  // own size. The picture is never drawn into again.
  virtual void ShowPicture(const std::shared_ptr<const Picture>& picture) = 0;
};

}  // namespace vantrel
