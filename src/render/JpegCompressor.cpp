#include "render/JpegCompressor.h"

// jpeglib.h needs size_t and FILE declared before it.
#include <csetjmp>
#include <cstdio>

#include <jpeglib.h>
#include <jerror.h>

#include "platform/core/FileWriter.h"

namespace vantrel {

namespace {

// Bytes collected before each write to the file.
constexpr std::size_t kOutputBytes = 64 * 1024;

}  // namespace

struct JpegCompressor::State {
  jpeg_compress_struct Info{};
  jpeg_error_mgr Errors{};
  jpeg_destination_mgr Destination{};
  std::jmp_buf Jump{};
  FileWriter* Out = nullptr;
  bool Created = false;
  bool Failed = false;
  JOCTET Buffer[kOutputBytes];

  static State& Of(j_common_ptr info) { return *static_cast<State*>(info->client_data); }
  static State& Of(j_compress_ptr info) { return *static_cast<State*>(info->client_data); }

  // libjpeg's error_exit: jumps back into the step that called the library.
  // Its reason is not kept: a failed write keeps the system's own in the
  // FileWriter, and anything else is the encoder's, told as such.
  static void ErrorExit(j_common_ptr info) { std::longjmp(Of(info).Jump, 1); }
  // Warnings would go to stderr; nothing the user could act on.
  static void Quiet(j_common_ptr /*info*/) {}

  static void InitDestination(j_compress_ptr info) {
    State& state = Of(info);
    state.Destination.next_output_byte = state.Buffer;
    state.Destination.free_in_buffer = kOutputBytes;
  }
  // A failed write stops the encoder; the FileWriter keeps the system's
  // reason, which is what the user is told.
  static void Flush(j_compress_ptr info, std::size_t bytes) {
    State& state = Of(info);
    if (!state.Out->Write(reinterpret_cast<const char*>(state.Buffer), bytes)) {
      ERREXIT(info, JERR_FILE_WRITE);
    }
    InitDestination(info);
  }
  static boolean EmptyOutputBuffer(j_compress_ptr info) {
    Flush(info, kOutputBytes);
    return TRUE;
  }
  static void TermDestination(j_compress_ptr info) {
    Flush(info, kOutputBytes - Of(info).Destination.free_in_buffer);
  }
};

JpegCompressor::JpegCompressor(FileWriter& out) : state_(std::make_unique<State>()) {
  state_->Out = &out;
}

JpegCompressor::~JpegCompressor() {
  // Frees the library's memory; it raises no error.
  if (state_->Created) jpeg_destroy_compress(&state_->Info);
}

// Between each setjmp and the library calls below there is no object with a
// destructor, so a jump back here skips nothing.
bool JpegCompressor::Start(Integer width, Integer height, int quality) {
  State& s = *state_;
  if (s.Failed || s.Created) return false;
  s.Failed = true;  // until the step is through
  s.Info.err = jpeg_std_error(&s.Errors);
  s.Errors.error_exit = &State::ErrorExit;
  s.Errors.output_message = &State::Quiet;
  s.Info.client_data = &s;
  if (setjmp(s.Jump) != 0) return false;
  jpeg_create_compress(&s.Info);
  s.Created = true;
  s.Destination.init_destination = &State::InitDestination;
  s.Destination.empty_output_buffer = &State::EmptyOutputBuffer;
  s.Destination.term_destination = &State::TermDestination;
  s.Info.dest = &s.Destination;
  // Out of range sides reach the library as 0 and are refused there.
  const bool fits = width > 0 && height > 0 && width <= JPEG_MAX_DIMENSION &&
                    height <= JPEG_MAX_DIMENSION;
  s.Info.image_width = fits ? static_cast<JDIMENSION>(width) : 0;
  s.Info.image_height = fits ? static_cast<JDIMENSION>(height) : 0;
  s.Info.input_components = 3;
  s.Info.in_color_space = JCS_RGB;
  jpeg_set_defaults(&s.Info);
  // As pictures have always been written: 96 dots per inch, baseline tables,
  // no optimised Huffman coding, not progressive.
  s.Info.density_unit = 1;
  s.Info.X_density = 96;
  s.Info.Y_density = 96;
  jpeg_set_quality(&s.Info, quality, TRUE);
  jpeg_start_compress(&s.Info, TRUE);
  s.Failed = false;
  return true;
}

bool JpegCompressor::WriteRow(const unsigned char* rgb) {
  State& s = *state_;
  if (s.Failed || !s.Created) return false;
  s.Failed = true;
  if (setjmp(s.Jump) != 0) return false;
  JSAMPROW rows[1] = {const_cast<JSAMPROW>(rgb)};  // libjpeg only reads it
  if (jpeg_write_scanlines(&s.Info, rows, 1) != 1) return false;
  s.Failed = false;
  return true;
}

bool JpegCompressor::Finish() {
  State& s = *state_;
  if (s.Failed || !s.Created) return false;
  s.Failed = true;
  if (setjmp(s.Jump) != 0) return false;
  jpeg_finish_compress(&s.Info);
  s.Failed = false;
  return true;
}

}  // namespace vantrel
