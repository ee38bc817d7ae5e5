#pragma once
// Writing a finished picture to a file: the render window's Save.
#include <string>

namespace vantrel {

class FolderItem;
class Picture;

// Writes picture to f as a JPEG file. The data goes to a temporary file beside
// f that replaces f only once it is complete, so a failed save leaves a file
// already at f as it was. False when nothing was saved; error, when given,
// then says why and names the file. No thread may be drawing into picture.
bool SaveAsPicture(const FolderItem& f, const Picture& picture, std::string* error = nullptr);

}  // namespace vantrel
