#include "editor/DocumentFile.h"

#include <algorithm>
#include <filesystem>
#include <system_error>
#include <utility>

#include "editor/CanvasView.h"
#include "editor/DocumentModel.h"
#include "model/FailedReadException.h"
#include "model/SettingSet.h"
#include "platform/core/FolderItem.h"
#include "platform/core/Text.h"
#include "platform/core/TextStream.h"

namespace vantrel {

namespace {

std::string PairLine(double x, double y) { return Str(x) + "," + Str(y); }

// The first two comma-separated fields of a line; a missing field or one
// without a number reads as 0, fields after the second are ignored.
std::pair<double, double> ReadPair(const std::string& line) {
  return {FiniteCoordinate(Val(NthField(line, ",", 1))),
          FiniteCoordinate(Val(NthField(line, ",", 2)))};
}

}  // namespace

std::string RevertMessage(const std::string& title) {
  return kRevertMessageStart + title + kRevertMessageEnd;
}

std::string DocumentNameForFile(const std::string& fileName) {
  const Integer extension = Len(kDocumentExtension);
  if (Len(fileName) >= extension && TextEquals(Right(fileName, extension), kDocumentExtension)) {
    return Left(fileName, Len(fileName) - extension);
  }
  return fileName;
}

void WriteDocument(const DocumentModel& document, TextOutputStream& stream) {
  stream.WriteLine(PairLine(document.X1, document.Y1));
  stream.WriteLine(PairLine(document.X2, document.Y2));
  if (document.CurrentSettings) {
    document.CurrentSettings->WriteToStream(stream);
  } else {
    SettingSet().WriteToStream(stream);
  }
  const std::size_t count = std::min(document.Xpoints.size(), document.Ypoints.size());
  for (std::size_t i = 0; i < count; ++i) {
    stream.WriteLine(PairLine(document.Xpoints[i], document.Ypoints[i]));
  }
}

bool WriteDocumentFile(DocumentModel& document, const FolderItem& file, std::string* error) {
  if (!document.HasRoomFor(0)) {
    if (error) {
      *error = "Could not write \"" + file.NativePath() + "\": a document holds at most " +
               std::to_string(kMaxDocumentPoints) + " points";
    }
    return false;
  }
  auto stream = file.CreateTextFile(error);
  if (!stream) return false;
  WriteDocument(document, *stream);
  // A save that did not reach the disk must not clear the "*": the user
  // would close the window believing the work was kept.
  if (!stream->Close()) {
    if (error) *error = stream->Error();
    return false;
  }
  document.CurrentFile = file;
  document.Changed(false);
  return true;
}

DocumentData ReadDocument(TextInputStream& stream) {
  DocumentData data;
  const auto [x1, y1] = ReadPair(stream.ReadLine());
  const auto [x2, y2] = ReadPair(stream.ReadLine());
  // A collapsed or overflowing view can only come from a damaged file; the
  // unit square of a new document is a view the user can work from.
  if (IsSoundView(x1, x2, y1, y2)) {
    data.X1 = x1;
    data.X2 = x2;
    data.Y1 = y1;
    data.Y2 = y2;
  }

  data.Settings = std::make_shared<SettingSet>();
  data.Settings->LoadFromStream(stream);

  while (!stream.EndOfFile()) {
    if (data.Xpoints.size() >= kMaxDocumentPoints) throw FailedReadException();
    // Every remaining line is a point; a blank line is the point (0, 0).
    const auto [x, y] = ReadPair(stream.ReadLine());
    data.Xpoints.push_back(x);
    data.Ypoints.push_back(y);
  }
  // Checked once at the end: an overlong line ends the stream at once.
  if (stream.LineTooLong()) throw FailedReadException();
  return data;
}

DocumentData ReadDocumentFile(const FolderItem& file) {
  // Only a plain file can be a document: a device or a pipe may never end
  // (or never end its first line), and a folder holds no text.
  std::error_code error;
  if (!std::filesystem::is_regular_file(file.Path(), error)) throw FailedReadException();
  auto stream = file.OpenAsTextFile();
  if (!stream) throw FailedReadException();
  DocumentData data = ReadDocument(*stream);
  stream->Close();
  return data;
}

void ApplyDocument(DocumentModel& document, DocumentData data, const FolderItem& file) {
  document.LoadDefaulySettings = false;
  const bool sound = IsSoundView(data.X1, data.X2, data.Y1, data.Y2);
  document.X1 = sound ? data.X1 : 0.0;
  document.X2 = sound ? data.X2 : 1.0;
  document.Y1 = sound ? data.Y1 : 0.0;
  document.Y2 = sound ? data.Y2 : 1.0;
  document.CurrentSettings = data.Settings ? std::move(data.Settings)
                                           : std::make_shared<SettingSet>();

  const std::size_t count = std::min(data.Xpoints.size(), data.Ypoints.size());
  data.Xpoints.resize(count);
  data.Ypoints.resize(count);
  document.Xpoints = std::move(data.Xpoints);
  document.Ypoints = std::move(data.Ypoints);
  document.SelectedPoints.assign(count, false);

  document.CurrentFile = file;
  document.Name = DocumentNameForFile(file.Name());

  // Fitted from the canvas's own size to itself: the x extent and the centre
  // stay as read, the y extent follows for square pixels.
  document.OldCanSizeX = document.CanvasWidth();
  document.OldCanSizeY = document.CanvasHeight();
  document.Resized();
  document.Changed(false);
}

void OpenDocument(DocumentModel& document, const FolderItem& file) {
  document.LoadDefaulySettings = false;
  ApplyDocument(document, ReadDocumentFile(file), file);
}

}  // namespace vantrel
