#pragma once
// A write-only QIODevice over a FileWriter, so that Qt's image writers save
// pictures with the same care as documents (links followed, protection
// respected, atomic) and a failure keeps the system's reason.
#include <QIODevice>

#include "platform/core/FileWriter.h"

namespace vantrel {

class WriterDevice : public QIODevice {
 public:
  explicit WriterDevice(FileWriter& writer);
  bool isSequential() const override { return true; }

 protected:
  qint64 readData(char* data, qint64 maxSize) override;
  qint64 writeData(const char* data, qint64 size) override;

 private:
  FileWriter& writer_;
};

}  // namespace vantrel
