#include "editor/DocumentReadThread.h"

#include <utility>

namespace vantrel {

DocumentReadThread::DocumentReadThread(FolderItem file, Post post, Done done)
    : file_(std::move(file)),
      post_(Required(std::move(post), "DocumentReadThread: no post")),
      done_(Required(std::move(done), "DocumentReadThread: no done")) {}

void DocumentReadThread::OnRun() {
  // Shared, so the delivered call stays copyable as std::function needs.
  auto read = std::make_shared<Result<DocumentData>>(ReadDocumentFile(file_));
  Deliver(post_, [done = done_, read] { done(std::move(*read)); });
}

}  // namespace vantrel
