#include "render/WriterDevice.h"

namespace vantrel {

WriterDevice::WriterDevice(FileWriter& writer) : writer_(writer) {
  open(QIODevice::WriteOnly | QIODevice::Unbuffered);
}

qint64 WriterDevice::readData(char* /*data*/, qint64 /*maxSize*/) { return -1; }

qint64 WriterDevice::writeData(const char* data, qint64 size) {
  if (size < 0 || !writer_.Write(data, static_cast<std::size_t>(size))) return -1;
  return size;
}

}  // namespace vantrel
