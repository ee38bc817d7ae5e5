#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <filesystem>
#include <fstream>
#include <limits>
#include <random>
#include <sstream>
#include <string>
#include <vector>

#include <unistd.h>

#include "FakeDocument.h"
#include "editor/DocumentFile.h"
#include "model/SettingSet.h"
#include "platform/core/Picture.h"
#include "platform/core/TextStream.h"

namespace vantrel::test {
namespace {

namespace fs = std::filesystem;

std::string Written(const DocumentModel& doc) {
  auto out = TextOutputStream::ToMemory();
  WriteDocument(doc, *out);
  return out->Text();
}

Result<DocumentData> Read(std::string text) {
  auto in = TextInputStream::FromString(std::move(text));
  return ReadDocument(*in);
}

std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> lines;
  std::istringstream in(text);
  for (std::string line; std::getline(in, line);) lines.push_back(line);
  return lines;
}

std::string Joined(const std::vector<std::string>& lines) {
  std::string text;
  for (const auto& line : lines) text += line + "\n";
  return text;
}

// A saved document: a new document's file with the given point lines.
std::string FileWithPoints(const std::vector<std::string>& points) {
  FakeDocument doc;
  auto lines = Lines(Written(doc));
  lines.insert(lines.end(), points.begin(), points.end());
  return Joined(lines);
}

class DocumentFile : public ::testing::Test {
 protected:
  void SetUp() override { fs::create_directories(folder_); }
  void TearDown() override { fs::remove_all(folder_); }
  FolderItem File(const std::string& name) const { return FolderItem(folder_ / name); }
  const fs::path folder_ =
      fs::temp_directory_path() / ("vantrel-docfile-" + std::to_string(getpid()));
};

TEST_F(DocumentFile, SavedDocumentReadsBackRefittedAndAFailedSaveChangesNothing) {
  FakeDocument doc;
  doc.X2 = 2.0;  // 0 to 2 by 0 to 1: refitted to -0.5 to 1.5 on a square canvas
  doc.CurrentSettings->Name = "kept";
  doc.CurrentSettings->Ints[3] = 2.5;
  const std::vector<double> xs{0.1, 1.0 / 3, -2.5e-7, 1e300, 0.1};
  const std::vector<double> ys{0.2, 2.0 / 3, 7.0, -1e-300, 0.2};
  for (std::size_t i = 0; i < xs.size(); ++i) doc.AddPoint(xs[i], ys[i], -1);
  doc.SelectedPoints[1] = true;
  ASSERT_TRUE(WriteDocumentFile(doc, File("Star.TXT")));
  EXPECT_FALSE(doc.Changed());
  EXPECT_EQ(doc.CurrentFile, File("Star.TXT"));

  FakeDocument opened;
  ASSERT_TRUE(OpenDocument(opened, File("Star.TXT")));
  EXPECT_EQ(opened.Name, "Star");
  EXPECT_EQ(opened.CurrentFile, File("Star.TXT"));
  EXPECT_FALSE(opened.LoadDefaulySettings || opened.Changed());
  EXPECT_EQ(opened.Xpoints, xs);
  EXPECT_EQ(opened.Ypoints, ys);
  EXPECT_EQ(opened.SelectedPoints, std::vector<bool>(xs.size(), false));
  EXPECT_EQ(opened.Snapshot()->Xpoints, xs);
  const auto saved = Lines(Written(doc)), read = Lines(Written(opened));
  EXPECT_EQ(read[0], "0,-0.5");
  EXPECT_EQ(read[1], "2,1.5");
  EXPECT_EQ(std::vector(read.begin() + 2, read.end()), std::vector(saved.begin() + 2, saved.end()));

  // A failed save leaves the document changed and its file as it was.
  doc.AddPoint(1, 1, -1);
  const FileResult failed = WriteDocumentFile(doc, File("missing folder/Star.txt"));
  EXPECT_EQ(failed.Error().rfind(kWriteFailedMessage, 0), 0u) << failed.Error();
  EXPECT_TRUE(doc.Changed());
  EXPECT_EQ(doc.CurrentFile, File("Star.TXT"));
}

TEST(DocumentName, DropsAFinalTxtInAnyCase) {
  for (const auto& [file, name] :
       {std::pair{"Star.txt", "Star"}, {"Star.TXT", "Star"}, {"Star", "Star"}, {"txt", "txt"},
        {".txt", ""}, {"Star.txt.bak", "Star.txt.bak"}}) {
    EXPECT_EQ(DocumentNameForFile(file), name);
  }
}

TEST(DocumentRead, OddLinesReadAsNumbersOrZeroAndADamagedViewAsTheUnitSquare) {
  const auto data = *Read(FileWithPoints({"1,2", "", "nan,inf", "1e999,-1e999", "3", "4,5,6"}));
  constexpr double kMax = std::numeric_limits<double>::max();
  EXPECT_EQ(data.Xpoints, (std::vector<double>{1, 0, 0, kMax, 3, 4}));
  EXPECT_EQ(data.Ypoints, (std::vector<double>{2, 0, 0, -kMax, 0, 5}));
  // A byte-order mark an editor put before the first line is not part of it.
  auto marked = Lines(FileWithPoints({"1,2"}));
  marked[0] = "\xEF\xBB\xBF" "0.5,0.25";
  const auto unmarked = *Read(Joined(marked));
  EXPECT_TRUE(unmarked.X1 == 0.5 && unmarked.Y1 == 0.25 && unmarked.Xpoints.size() == 1);
  for (auto corners : {std::pair{"0.5,0", "0.5,1"}, {"-1e308,0", "1e308,1"}, {"x", "y"}}) {
    auto lines = Lines(FileWithPoints({}));
    lines[0] = corners.first;
    lines[1] = corners.second;
    const auto view = *Read(Joined(lines));
    EXPECT_TRUE(view.X1 == 0 && view.X2 == 1 && view.Y1 == 0 && view.Y2 == 1) << corners.first;
  }
}

TEST_F(DocumentFile, WhatIsNotADocumentFailsToRead) {
  constexpr char kJpegStart[] = "\xFF\xD8\xFF\xE0\x00\x10JFIF\x00\x01\x01\x00\x00\x48\n\xFF\xDB";
  const std::string jpeg(kJpegStart, sizeof kJpegStart - 1);
  auto badCount = Lines(FileWithPoints({}));
  badCount[3] = "8";  // the colour count
  for (const std::string& text : {std::string(), jpeg, Joined(badCount)}) {
    EXPECT_EQ(Read(text).Error(), kFailedReadMessage);
  }
  for (const char* notAFile : {"", "/dev/zero"}) {
    EXPECT_EQ(ReadDocumentFile(File(notAFile)).Error(), kFailedReadMessage) << notAFile;
  }
  FakeDocument doc;
  doc.AddPoint(1, 1, -1);
  EXPECT_EQ(OpenDocument(doc, File("absent.txt")).Error(),
            std::string(kOpenFailedMessage) + " Could not open \"" + (folder_ / "absent.txt").string() +
                "\": it does not exist.");
  EXPECT_EQ(doc.Xpoints.size(), 1u);  // a failed revert leaves the document as it was
  EXPECT_TRUE(doc.Changed());
}

// What the program lets a document grow to, it writes and reads back; one
// point more is neither written nor read, nor added.
TEST_F(DocumentFile, TheLargestDocumentRoundTripsAndNothingGoesBeyond) {
  FakeDocument doc;
  doc.Xpoints.resize(kMaxDocumentPoints);
  doc.Ypoints.assign(kMaxDocumentPoints, -0.5);
  doc.SelectedPoints.assign(kMaxDocumentPoints, false);
  for (std::size_t i = 0; i < kMaxDocumentPoints; ++i) doc.Xpoints[i] = static_cast<double>(i);
  EXPECT_FALSE(doc.AddPoint(1, 1, -1));
  ASSERT_TRUE(WriteDocumentFile(doc, File("Largest.txt")));
  Result<DocumentData> data = ReadDocumentFile(File("Largest.txt"));
  ASSERT_TRUE(data) << data.Error();
  EXPECT_TRUE(data->Xpoints == doc.Xpoints && data->Ypoints == doc.Ypoints);
  // The document keeps them until its next edit: nothing spare, as counted.
  EXPECT_TRUE(data->Xpoints.capacity() == kMaxDocumentPoints &&
              data->Ypoints.capacity() == kMaxDocumentPoints);

  // Refused at the point too many, saying why: the file looks like a document.
  std::ofstream(folder_ / "Largest.txt", std::ios::app) << "1,1\n";
  EXPECT_EQ(ReadDocumentFile(File("Largest.txt")).Error(),
            "Failed to read file. The document holds more points than Vantrel can open. A "
            "document can hold at most " + std::to_string(kMaxDocumentPoints) + " points.");
  doc.Xpoints.push_back(1), doc.Ypoints.push_back(1), doc.SelectedPoints.push_back(false);
  const std::string error = WriteDocumentFile(doc, File("Beyond.txt")).Error();
  EXPECT_NE(error.find("at most " + std::to_string(kMaxDocumentPoints) + " points"),
            std::string::npos) << error;
  EXPECT_FALSE(fs::exists(folder_ / "Beyond.txt"));
}

// A document read from a stream made on demand: head, then pattern over and
// over up to size bytes, so a test can offer a huge file without writing it.
// Counts the bytes the reader took.
class GeneratedText : public std::streambuf {
 public:
  GeneratedText(std::string head, std::string pattern, std::size_t size)
      : head_(std::move(head)), pattern_(std::move(pattern)), size_(size) {}
  std::size_t Served() const { return served_; }

 protected:
  int_type underflow() override {
    if (served_ >= size_) return traits_type::eof();
    const std::size_t n = std::min(chunk_.size(), size_ - served_);
    for (std::size_t i = 0; i < n; ++i) {
      const std::size_t at = served_ + i;
      chunk_[i] = at < head_.size() ? head_[at] : pattern_[(at - head_.size()) % pattern_.size()];
    }
    served_ += n;
    setg(chunk_.data(), chunk_.data(), chunk_.data() + n);
    return traits_type::to_int_type(chunk_[0]);
  }

 private:
  std::string head_;
  std::string pattern_;
  std::size_t size_;
  std::size_t served_ = 0;
  std::array<char, 4096> chunk_{};
};

// Each line may be as long as the writer makes it, with some room: the
// longest allowed reads, one byte more fails where it stands (view, settings
// block or points), and the gigabyte of digits after it is never read.
TEST(DocumentRead, ALineBeyondItsBoundFailsAtOnceWherever) {
  const auto valid = Lines(FileWithPoints({"1,2", "3,4"}));
  const std::size_t last = valid.size() - 1;
  for (auto [at, bound] : {std::pair{std::size_t{0}, kMaxPointLineBytes},
                           {std::size_t{2}, SettingSet::kMaxLineBytes}, {last, kMaxPointLineBytes}}) {
    auto lines = valid;
    lines[at] += std::string(bound - lines[at].size(), ' ');
    const Result<DocumentData> longest = Read(Joined(lines));
    ASSERT_TRUE(longest) << at;
    EXPECT_EQ(longest->Xpoints.back(), 3.0);
    lines[at] += ' ';
    GeneratedText text(Joined(lines), std::string(1000000, '7') + "\n", std::size_t{1} << 30);
    auto in = TextInputStream::FromStream(std::make_unique<std::istream>(&text));
    EXPECT_EQ(ReadDocument(*in).Error(), kFailedReadMessage) << at;
    EXPECT_LT(text.Served(), 16384u) << at;
  }
}

// Any mutation of a valid file either fails to read or opens with a usable
// document: finite view and points, parallel vectors, markers drawable.
TEST(DocumentRead, MutatedFilesNeverGiveUnsoundDocuments) {
  const auto valid = Lines(FileWithPoints({"0.25,0.5", "0.75,0.5", "0.5,0.1"}));
  const std::vector<std::string> junk{std::string(1, '\0'), "\r", "\n", ",", "-", ".", "e", "9",
                                      "nan", "1e308", "-inf", "\xFF\xD8", "7\n7", "\n\n\n"};
  std::mt19937 random(20240611);
  auto below = [&](std::size_t n) {
    return std::uniform_int_distribution<std::size_t>(0, n - 1)(random);
  };
  int failed = 0, opened = 0;
  for (int round = 0; round < 4000; ++round) {
    auto lines = valid;
    for (std::size_t m = 0, count = 1 + below(4); m < count; ++m) {
      const std::size_t at = below(lines.size());
      std::string& line = lines[at];
      switch (below(5)) {
        case 0: lines.insert(lines.begin() + at, std::string(line)); break;
        case 1: if (lines.size() > 1) lines.erase(lines.begin() + at); break;
        case 2: line.insert(below(line.size() + 1), junk[below(junk.size())]); break;
        case 3: if (!line.empty()) line[below(line.size())] = static_cast<char>(below(256)); break;
        default: line.resize(below(line.size() + 1)); break;
      }
    }
    std::string text = Joined(lines);
    if (round % 3 == 0) text.resize(below(text.size() + 1));  // cut anywhere
    Result<DocumentData> read = Read(text);
    if (!read) {
      ++failed;
      continue;
    }
    ++opened;
    DocumentData& data = *read;
    ASSERT_EQ(data.Xpoints.size(), data.Ypoints.size());
    ASSERT_TRUE(IsSoundView(data.X1, data.X2, data.Y1, data.Y2)) << text;
    for (std::size_t i = 0; i < data.Xpoints.size(); ++i) {
      ASSERT_TRUE(std::isfinite(data.Xpoints[i]) && std::isfinite(data.Ypoints[i])) << text;
    }
    FakeDocument doc(40, 30);
    ApplyDocument(doc, std::move(data), FolderItem("Fuzz.txt"));
    ASSERT_TRUE(doc.CurrentView().IsSound()) << text;
    doc.DrawPoints(NewPicture(40, 30, 16)->Graphics());
  }
  EXPECT_GT(failed, 100);
  EXPECT_GT(opened, 100);
}

}  // namespace
}  // namespace vantrel::test
