#pragma once
// Writing a finished picture to a file: the render window's Save. Qt-free, so
// that a save thread can do it.
#include "platform/core/FileResult.h"

namespace vantrel {

class FolderItem;
class Picture;

// Writes picture to f as a baseline JPEG file (quality 95) through
// FileWriter, so a failed save leaves a file already at f as it was (unless f
// could only be overwritten in place), a link at f stays a link and a
// write-protected f is refused. A picture wider or higher than
// Picture::kMaxSavedSide is refused. Fails when nothing was saved, saying why
// and naming the file. No thread may be drawing into picture. On a Thread,
// the save may be paused between rows; a kill leaves no file behind.
FileResult SaveAsPicture(const FolderItem& f, const Picture& picture);

}  // namespace vantrel
