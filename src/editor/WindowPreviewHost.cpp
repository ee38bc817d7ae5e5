#include "editor/WindowPreviewHost.h"

#include <utility>

#include "editor/DocumentSnapshot.h"
#include "editor/DrawingWindow.h"
#include "platform/qt/Canvas.h"
#include "platform/qt/EventThread.h"
#include "platform/qt/ProgressBar.h"
#include "platform/qt/StaticText.h"

namespace vantrel {

WindowPreviewHost::WindowPreviewHost(DrawingWindow& window)
    : window_(&window), last_(window.Snapshot()) {}

void WindowPreviewHost::Detach() {
  std::lock_guard lock(mutex_);
  // Taken while the document is still whole: a thread that asks later keeps
  // drawing what the window last published.
  if (window_ != nullptr) last_ = window_->Snapshot();
  window_ = nullptr;
}

std::shared_ptr<const DocumentSnapshot> WindowPreviewHost::Snapshot() const {
  // Held across the read, so the window cannot be destroyed halfway through it.
  std::lock_guard lock(mutex_);
  if (window_ != nullptr) last_ = window_->Snapshot();
  return last_;
}

void WindowPreviewHost::PostToEventThread(std::function<void()> call) {
  vantrel::PostToEventThread(std::move(call));
}

void WindowPreviewHost::SetStatusText(const std::string& text) {
  if (window_ == nullptr) return;
  window_->StatusText().Text(text);
}

void WindowPreviewHost::SetProgressBarVisible(bool visible) {
  if (window_ == nullptr) return;
  window_->ProgressBar1().Visible(visible);
}

void WindowPreviewHost::ShowPicture(const std::shared_ptr<const Picture>& picture) {
  if (window_ == nullptr) return;
  window_->FracCan().Graphics().DrawPicture(picture, 0, 0);
}

}  // namespace vantrel
