// One input is the content of a document file. It goes through everything a
// file reaches without a window: the settings block on its own, the document
// reader, applying the result to a document, writing that document and
// reading it back (which must give the same document), and a shallow preview
// and render of it into small pictures. Sanitizer reports, leaks, a changed
// round trip and slow inputs fail the run.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "editor/DocumentFile.h"
#include "editor/DocumentModel.h"
#include "editor/DocumentSnapshot.h"
#include "editor/PreviewGrid.h"
#include "model/FailedReadException.h"
#include "model/FracRender.h"
#include "model/Globals.h"
#include "model/SettingSet.h"
#include "model/SettingsCatalogue.h"
#include "platform/core/FolderItem.h"
#include "platform/core/Picture.h"
#include "platform/core/TextStream.h"

namespace vantrel {
namespace {

// The canvas a document is opened on; pictures are this size too.
constexpr Integer kCanvasWidth = 48;
constexpr Integer kCanvasHeight = 36;
// Pixels a shallow drawing may write, counting each segment as its pen's
// box clipped to the picture: enough to cross every code path of the
// renderer, few enough for a few milliseconds.
constexpr double kShallowPixels = 262144.0;

class FuzzDocument : public DocumentModel {
 public:
  Integer CanvasWidth() const override { return kCanvasWidth; }
  Integer CanvasHeight() const override { return kCanvasHeight; }
};

[[noreturn]] void Fail(const char* what) {
  std::fprintf(stderr, "document fuzzer: %s\n", what);
  std::abort();
}

void ReadSettingsBlock(const std::string& text) {
  auto stream = TextInputStream::FromString(text);
  SettingSet settings;
  try {
    settings.LoadFromStream(*stream);
  } catch (const FailedReadException&) {
  }
}

bool SameSettings(const SettingSet& a, const SettingSet& b) {
  return a.Colors == b.Colors && a.Ints == b.Ints && a.Booleans == b.Booleans && a.Name == b.Name;
}

// What Save writes, Open must read back as it was.
void CheckRoundTrip(const DocumentModel& document) {
  auto out = TextOutputStream::ToMemory();
  WriteDocument(document, *out);
  auto in = TextInputStream::FromString(out->Text());
  Result<DocumentData> read = ReadDocument(*in);
  if (!read) Fail("a written document cannot be read");
  const DocumentData& again = *read;
  if (again.X1 != document.X1 || again.X2 != document.X2 || again.Y1 != document.Y1 ||
      again.Y2 != document.Y2) {
    Fail("the view changed in the round trip");
  }
  if (!SameSettings(*again.Settings, *document.CurrentSettings)) {
    Fail("the settings changed in the round trip");
  }
  if (again.Xpoints != document.Xpoints || again.Ypoints != document.Ypoints) {
    Fail("the points changed in the round trip");
  }
}

// The deepest level (1 to 3) whose segments stay within the shallow budget
// with the surface's pen.
Integer ShallowDepth(std::size_t points, const Graphics& g) {
  const double copies = static_cast<double>(points > 1 ? points - 1 : 1);
  const double side = std::max(g.Width(), g.Height());
  const double pen = std::clamp(static_cast<double>(std::max(g.PenWidth, g.PenHeight)), 1.0, side);
  const double segmentsAllowed = kShallowPixels / (pen * pen);
  Integer depth = 1;
  double segments = copies;
  while (depth < 3 && segments * copies <= segmentsAllowed) {
    segments *= copies;
    ++depth;
  }
  return depth;
}

void SetPen(Graphics& g, double width) {
  g.PenWidth = ToInteger(width);
  g.PenHeight = ToInteger(width);
}

void DrawFractal(Graphics& g, const DocumentSnapshot& doc, double x1, double x2, double y1,
                 double y2) {
  FracRender render(g, x1, x2, y1, y2, doc.Xpoints, doc.Ypoints,
                    ShallowDepth(doc.Xpoints.size(), g));
  render.Draw();
}

// A preview round and the picture under it: fractal, grid, path, markers.
void Preview(const DocumentSnapshot& doc) {
  auto picture = NewPicture(doc.View.Width, doc.View.Height, 16);
  if (!picture) Fail("no preview picture");
  Graphics& g = picture->Graphics();
  const SettingSet& s = *doc.Settings;
  g.ForeColor = s.Colors[kBackgroundColor];
  g.FillRect(0, 0, picture->Width(), picture->Height());
  g.ForeColor = s.Colors[kPreviewColor];
  SetPen(g, s.Ints[kPreviewLineWidth]);
  DrawFractal(g, doc, doc.View.X1, doc.View.X2, doc.View.Y1, doc.View.Y2);
  g.PenWidth = g.PenHeight = 1;
  DrawPreviewGrid(g, doc.View, s.Ints[kGridLinesX], s.Ints[kGridLinesY]);
  SetPen(g, s.Ints[kLineWidth]);
  FracRender path(g, doc.View.X1, doc.View.X2, doc.View.Y1, doc.View.Y2, doc.Xpoints, doc.Ypoints,
                  1);
  path.Draw();
  doc.DrawPoints(g);
}

// A render at the document's render size, drawn small: the view is fitted
// to that size as a render fits it, then shown on a canvas-sized picture.
void Render(const DocumentSnapshot& doc) {
  const SettingSet& s = *doc.Settings;
  double x1 = doc.View.X1, x2 = doc.View.X2, y1 = doc.View.Y1, y2 = doc.View.Y2;
  Globals::Resize(x1, x2, y1, y2, ToInteger(s.Ints[kRenderWidth]),
                  ToInteger(s.Ints[kRenderHeight]), doc.View.Width, doc.View.Height);
  auto picture = NewPicture(kCanvasWidth, kCanvasHeight, 16);
  if (!picture) Fail("no render picture");
  Graphics& g = picture->Graphics();
  g.ForeColor = s.Colors[kRenderBackgroundColor];
  g.FillRect(0, 0, picture->Width(), picture->Height());
  g.ForeColor = s.Colors[kRenderLineColor];
  SetPen(g, s.Ints[kRenderLineWidth]);
  DrawFractal(g, doc, x1, x2, y1, y2);
}

void FuzzDocumentText(const std::string& text) {
  ReadSettingsBlock(text);
  auto stream = TextInputStream::FromString(text);
  Result<DocumentData> data = ReadDocument(*stream);
  if (!data) return;
  FuzzDocument document;
  ApplyDocument(document, std::move(*data), FolderItem("Fuzzed.txt"));
  CheckRoundTrip(document);
  const auto snapshot = document.Snapshot();
  Preview(*snapshot);
  Render(*snapshot);
}

}  // namespace
}  // namespace vantrel

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  vantrel::FuzzDocumentText(std::string(reinterpret_cast<const char*>(data), size));
  return 0;
}
