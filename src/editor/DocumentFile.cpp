#include "editor/DocumentFile.h"

#include <algorithm>
#include <filesystem>
#include <system_error>
#include <utility>

#include "editor/CanvasView.h"
#include "editor/DocumentModel.h"
#include "editor/DocumentSnapshot.h"
#include "model/FailedReadException.h"
#include "model/SettingSet.h"
#include "platform/core/FolderItem.h"
#include "platform/core/Text.h"
#include "platform/core/Thread.h"
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

// A message for the user about a file that could not be used: what failed,
// then the system layer's reason, which names the file.
FileResult Problem(const char* start, const std::string& reason) {
  return FileResult::Failed(std::string(start) + " " + reason + ".");
}

// The settings block's reader throws; the document's reader reports.
FileResult ReadSettings(SettingSet& settings, TextInputStream& stream) {
  try {
    settings.LoadFromStream(stream);
  } catch (const FailedReadException&) {
    return FileResult::Failed(kFailedReadMessage);
  }
  return {};
}

}  // namespace

std::string TooManyPointsToOpenMessage() {
  return "Failed to read file. The document holds more points than Vantrel can open. " +
         PointLimitText();
}

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

namespace {

constexpr std::size_t kPointsPerYield = 4096;

// The one writer of the format, for the live document and its snapshot.
void WriteContent(const CanvasView& view, const SettingSet* settings,
                  const std::vector<double>& xpoints, const std::vector<double>& ypoints,
                  TextOutputStream& stream) {
  stream.WriteLine(PairLine(view.X1, view.Y1));
  stream.WriteLine(PairLine(view.X2, view.Y2));
  if (settings) {
    settings->WriteToStream(stream);
  } else {
    SettingSet().WriteToStream(stream);
  }
  const std::size_t count = std::min(xpoints.size(), ypoints.size());
  for (std::size_t i = 0; i < count; ++i) {
    stream.WriteLine(PairLine(xpoints[i], ypoints[i]));
    // A save thread may be paused here.
    if (i % kPointsPerYield == 0) Yield();
  }
}

// Writes file with write, refusing more points than the reader takes. A
// save that did not reach the disk fails: the user would otherwise close
// the window believing the work was kept.
template <class Write>
FileResult WriteFileWith(const FolderItem& file, std::size_t points, Write write) {
  if (points > kMaxDocumentPoints) {
    return Problem(kWriteFailedMessage, "Could not write \"" + file.NativePath() +
                                            "\": a document holds at most " +
                                            std::to_string(kMaxDocumentPoints) + " points");
  }
  auto stream = file.CreateTextFile();
  if (!stream) return Problem(kWriteFailedMessage, stream.Error());
  write(**stream);
  if (const FileResult closed = (*stream)->Close(); !closed) {
    return Problem(kWriteFailedMessage, closed.Error());
  }
  return {};
}

}  // namespace

void WriteDocument(const DocumentModel& document, TextOutputStream& stream) {
  WriteContent(CanvasView{document.X1, document.X2, document.Y1, document.Y2},
               document.CurrentSettings.get(), document.Xpoints, document.Ypoints, stream);
}

void WriteDocument(const DocumentSnapshot& document, TextOutputStream& stream) {
  WriteContent(document.View, document.Settings.get(), document.Xpoints, document.Ypoints,
               stream);
}

FileResult WriteDocumentFile(DocumentModel& document, const FolderItem& file) {
  const std::size_t points = document.HasRoomFor(0) ? 0 : kMaxDocumentPoints + 1;
  const FileResult written = WriteFileWith(
      file, points, [&document](TextOutputStream& stream) { WriteDocument(document, stream); });
  if (!written) return written;
  document.CurrentFile = file;
  document.Changed(false);
  return {};
}

FileResult WriteSnapshotFile(const DocumentSnapshot& document, const FolderItem& file) {
  const std::size_t points = std::min(document.Xpoints.size(), document.Ypoints.size());
  return WriteFileWith(file, points,
                       [&document](TextOutputStream& stream) { WriteDocument(document, stream); });
}

Result<DocumentData> ReadDocument(TextInputStream& stream) {
  DocumentData data;
  stream.LineLimit(kMaxPointLineBytes);
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

  // An overlong corner line has ended the stream: the block then fails.
  data.Settings = std::make_shared<SettingSet>();
  if (FileResult read = ReadSettings(*data.Settings, stream); !read) return read;

  stream.LineLimit(kMaxPointLineBytes);
  while (!stream.EndOfFile()) {
    // Checked before the line is read: the file is refused at the first
    // point too many, not read to its end.
    if (data.Xpoints.size() >= kMaxDocumentPoints) {
      return FileResult::Failed(TooManyPointsToOpenMessage());
    }
    // Every remaining line is a point; a blank line is the point (0, 0).
    const auto [x, y] = ReadPair(stream.ReadLine());
    data.Xpoints.push_back(x);
    data.Ypoints.push_back(y);
    // A reading thread may be killed here.
    if (data.Xpoints.size() % kPointsPerYield == 0) Yield();
  }
  // Checked once at the end: an overlong line ends the stream at once.
  if (stream.LineTooLong()) return FileResult::Failed(kFailedReadMessage);
  // Grown by doubling, the vectors have up to as much room again, which the
  // document would keep until its next edit. Cut one at a time, a file at
  // the point limit holds under four Doubles a point meanwhile, as while it
  // grew.
  data.Xpoints.shrink_to_fit();
  data.Ypoints.shrink_to_fit();
  return data;
}

Result<DocumentData> ReadDocumentFile(const FolderItem& file) {
  if (!file.Exists()) {
    return Problem(kOpenFailedMessage,
                   "Could not open \"" + file.NativePath() + "\": it does not exist");
  }
  // Only a plain file can be a document: a device or a pipe may never end
  // (or never end its first line), and a folder holds no text.
  std::error_code error;
  if (!std::filesystem::is_regular_file(file.Path(), error)) {
    return FileResult::Failed(kFailedReadMessage);
  }
  auto stream = file.OpenAsTextFile();
  if (!stream) return Problem(kOpenFailedMessage, stream.Error());
  Result<DocumentData> data = ReadDocument(**stream);
  (*stream)->Close();
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
  document.FitViewToCanvas();
  document.Changed(false);
}

FileResult OpenDocument(DocumentModel& document, const FolderItem& file) {
  document.LoadDefaulySettings = false;
  Result<DocumentData> data = ReadDocumentFile(file);
  if (!data) return data.Status();
  ApplyDocument(document, std::move(*data), file);
  document.PublishSnapshot();
  return {};
}

}  // namespace vantrel
