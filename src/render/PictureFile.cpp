#include "render/PictureFile.h"

#include <cstdint>
#include <memory>
#include <new>
#include <vector>

#include "platform/core/FileWriter.h"
#include "platform/core/FolderItem.h"
#include "platform/core/Picture.h"
#include "platform/core/Thread.h"
#include "render/JpegCompressor.h"

namespace vantrel {

namespace {

// Fractals are thin lines in flat colours, which the usual JPEG quality of
// 75 smears; 95 keeps them crisp at a still modest size.
constexpr int kJpegQuality = 95;

// Widens one row of RGB565 pixels to RGB888, repeating each channel's top
// bits into its low bits so that full intensity stays 255.
void ToRgb888(const std::uint16_t* pixels, Integer width, unsigned char* rgb) {
  for (Integer x = 0; x < width; ++x) {
    const unsigned p = pixels[x];
    const unsigned r = p >> 11 & 0x1F;
    const unsigned g = p >> 5 & 0x3F;
    const unsigned b = p & 0x1F;
    *rgb++ = static_cast<unsigned char>(r << 3 | r >> 2);
    *rgb++ = static_cast<unsigned char>(g << 2 | g >> 4);
    *rgb++ = static_cast<unsigned char>(b << 3 | b >> 2);
  }
}

// Encodes picture into out, a row at a time. A save thread may be paused
// between rows.
bool Encode(const Picture& picture, FileWriter& out) {
  JpegCompressor jpeg(out);
  const Integer width = picture.Width();
  if (!jpeg.Start(width, picture.Height(), kJpegQuality)) return false;
  std::vector<unsigned char> row(static_cast<std::size_t>(width) * 3);
  for (Integer y = 0; y < picture.Height(); ++y) {
    ToRgb888(picture.Bits() + y * width, width, row.data());
    if (!jpeg.WriteRow(row.data())) return false;
    Yield();
  }
  return jpeg.Finish();
}

}  // namespace

FileResult SaveAsPicture(const FolderItem& f, const Picture& picture) {
  const std::string named = "\"" + f.NativePath() + "\"";
  if (picture.Width() > Picture::kMaxSavedSide || picture.Height() > Picture::kMaxSavedSide) {
    return FileResult::Failed("Could not write " + named + ": a JPEG picture is at most " +
                              std::to_string(Picture::kMaxSavedSide) + " pixels wide and high");
  }
  Result<std::unique_ptr<FileWriter>> file = FileWriter::Open(f.Path());
  if (!file) return file.Status();
  bool encoded = false;
  try {
    encoded = Encode(picture, **file);
  } catch (const std::bad_alloc&) {
    // The row buffer or libjpeg's own memory: a failure to tell, on a save
    // thread whose body must not end in an exception.
    return FileResult::Failed("Could not write " + named + ": not enough memory to encode it");
  }
  // A write that failed is the cause; the encoder only noticed it.
  if (!(*file)->Status()) return (*file)->Status();
  if (!encoded) {
    return FileResult::Failed("Could not write " + named +
                              ": the picture could not be encoded as JPEG");
  }
  return (*file)->Commit();
}

}  // namespace vantrel
