#pragma once
// Reading a document file on a worker, for Open: a file at the point limit
// takes seconds to read, and the window that shows it is built only once
// the whole file has been read, on the event thread. The worker touches
// nothing but the file; what it read (or why it could not) is delivered.
//
// Unlike a save, a read may be killed (at a quit): nothing is lost, and the
// killed read delivers nothing.
//
// Create with std::make_shared, then Run:
//   auto read = std::make_shared<DocumentReadThread>(file, post, done);
//   read->Run();
#include <functional>
#include <memory>

#include "editor/DocumentFile.h"
#include "platform/core/FolderItem.h"
#include "platform/core/Thread.h"

namespace vantrel {

class DocumentReadThread : public Thread {
 public:
  // Event thread: the file has been read, or could not be.
  using Done = std::function<void(Result<DocumentData> read)>;

  // post and done must not be empty.
  DocumentReadThread(FolderItem file, Post post, Done done);

  const FolderItem& File() const noexcept { return file_; }

 protected:
  void OnRun() override;

 private:
  const FolderItem file_;
  const Post post_;
  const Done done_;
};

}  // namespace vantrel
