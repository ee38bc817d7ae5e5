#pragma once
// The document file: a plain text file of one record per line. The view
// rectangle's top-left corner "x,y", its bottom-right corner "x,y", the
// settings block (SettingSet::WriteToStream), then one "x,y" line per point
// in path order. No header, no version, no count of points; selection flags,
// name and canvas size are not stored.
//
// Reading is split from applying, so that Open and Revert To Saved can read
// the whole file before they touch the document.
//
// Every line and the number of points are bounded by what the writer can
// make, so reading never takes more than about 25 header lines and
// kMaxDocumentPoints point lines (some 400 MB): a file that is not a
// document fails at its first line beyond a bound, without being read on.
#include <cstddef>
#include <memory>
#include <string>
#include <vector>

#include "platform/core/FileResult.h"
#include "platform/core/Text.h"

namespace vantrel {

class DocumentModel;
class DocumentSnapshot;
class FolderItem;
class SettingSet;
class TextInputStream;
class TextOutputStream;

// What the user is told and asked around document files, exactly as written.
inline constexpr char kFailedReadMessage[] =
    "Failed to read file. File is most likley not a saved fractal from Vantrel. Remember, you "
    "can not open saved renderings with Vantrel.";
inline constexpr char kSavePromptText[] = "Enter a filename";
inline constexpr char kSaveSuggestedFileName[] = "Untitled Fractal.txt";
inline constexpr char kSaveDialogTitle[] = "Save your Fractal";
inline constexpr char kSettingsTitlePrefix[] = "Settings for: ";
inline constexpr char kRevertCaption[] = "Revert";
inline constexpr char kRevertMessageStart[] = "Do you want to revert to the saved version of ''";
inline constexpr char kRevertMessageEnd[] = "''?";
inline constexpr char kRevertExplanation[] = "If you do, your changes will be lost.";
// Shown when a save fails (the file could not be created, written or moved
// into place); the document keeps its file and its "*" then.
inline constexpr char kWriteFailedMessage[] = "Failed to save file.";
// Shown when a file chosen to open, or the document's file on revert, cannot
// be opened at all (gone, or not readable), as against not being a document.
inline constexpr char kOpenFailedMessage[] = "Failed to open file.";
// The ending dropped from a file's name to make the document's name.
inline constexpr char kDocumentExtension[] = ".txt";

// The longest corner or point line the writer makes is two numbers and a
// comma (49 bytes). The reader takes such lines up to this length, with room
// for blanks or digits added by hand, and no longer.
inline constexpr std::size_t kMaxPointLineBytes = 64;
static_assert(kMaxPointLineBytes >= 2 * kMaxDoubleTextBytes + 1);

// Shown when a file holds more points than a document may: this program
// wrote no such file, but it looks like a document, so saying why helps.
std::string TooManyPointsToOpenMessage();

// The revert prompt's message for a window title.
std::string RevertMessage(const std::string& title);

// The document name for a file name: without a final ".txt" in any letter
// case ("Star.TXT" gives "Star"); other names stay as they are.
std::string DocumentNameForFile(const std::string& fileName);

// A document as read from a file, before it is applied to a window.
struct DocumentData {
  // Always a usable view: a damaged file's view falls back to the unit square.
  double X1 = 0.0;
  double X2 = 1.0;
  double Y1 = 0.0;
  double Y2 = 1.0;
  std::shared_ptr<SettingSet> Settings;  // never null after ReadDocument
  // Same length, finite coordinates.
  std::vector<double> Xpoints;
  std::vector<double> Ypoints;
};

// Writes the whole file to stream, from the live document or from a
// snapshot of it. Closing the stream is the caller's.
void WriteDocument(const DocumentModel& document, TextOutputStream& stream);
void WriteDocument(const DocumentSnapshot& document, TextOutputStream& stream);

// Save: writes the document to file; a document of more than
// kMaxDocumentPoints points is refused, as the reader would refuse the file.
// On success the file becomes the document's file and the document is
// unchanged; on failure nothing of the document changes, the previous file
// content is left in place, and the message for the user starts with
// kWriteFailedMessage and says why.
FileResult WriteDocumentFile(DocumentModel& document, const FolderItem& file);
// The same from a snapshot, on any thread: writes the file and changes
// nothing else; the caller makes file the document's and clears its "*".
FileResult WriteSnapshotFile(const DocumentSnapshot& document, const FolderItem& file);

// Reads a document from stream. Fails with kFailedReadMessage when the
// settings block does not match or a line is longer than its bound, and with
// TooManyPointsToOpenMessage at the first point line past kMaxDocumentPoints.
// A number that cannot be read (no digits, "nan", "inf") reads as 0; one too
// large for a Double as the largest Double of its sign.
Result<DocumentData> ReadDocument(TextInputStream& stream);

// Opens and reads file. A file that does not exist or cannot be opened fails
// with kOpenFailedMessage and the reason; anything else that is not a plain
// file holding a document fails like a file that is not a document.
Result<DocumentData> ReadDocumentFile(const FolderItem& file);

// Makes data the document's content, read from file: view, settings, points
// (all unselected), file and name; the fitted canvas size becomes the
// canvas's current size and the view is refitted to it for square pixels
// (x extent and centre as read). Ends unchanged. Publishes no snapshot: the
// caller publishes once, when the rest of its edit is done.
void ApplyDocument(DocumentModel& document, DocumentData data, const FolderItem& file);

// Open and Revert To Saved: reads file and applies it. On failure the
// document is left as it was, apart from LoadDefaulySettings, which a
// document read from a file never has.
FileResult OpenDocument(DocumentModel& document, const FolderItem& file);

}  // namespace vantrel
