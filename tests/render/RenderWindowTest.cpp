// The render window offscreen: opening size, the render to its end, closing
// while it renders, sizes too large to hold, saving (up to the largest side
// the JPEG encoder takes), and the picture view.
#include <gtest/gtest.h>

#include <QApplication>
#include <QImage>
#include <QResizeEvent>
#include <QTest>
#include <QTimer>
#include <algorithm>
#include <filesystem>
#include <fstream>
#include <initializer_list>
#include <tuple>
#include <unistd.h>

#include "editor/DocumentServices.h"
#include "platform/core/FileSizeLimit.h"
#include "editor/DrawingWindow.h"
#include "model/FracRender.h"
#include "model/SettingSet.h"
#include "platform/core/Picture.h"
#include "platform/core/PicturePyramid.h"
#include "platform/core/SaveThread.h"
#include "platform/core/ShrunkPicture.h"
#include "platform/qt/Canvas.h"
#include "platform/qt/ComboBox.h"
#include "platform/qt/EventThread.h"
#include "platform/qt/ProgressBar.h"
#include "platform/qt/PushButton.h"
#include "platform/qt/ScriptedDialogs.h"
#include "platform/qt/ScrollBar.h"
#include "platform/qt/Timer.h"
#include "render/RenderWindow.h"
#include "support/AllocationLimit.h"
#include "support/Eventually.h"
#include "support/Settle.h"

namespace vantrel {
namespace {

namespace fs = std::filesystem;

using test::Settle;
using test::SettleUntil;

bool WaitForEnd(RenderWindow& w) {
  return SettleUntil([&w] { return w.SaveBTN().Enabled(); });
}

// Presses Save and waits for the save thread's outcome to arrive.
void SaveAndWait(RenderWindow& w) {
  w.SaveBTN_Action();
  EXPECT_TRUE(SettleUntil([&w] { return w.SaveThread == nullptr; }));
}

class RenderWindowTest : public ::testing::Test {
 protected:
  void SetUp() override {
    fs::create_directories(folder_);
    SetDocumentsFolder(folder_);
    doc_ = DrawingWindow::NewDocument("Untitled");  // default settings: green on black
    SetPath({0.0, 1.0 / 3, 0.5, 2.0 / 3, 1.0}, {0.5, 0.5, 0.2, 0.5, 0.5});
  }
  void TearDown() override {
    for (const auto& window : renders_) window->Close();
    doc_->Close();
    Settle();
    EXPECT_TRUE(WaitForAllThreads(std::chrono::seconds(10)));
    Services() = DocumentServices{};
    fs::remove_all(folder_);
  }

  void SetPath(std::vector<double> xs, std::vector<double> ys) {
    doc_->SelectedPoints.assign(xs.size(), false);
    doc_->Xpoints = std::move(xs);
    doc_->Ypoints = std::move(ys);
    doc_->PublishSnapshot();
  }
  std::shared_ptr<RenderWindow> Render(double width, double height) {
    doc_->CurrentSettings->Ints[6] = width;
    doc_->CurrentSettings->Ints[7] = height;
    auto window = RenderWindow::Create(*doc_);
    if (window) renders_.push_back(window);
    return window;
  }
  // The save dialog answers each name in turn, in the test's folder.
  void AnswerFiles(std::initializer_list<const char*> names) {
    for (const char* name : names) dialogs_.AnswerFile(FolderItem(folder_ / name));
  }
  QImage Jpeg(const char* name) const {
    return QImage(QString::fromStdString((folder_ / name).string()), "JPG");
  }
  std::vector<std::string> Messages() const {
    std::vector<std::string> texts;
    for (const auto& r : dialogs_.Requests()) {
      if (r.Kind == DialogKind::MsgBox) texts.push_back(r.Message);
    }
    return texts;
  }

  const fs::path folder_ =
      fs::temp_directory_path() / ("vantrel-render-" + std::to_string(getpid()));
  ScriptedDialogs dialogs_{[](const std::string& m) { ADD_FAILURE() << m; }};
  std::shared_ptr<DrawingWindow> doc_;
  std::vector<std::shared_ptr<RenderWindow>> renders_;
};

TEST_F(RenderWindowTest, OpensAtThePictureSizeWithinItsBounds) {
  // Render size; window; canvas; bar maxima.
  const Integer cases[][8] = {{300, 200, 316, 243, 300, 200, 0, 0},
                              {800, 800, 500, 500, 484, 457, 316, 343},
                              {100, 30, 200, 100, 184, 57, 0, 0},
                              {1000, 40, 500, 100, 484, 57, 516, 0}};
  for (const auto& c : cases) {
    auto w = Render(c[0], c[1]);
    ASSERT_NE(w, nullptr);
    EXPECT_EQ((std::vector{w->Width(), w->Height(), w->FracCan().Width(), w->FracCan().Height(),
                           w->ScrollBarX().Maximum(), w->ScrollBarY().Maximum()}),
              (std::vector{c[2], c[3], c[4], c[5], c[6], c[7]}));
    w->Close();
  }
}

// Notes the size of every top-level widget as it is shown.
struct ShownSizes : QObject {
  bool eventFilter(QObject* object, QEvent* event) override {
    auto* widget = qobject_cast<QWidget*>(object);
    if (event->type() == QEvent::Show && widget != nullptr && widget->isWindow()) {
      sizes.push_back(widget->size());
    }
    return false;
  }
  std::vector<QSize> sizes;
};

TEST_F(RenderWindowTest, ShowsAtItsOpeningSizeAndLaysOutForItsRealSizeOnly) {
  ShownSizes shown;
  qApp->installEventFilter(&shown);
  auto w = Render(400, 250);
  qApp->removeEventFilter(&shown);
  ASSERT_NE(w, nullptr);
  QWidget* top = w->Widget();
  EXPECT_EQ(shown.sizes, std::vector<QSize>{top->size()}) << "never shown at another size";

  // A window manager's late answers to earlier sizes change nothing.
  for (const QSize stale : {QSize(300, 300), QSize(416, 100), QSize(200, 600)}) {
    QResizeEvent event(stale, top->size());
    QApplication::sendEvent(top, &event);
  }
  Settle();
  EXPECT_EQ((std::vector{w->Width(), w->Height(), w->FracCan().Width(), w->FracCan().Height(),
                         w->ScrollBarY().Left(), w->ScrollBarX().Top()}),
            (std::vector<Integer>{416, 293, 400, 250, 400, 277}));
}

TEST_F(RenderWindowTest, RendersToItsEndThenStopsTheTimersAndOffersSave) {
  RenderWindow::InstallFactory();  // as the program does; the Render button uses it
  doc_->CurrentSettings->Ints[6] = 300;
  doc_->CurrentSettings->Ints[7] = 200;
  doc_->RenderBTN_Action();
  ASSERT_EQ(doc_->RenderWin.size(), 1u);
  auto w = std::dynamic_pointer_cast<RenderWindow>(doc_->RenderWin[0]);
  renders_.push_back(w);
  EXPECT_FALSE(w->SaveBTN().Enabled());
  ASSERT_TRUE(WaitForEnd(*w));
  EXPECT_EQ(w->DrawTimer().Mode(), Timer::kOff);
  EXPECT_EQ(w->ProgressTimer().Mode(), Timer::kOff);
  EXPECT_FALSE(w->ProgressBar1().Visible());
  // The fractal in the render colours, all of it on the canvas at 100 %.
  int green = 0;
  for (Integer y = 0; y < 200; ++y) {
    for (Integer x = 0; x < 300; ++x) {
      const Color c = w->Fractal->PixelColor(x, y);
      ASSERT_TRUE(c == RGB(0, 255, 0) || c == RGB(0, 0, 0));
      ASSERT_EQ(w->FracCan().Backing()->PixelColor(x, y), c);
      green += c == RGB(0, 255, 0);
    }
  }
  EXPECT_GT(green, 300);
  w->ProgressTimer_Action();
  EXPECT_EQ(w->ProgressBar1().Value(), 10000);
}

// Below 100 % the view is the picture averaged, never pixels picked, so that
// lines one pixel wide survive (how well is the pyramid's test): at 5 % a view
// pixel stands for 20 x 20 of the picture's, from the pyramid the worker
// brought up to date before the end; at 16.7 % the cells do not meet evenly.
TEST_F(RenderWindowTest, BelowFullSizeTheFinishedRenderShowsAveraged) {
  auto w = Render(1600, 1200);
  ASSERT_TRUE(WaitForEnd(*w));
  const Picture& canvas = *w->FracCan().Backing();
  for (const auto& [zoom, width, height] : {std::tuple{"5%", 80, 60}, {"16.7%", 267, 200}}) {
    w->ScaleBox().Text(zoom);
    w->ScaleBox_TextChanged();
    const auto expected =
        ShrunkPart(*w->Fractal, w->Pyramid.get(), width, height, 0, 0, width, height);
    ASSERT_NE(expected, nullptr);
    int lit = 0;
    for (Integer y = 0; y < height; ++y) {
      for (Integer x = 0; x < width; ++x) {
        ASSERT_EQ(canvas.Pixel(x, y), expected->Pixel(x, y)) << zoom << " " << x << "," << y;
        lit += (canvas.Pixel(x, y) & 0x07E0) != 0;
      }
    }
    EXPECT_GT(lit, 60) << "the curve, green on black";
    EXPECT_EQ(canvas.Pixel(width, 0), 0xFFFF) << "nothing beyond the picture";
  }
}

TEST_F(RenderWindowTest, ClosingMidRenderKillsTheWorkerAndLetsGoOfThePicture) {
  // Thirty-two segments about half the chord: some 32^10 lines, a render
  // that only a kill ends within the test, of a 1-pixel pen and a thick one.
  std::vector<double> xs, ys;
  for (int i = 0; i <= 32; ++i) {
    xs.push_back(i / 32.0);
    ys.push_back(i % 2 == 0 ? 0.5 : 0.016);
  }
  SetPath(xs, ys);
  for (const double pen : {1.0, 5.0}) {
    doc_->CurrentSettings->Ints[5] = pen;
    auto w = Render(2000, 2000);
    ASSERT_TRUE(SettleUntil([&w] { return w->Renderer() != nullptr; }));
    w->DrawTimer_Action();
    w->ProgressTimer_Action();
    const std::shared_ptr<RenderThread> worker = w->RenderThread;
    w->Close();
    ASSERT_TRUE(worker->WaitUntilEnded(std::chrono::seconds(10))) << pen;
    Settle();
    EXPECT_FALSE(w->SaveBTN().Enabled());
    EXPECT_EQ(w->Fractal, nullptr);
    EXPECT_EQ(w->DWin, nullptr);
  }
}

TEST_F(RenderWindowTest, SizeThatCannotBeHeldGetsAMessageAndNoWindow) {
  EXPECT_EQ(Render(99999, 99999), nullptr);
  // Sides that round to no pixels at all (1 pixel is enough: see the save
  // at the encoder's limit) are refused as the Render button refuses them.
  EXPECT_EQ(Render(0.4, 300), nullptr);
  EXPECT_EQ(Render(300, 0), nullptr);
  EXPECT_EQ(Messages(), (std::vector<std::string>{
                            "Could not make a picture of 99999 by 99999 pixels to render into. "
                            "Choose a smaller render size.",
                            DrawingWindow::kCanNotRender, DrawingWindow::kCanNotRender}));
}

TEST_F(RenderWindowTest, RenderThatRunsOutOfMemoryOffersNoSaveAndSaysSo) {
  // A path whose mapping needs more than the worker may get; the document's
  // own preview, which would meet the same limit, is not started.
  doc_->ControlNamed<Timer>("Timer2").Mode(Timer::kOff);
  std::vector<double> xs(200001), ys(200001, 0.5);
  for (std::size_t i = 0; i < xs.size(); ++i) xs[i] = static_cast<double>(i) / 200000.0;
  SetPath(std::move(xs), std::move(ys));
  const test::AllocationLimit limit(1 << 20);
  auto w = Render(300, 200);
  ASSERT_NE(w, nullptr);
  ASSERT_TRUE(SettleUntil([&w] { return w->DrawTimer().Mode() == Timer::kOff; }));
  EXPECT_FALSE(w->SaveBTN().Enabled()) << "a partial picture is not offered for saving";
  EXPECT_FALSE(w->ProgressBar1().Visible());
  EXPECT_EQ(Messages(), std::vector<std::string>{"Not enough memory to finish rendering this "
                                                 "fractal. The picture is incomplete."});
}

// How the writer keeps what was there is its own test's; here, what the
// window adds: the picture, the name it suggests, and a failure's reason (the
// write's, not the encoder's that only noticed it) with Save left on.
TEST_F(RenderWindowTest, SaveWritesAJpegAndAFailedSaveSaysWhyAndLeavesSaveOn) {
  auto w = Render(320, 240);
  ASSERT_TRUE(WaitForEnd(*w));
  AnswerFiles({"Star.JPG", "Big.JPG"});
  SaveAndWait(*w);
  EXPECT_EQ(dialogs_.Requests().at(0).SuggestedFileName, "Untitled.JPG");
  const QImage image = Jpeg("Star.JPG");
  ASSERT_EQ(image.size(), QSize(320, 240));
  EXPECT_LT(qGray(image.pixel(5, 5)), 16);
  {
    const test::FileSizeLimit limit(1024);
    if (!limit.Active()) GTEST_SKIP() << "the file size cannot be limited here";
    SaveAndWait(*w);
  }
  EXPECT_EQ(Messages(), std::vector<std::string>{"Failed to save picture. Could not write \"" +
                                                 (folder_ / "Big.JPG").string() +
                                                 "\": File too large."});
  EXPECT_TRUE(w->SaveBTN().Enabled()) << "the window stays ready to save again";
}

// A picture saved over the file of an open document would leave that window
// believing its work saved; any other file is the user's to replace.
TEST_F(RenderWindowTest, SaveRefusesTheFileOfAnOpenDocument) {
  auto w = Render(32, 24);
  ASSERT_TRUE(WaitForEnd(*w));
  const fs::path held = folder_ / "Star.txt";
  std::ofstream(held) << "a document";
  Services().WindowWithFile = [&](const FolderItem& file, const DrawingWindow* asking) {
    return asking == nullptr && file.SameFile(FolderItem(held)) ? doc_.get() : nullptr;
  };
  fs::create_symlink("Star.txt", folder_ / "Link.txt");
  AnswerFiles({"Link.txt", "Other.txt"});
  SaveAndWait(*w);
  SaveAndWait(*w);
  EXPECT_EQ(Messages(), std::vector<std::string>{"Failed to save picture. Could not save \"" +
                                                 (folder_ / "Link.txt").string() +
                                                 "\": it is open in a document window."});
  EXPECT_EQ(fs::file_size(held), 10u);  // "a document", untouched
  EXPECT_GT(fs::file_size(folder_ / "Other.txt"), 10u);
}

// The encoder's refusals in both directions are its own test's; here, the
// window's message, and a picture at the limit that saves whole.
TEST_F(RenderWindowTest, PictureAtTheEncodersLimitSavesAndOnePixelMoreIsRefusedUnencoded) {
  // 65500 is libjpeg's own limit, below the 65535 a JPEG header could hold.
  auto atLimit = Render(65500, 1);
  auto wide = Render(65501, 1);
  for (const auto& w : {atLimit, wide}) ASSERT_TRUE(w && WaitForEnd(*w));
  AnswerFiles({"Limit.JPG", "Wide.JPG"});
  for (const auto& w : {atLimit, wide}) SaveAndWait(*w);
  EXPECT_EQ(Jpeg("Limit.JPG").size(), QSize(65500, 1));
  EXPECT_EQ(Messages(), std::vector<std::string>{"Failed to save picture. Could not write \"" +
                                                 (folder_ / "Wide.JPG").string() +
                                                 "\": a JPEG picture is at most 65500 pixels "
                                                 "wide and high."});
  EXPECT_FALSE(fs::exists(folder_ / "Wide.JPG"));
}

// The save runs on its own thread: while it is held half-way the window
// goes on handling events, Save is off (a second press asks nothing), and
// nothing is at the file yet; let go, it writes the picture the render made.
TEST_F(RenderWindowTest, SaveRunsBesideTheEventLoopOneAtATime) {
  auto w = Render(1200, 900);
  ASSERT_TRUE(WaitForEnd(*w));
  for (Integer y = 0; y < 900; ++y) {
    for (Integer x = 0; x < 1200; ++x) w->Fractal->SetPixel(x, y, x < 600 ? 0xF800 : 0x07E0);
  }
  AnswerFiles({"Held.JPG"});
  w->SaveBTN_Action();
  ASSERT_NE(w->SaveThread, nullptr);
  w->SaveThread->Suspend();
  ASSERT_TRUE(SettleUntil([&w] { return w->SaveThread->Parked(); }));
  bool fired = false;
  QTimer::singleShot(0, [&fired] { fired = true; });
  EXPECT_TRUE(SettleUntil([&fired] { return fired; })) << "the event loop runs during a save";
  EXPECT_FALSE(w->SaveBTN().Enabled());
  w->SaveBTN_Action();
  EXPECT_EQ(dialogs_.Requests().size(), 1u) << "no second save while one runs";
  EXPECT_FALSE(fs::exists(folder_ / "Held.JPG"));
  w->SaveThread->Resume();
  ASSERT_TRUE(SettleUntil([&w] { return w->SaveThread == nullptr; }));
  EXPECT_TRUE(w->SaveBTN().Enabled());
  EXPECT_TRUE(Messages().empty());
  const QImage image = Jpeg("Held.JPG");
  ASSERT_EQ(image.size(), QSize(1200, 900));
  for (const QPoint at : {QPoint(10, 10), QPoint(590, 450), QPoint(610, 880)}) {
    const QRgb pixel = image.pixel(at);
    const bool red = at.x() < 600;
    EXPECT_GE(red ? qRed(pixel) : qGreen(pixel), 245) << at.x() << "," << at.y();
    EXPECT_LE(red ? qGreen(pixel) : qRed(pixel), 10) << at.x() << "," << at.y();
    EXPECT_LE(qBlue(pixel), 10);
  }
}

// Closing the window (as a quit does) lets its save finish: the thread keeps
// the picture, WaitForAllSaves returns only once the file is in place, and a
// save that fails after its window closed still says so.
TEST_F(RenderWindowTest, ASaveOutlivesItsWindowAndAFailureIsStillTold) {
  auto saved = Render(800, 600);
  auto failing = Render(80, 60);
  ASSERT_TRUE(WaitForEnd(*saved) && WaitForEnd(*failing));
  fs::create_directories(folder_ / "Folder.JPG");
  AnswerFiles({"Closed.JPG", "Folder.JPG"});
  saved->SaveBTN_Action();
  failing->SaveBTN_Action();
  const std::shared_ptr<SaveThread> save = saved->SaveThread;
  ASSERT_NE(save, nullptr);
  save->Suspend();
  ASSERT_TRUE(SettleUntil([&save] { return save->Parked(); }));
  saved->Close();
  failing->Close();
  EXPECT_EQ(saved->Fractal, nullptr) << "the window let go of its picture";
  save->Resume();
  ASSERT_TRUE(test::ReturnsWithin(&WaitForAllSaves)) << "the wait for the save never ended";
  EXPECT_EQ(Jpeg("Closed.JPG").size(), QSize(800, 600));
  Settle();
  EXPECT_EQ(Messages(), std::vector<std::string>{"Failed to save picture. Could not create \"" +
                                                 (folder_ / "Folder.JPG").string() +
                                                 "\": it is a folder."});
  EXPECT_EQ(std::distance(fs::directory_iterator(folder_), fs::directory_iterator()), 2)
      << "no temporary file left";
}

// --- The picture view: a finished 800 x 800 render (canvas 484 x 457) whose
// picture is then painted with a pattern that tells nearby pixels apart.

std::uint16_t Pattern(Integer x, Integer y) {
  return static_cast<std::uint16_t>((x & 0x3FF) << 6 | (y & 0x3F));  // never white
}

class RenderViewTest : public RenderWindowTest {
 protected:
  void SetUp() override {
    RenderWindowTest::SetUp();
    w_ = Render(800, 800);
    ASSERT_TRUE(WaitForEnd(*w_));
    Repaint(Pattern);
    w_->DrawFrac();
  }
  // Gives the finished picture new pixels, and its pyramid with them, as if
  // the worker had drawn them.
  void Repaint(std::uint16_t (*pixel)(Integer x, Integer y)) {
    for (Integer y = 0; y < 800; ++y) {
      for (Integer x = 0; x < 800; ++x) w_->Fractal->SetPixel(x, y, pixel(x, y));
    }
    ASSERT_TRUE(w_->Pyramid->Update(*w_->Fractal));
  }
  void Zoom(const std::string& text) {
    w_->ScaleBox().Text(text);
    w_->ScaleBox_TextChanged();
  }
  // Canvas pixels unlike the picture at zoom num/den seen from the offsets
  // (nearest pixel; below 100 % only somewhere in the picture), or unlike
  // white beyond it.
  int Mismatches(std::int64_t num, std::int64_t den) const {
    const Picture& canvas = *w_->FracCan().Backing();
    const std::int64_t scaled = 800 * num / den;
    int wrong = 0;
    for (Integer cy = 0; cy < canvas.Height(); ++cy) {
      for (Integer cx = 0; cx < canvas.Width(); ++cx) {
        const std::int64_t tx = cx + std::int64_t{w_->XScroll};
        const std::int64_t ty = cy + std::int64_t{w_->Yscroll};
        const auto at = [&](std::int64_t t) {
          return static_cast<Integer>((2 * t + 1) * 800 / (2 * scaled));
        };
        const bool inside = tx < scaled && ty < scaled;
        const std::uint16_t pixel = canvas.Pixel(cx, cy);
        if (!inside || num >= den) {
          wrong += pixel != (inside ? Pattern(at(tx), at(ty)) : 0xFFFF);
        } else {
          wrong += pixel == 0xFFFF;
        }
      }
    }
    return wrong;
  }
  std::shared_ptr<RenderWindow> w_;
};

TEST_F(RenderViewTest, ZoomSetsTheBarsAndRedrawsFromTheTopLeft) {
  w_->ScrollBarY().Value(100);
  Zoom("200%");
  EXPECT_EQ(w_->ScrollBarX().Maximum(), 1116);
  EXPECT_EQ(w_->ScrollBarY().Maximum(), 1143);
  EXPECT_EQ(Mismatches(2, 1), 0);
  w_->ScaleBox().ListIndex(4);  // "50.%", as the list stores it
  w_->ScaleBox_Change();
  EXPECT_EQ(w_->ScrollBarX().Maximum(), 0);
  EXPECT_EQ(Mismatches(1, 2), 0);  // 400 x 400 at the top left, the rest cleared
  Zoom("12.5%");
  EXPECT_EQ(Mismatches(1, 8), 0);
  Zoom("zoom");  // no number: nothing shown
  EXPECT_EQ(Mismatches(0, 1), 0);
  Zoom("1e30%");  // held where the scaled sides still fit an Integer
  EXPECT_DOUBLE_EQ(w_->Scale, std::numeric_limits<Integer>::max() / 800.0);
  w_->ScrollBarX().Value(w_->ScrollBarX().Maximum());
  EXPECT_EQ(w_->FracCan().Backing()->Pixel(0, 0), Pattern(799, 0));
}

TEST_F(RenderViewTest, ScrollingAndDraggingMoveTheContentAndFillWhatTheyUncover) {
  for (const auto& [x, y] : {std::pair{0, 40}, {300, 40}, {120, 5}, {5000, 5}}) {
    w_->ScrollBarX().Value(x);
    w_->ScrollBarY().Value(y);
    EXPECT_EQ(w_->XScroll, std::min(x, 316));
    EXPECT_EQ(Mismatches(1, 1), 0) << x << "," << y;
  }
  w_->ScrollBarX().Value(100);
  ASSERT_TRUE(w_->FracCan_MouseDown(50, 50));
  w_->FracCan_MouseDrag(80, 50);  // 30 pixels to the right
  EXPECT_EQ(w_->XScroll, 70);
  EXPECT_EQ(Mismatches(1, 1), 0);
  // Past the edge the bar stops while the anchor follows the hand, so
  // turning back moves the picture at once.
  w_->FracCan_MouseDrag(180, 60);
  EXPECT_EQ(w_->XScroll, 0);
  w_->FracCan_MouseDrag(170, 60);
  w_->FracCan_MouseUp(170, 60);
  EXPECT_EQ(w_->XScroll, 10);
  EXPECT_EQ(Mismatches(1, 1), 0);
}

TEST_F(RenderViewTest, APictureIsShownOnlyOnceItHasBeenPainted) {
  // A picture the worker has not painted yet: its memory here red, which no
  // pattern pixel is. Neither a redraw nor a scroll shows it.
  const std::shared_ptr<Picture> fresh = NewUnpaintedPicture(800, 800, 16);
  std::fill_n(fresh->Bits(), 800 * 800, std::uint16_t{0xF800});
  w_->Fractal = fresh;
  w_->DrawFrac();
  w_->ScrollBarX().Value(100);
  w_->ScrollBarY().Value(40);
  const Picture& canvas = *w_->FracCan().Backing();
  const std::uint16_t* pixels = canvas.Bits();
  EXPECT_EQ(std::count(pixels, pixels + canvas.Width() * canvas.Height(), 0xF800), 0);
  // Painted, it shows.
  fresh->Paint(Color{0, 0, 255});
  w_->DrawFrac();
  EXPECT_EQ(canvas.PixelColor(0, 0), (Color{0, 0, 255}));
}

}  // namespace
}  // namespace vantrel
