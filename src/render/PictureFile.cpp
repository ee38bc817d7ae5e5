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

}  // namespace

FileResult SaveAsPicture(const FolderItem& f, const Picture& picture) {
  const std::string named = "\"" + f.NativePath() + "\"";
  if (picture.Width() > Picture::kMaxSavedSide || picture.Height() > Picture::kMaxSavedSide) {
    return FileResult::Failed("Could not write " + named + ": a JPEG picture is at most " +
                              std::to_string(Picture::kMaxSavedSide) + " pixels wide and high");
  }
  // The picture's RGB565 rows are exactly Qt's RGB16 layout: no copy.
  const QImage image(reinterpret_cast<const uchar*>(picture.Bits()), picture.Width(),
                     picture.Height(), static_cast<qsizetype>(picture.Width()) * 2,
                     QImage::Format_RGB16);
  Result<std::unique_ptr<FileWriter>> file = FileWriter::Open(f.Path());
  if (!file) return file.Status();
  WriterDevice device(**file);
  const bool encoded = image.save(&device, "JPG", kJpegQuality);
  // A write that failed is the cause; the encoder only noticed it.
  if (!(*file)->Status()) return (*file)->Status();
  if (!encoded) {
    return FileResult::Failed("Could not write " + named +
                              ": the picture could not be encoded as JPEG");
  }
  return (*file)->Commit();
}

}  // namespace vantrel
