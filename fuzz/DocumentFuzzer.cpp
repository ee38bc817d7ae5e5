// One input is the content of a document file. It goes through everything a
// file reaches without a window: the settings block on its own, the document
// reader, applying the result to a document, writing that document and
// reading it back (which must give the same document), and a shallow preview
// and render of it into small pictures. Sanitizer reports, leaks, a changed
// round trip and hangs fail the run.
//
// Every drawing is shallow and its pixels are budgeted: one input takes a
// few tens of milliseconds at most whatever its pens and points, so only a
// real hang reaches the run's timeout, even on a busy machine.
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
// Pixels one drawing's lines may stamp, the pen once per step along a
// line's longer side, plus one, within the picture: enough to cross every
// code path of the renderer, few enough for some milliseconds. The depth
// is chosen for it too, counting each segment as one pen's box.
constexpr std::int64_t kDrawingBudget = std::int64_t{1} << 16;

// Thrown when a drawing has spent its budget; it unwinds out of Draw as a
// kill does.
struct BudgetSpent {};

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
  const double segmentsAllowed = static_cast<double>(kDrawingBudget) / (pen * pen);
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

// The pixels a line stamps, as budgeted: a line or pen wider than the
// picture counts as crossing it.
std::int64_t StampedPixels(const Graphics& g, Integer x1, Integer y1, Integer x2, Integer y2) {
  const std::int64_t width = std::max<Integer>(g.Width(), 1);
  const std::int64_t height = std::max<Integer>(g.Height(), 1);
  const std::int64_t pen = std::clamp<std::int64_t>(g.PenWidth, 1, width) *
                           std::clamp<std::int64_t>(g.PenHeight, 1, height);
  const std::int64_t span =
      std::max(std::llabs(std::int64_t{x2} - x1), std::llabs(std::int64_t{y2} - y1));
  return (std::min(span, width + height) + 1) * pen;
}

// Draws until the lines have stamped kDrawingBudget pixels.
void DrawWithinBudget(FracRender& render, const Graphics& g) {
  std::int64_t left = kDrawingBudget;
  render.ObserveLines([&left, &g](Integer x1, Integer y1, Integer x2, Integer y2) {
    left -= StampedPixels(g, x1, y1, x2, y2);
    if (left < 0) throw BudgetSpent{};
  });
  try {
    render.Draw();
  } catch (const BudgetSpent&) {
  }
}

void DrawFractal(Graphics& g, const DocumentSnapshot& doc, double x1, double x2, double y1,
                 double y2) {
  FracRender render(g, x1, x2, y1, y2, doc.Xpoints, doc.Ypoints,
                    ShallowDepth(doc.Xpoints.size(), g));
  DrawWithinBudget(render, g);
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
  DrawWithinBudget(path, g);
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
  document.PublishSnapshot();
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
