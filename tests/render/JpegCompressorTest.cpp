// The JPEG encoder's error handling: libjpeg's fatal errors come back as a
// failed step, never as the end of the program, and a step after a failure
// does nothing; sides it cannot hold are refused, also by the save.
#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "platform/core/FileWriter.h"
#include "platform/core/FolderItem.h"
#include "platform/core/Picture.h"
#include "render/JpegCompressor.h"
#include "render/PictureFile.h"

namespace vantrel {
namespace {

namespace fs = std::filesystem;

TEST(JpegCompressor, ALibraryErrorFailsItsStepAndEveryLaterOne) {
  const fs::path folder = fs::temp_directory_path() / ("vantrel-jpeg-" + std::to_string(getpid()));
  fs::create_directories(folder);
  const unsigned char row[3 * 2] = {255, 0, 0, 0, 0, 255};
  {
    auto file = FileWriter::Open(folder / "Empty.JPG");
    ASSERT_TRUE(file);
    JpegCompressor jpeg(**file);
    EXPECT_FALSE(jpeg.Start(0, 2, 95)) << "libjpeg refuses a picture of no pixels";
    EXPECT_FALSE(jpeg.WriteRow(row));
    EXPECT_FALSE(jpeg.Finish());
  }
  {
    auto file = FileWriter::Open(folder / "Short.JPG");
    ASSERT_TRUE(file);
    JpegCompressor jpeg(**file);
    ASSERT_TRUE(jpeg.Start(2, 1, 95));
    EXPECT_FALSE(jpeg.Finish()) << "finished before its one row";
  }
  {
    auto file = FileWriter::Open(folder / "Good.JPG");
    ASSERT_TRUE(file);
    JpegCompressor jpeg(**file);
    ASSERT_TRUE(jpeg.Start(2, 2, 95));
    EXPECT_TRUE(jpeg.WriteRow(row));
    EXPECT_TRUE(jpeg.WriteRow(row));
    EXPECT_FALSE(jpeg.WriteRow(row)) << "a row past the height";
    EXPECT_FALSE(jpeg.Finish());
  }
  {
    auto file = FileWriter::Open(folder / "Good.JPG");
    ASSERT_TRUE(file);
    JpegCompressor jpeg(**file);
    ASSERT_TRUE(jpeg.Start(2, 2, 95) && jpeg.WriteRow(row) && jpeg.WriteRow(row) && jpeg.Finish());
    ASSERT_TRUE((*file)->Commit());
  }
  std::ifstream in(folder / "Good.JPG", std::ios::binary);
  const std::string bytes{std::istreambuf_iterator<char>(in), {}};
  ASSERT_GT(bytes.size(), 4u);
  EXPECT_EQ(bytes.substr(0, 2), "\xFF\xD8");
  EXPECT_EQ(bytes.substr(bytes.size() - 2), "\xFF\xD9");
  EXPECT_EQ(std::distance(fs::directory_iterator(folder), fs::directory_iterator()), 1)
      << "failed encodings left nothing behind";
  fs::remove_all(folder);
}

TEST(JpegCompressor, NoSideAboveLibjpegsLimitIsEncodedNorSaved) {
  // A JPEG header holds 65535, libjpeg takes 65500 (the render window's test
  // saves that): the sides between, and those just past 16 bits that would
  // be stored as 0 or 1, are refused by the encoder and, before the file is
  // touched, by the save.
  const fs::path folder = fs::temp_directory_path() / ("vantrel-side-" + std::to_string(getpid()));
  fs::create_directories(folder);
  const fs::path path = folder / "Wide.JPG";
  for (const Integer side : {65501, 65535, 65536, 65537}) {
    for (const auto& [width, height] : {std::pair{side, 1}, {1, side}}) {
      {
        auto file = FileWriter::Open(path);
        ASSERT_TRUE(file);
        EXPECT_FALSE(JpegCompressor(**file).Start(width, height, 95)) << width << "x" << height;
      }
      const FileResult saved = SaveAsPicture(FolderItem(path), *NewPicture(width, height, 16));
      EXPECT_EQ(saved.Error(), "Could not write \"" + path.string() +
                                   "\": a JPEG picture is at most 65500 pixels wide and high");
    }
  }
  EXPECT_TRUE(fs::is_empty(folder));
  fs::remove_all(folder);
}

}  // namespace
}  // namespace vantrel
