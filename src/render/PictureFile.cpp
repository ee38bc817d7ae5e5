#include "render/PictureFile.h"

#include <QImage>
#include <QSaveFile>
#include <QString>

#include "platform/core/FolderItem.h"
#include "platform/core/Picture.h"

namespace vantrel {

namespace {

// Fractals are thin lines in flat colours, which the usual JPEG quality of
// 75 smears; 95 keeps them crisp at a still modest size.
constexpr int kJpegQuality = 95;

void Report(std::string* error, const FolderItem& f, const QString& reason) {
  if (error == nullptr) return;
  const std::string why = reason.isEmpty() ? std::string("unknown error") : reason.toStdString();
  *error = "Could not write \"" + f.NativePath() + "\": " + why;
}

}  // namespace

bool SaveAsPicture(const FolderItem& f, const Picture& picture, std::string* error) {
  // The picture's RGB565 rows are exactly Qt's RGB16 layout: no copy.
  const QImage image(reinterpret_cast<const uchar*>(picture.Bits()), picture.Width(),
                     picture.Height(), static_cast<qsizetype>(picture.Width()) * 2,
                     QImage::Format_RGB16);
  // QSaveFile writes beside the target and renames over it on commit; without
  // a commit the target is never touched.
  QSaveFile file(QString::fromStdString(f.NativePath()));
  file.setDirectWriteFallback(false);
  if (!file.open(QIODevice::WriteOnly)) {
    Report(error, f, file.errorString());
    return false;
  }
  if (!image.save(&file, "JPG", kJpegQuality)) {
    const QString reason = file.error() != QFileDevice::NoError
                               ? file.errorString()
                               : QString("the picture could not be encoded as JPEG");
    file.cancelWriting();
    Report(error, f, reason);
    return false;
  }
  if (!file.commit()) {
    Report(error, f, file.errorString());
    return false;
  }
  return true;
}

}  // namespace vantrel
