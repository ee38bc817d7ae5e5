#pragma once
// Writing a finished picture to a file: the render window's Save.
#include "platform/core/FileResult.h"

namespace vantrel {

class FolderItem;
class Picture;

// Writes picture to f as a JPEG file through FileWriter, so a failed save
// leaves a file already at f as it was (unless f could only be overwritten in
// place), a link at f stays a link and a write-protected f is refused. A
// picture wider or higher than Picture::kMaxSavedSide is refused. Fails when
// nothing was saved, saying why and naming the file. No thread may be
// drawing into picture.
FileResult SaveAsPicture(const FolderItem& f, const Picture& picture);

}  // namespace vantrel
