#include "render/PictureFile.h"

#include <QImage>

#include "platform/core/FileWriter.h"
#include "platform/core/FolderItem.h"
#include "platform/core/Picture.h"
#include "render/WriterDevice.h"

namespace vantrel {

namespace {

// Fractals are thin lines in flat colours, which the usual JPEG quality of
// 75 smears; 95 keeps them crisp at a still modest size.
constexpr int kJpegQuality = 95;

bool Fail(std::string* error, const std::string& why) {
  if (error != nullptr) *error = why;
  return false;
}

}  // namespace

bool SaveAsPicture(const FolderItem& f, const Picture& picture, std::string* error) {
  const std::string named = "\"" + f.NativePath() + "\"";
  if (picture.Width() > Picture::kMaxSavedSide || picture.Height() > Picture::kMaxSavedSide) {
    return Fail(error, "Could not write " + named + ": a JPEG picture is at most " +
                           std::to_string(Picture::kMaxSavedSide) + " pixels wide and high");
  }
  // The picture's RGB565 rows are exactly Qt's RGB16 layout: no copy.
  const QImage image(reinterpret_cast<const uchar*>(picture.Bits()), picture.Width(),
                     picture.Height(), static_cast<qsizetype>(picture.Width()) * 2,
                     QImage::Format_RGB16);
  std::string why;
  std::unique_ptr<FileWriter> file = FileWriter::Open(f.Path(), &why);
  if (!file) return Fail(error, why);
  WriterDevice device(*file);
  const bool encoded = image.save(&device, "JPG", kJpegQuality);
  // A write that failed is the cause; the encoder only noticed it.
  if (!file->Error().empty()) return Fail(error, file->Error());
  if (!encoded)
    return Fail(error, "Could not write " + named + ": the picture could not be encoded as JPEG");
  if (!file->Commit()) return Fail(error, file->Error());
  return true;
}

}  // namespace vantrel
