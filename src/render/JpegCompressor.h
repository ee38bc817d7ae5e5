#pragma once
// A baseline JPEG encoder over libjpeg that streams RGB888 rows, one at a
// time, into a FileWriter, so a picture of any size is encoded with one row
// of memory beside it. Qt-free: a worker thread saves with it.
//
// libjpeg reports a fatal error by calling its error_exit, which must not
// return. Here it jumps (longjmp) back into the step that called the library,
// and each step holds nothing with a destructor between its setjmp and the
// library call, so the jump skips no C++ clean-up; the step then fails.
#include <memory>

#include "platform/core/Numbers.h"

namespace vantrel {

class FileWriter;

class JpegCompressor {
 public:
  explicit JpegCompressor(FileWriter& out);
  ~JpegCompressor();
  JpegCompressor(const JpegCompressor&) = delete;
  JpegCompressor& operator=(const JpegCompressor&) = delete;

  // Each step is false once the library gave up (a failed write leaves its
  // reason in the FileWriter); later steps then fail
  // at once. Start writes the header for a width x height RGB picture at
  // quality (1 to 100); WriteRow takes width * 3 bytes, top row first; Finish
  // writes the end of the file once every row has been written.
  bool Start(Integer width, Integer height, int quality);
  bool WriteRow(const unsigned char* rgb);
  bool Finish();

 private:
  struct State;  // libjpeg's structures, kept out of this header
  std::unique_ptr<State> state_;
};

}  // namespace vantrel
