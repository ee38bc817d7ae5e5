// The settings record, its defaults, its copy and its text block.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "model/FailedReadException.h"
#include "model/SettingHelper.h"
#include "model/SettingSet.h"
#include "model/SettingsCatalogue.h"
#include "platform/core/TextStream.h"

namespace vantrel {
namespace {

std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> lines;
  std::size_t start = 0;
  while (start < text.size()) {
    const std::size_t end = text.find('\n', start);
    lines.push_back(text.substr(start, end - start));
    start = end == std::string::npos ? text.size() : end + 1;
  }
  return lines;
}

std::string Join(const std::vector<std::string>& lines) {
  std::string text;
  for (const std::string& line : lines) {
    text += line + "\n";
  }
  return text;
}

SettingSet Defaults() {
  SettingSet settings;
  SettingsCatalogue::ApplyDefaults(settings);
  return settings;
}

std::string Block(const SettingSet& settings) {
  auto out = TextOutputStream::ToMemory();
  settings.WriteToStream(*out);
  return out->Text();
}

// clang-format off
const std::vector<std::string> kNewDocumentBlock = {
    "",
    "7", "255,255,255", "0,0,0", "255,0,0", "122,122,122", "0,0,0", "0,255,0", "0,0,0", "255,176,0",
    "7", "2", "8", "1", "8", "8", "1", "800", "800",
    "2", "True", "True", "False"};
// clang-format on

TEST(SettingSetTest, NewSetIsBlankUntilDefaultsAreApplied) {
  SettingSet settings;
  for (const Color& color : settings.Colors) {
    EXPECT_EQ(color, (Color{0, 0, 0}));
  }
  for (double value : settings.Ints) {
    EXPECT_EQ(value, 0.0);
  }
  for (bool value : settings.Booleans) {
    EXPECT_FALSE(value);
  }
  EXPECT_EQ(settings.Name, "");
}

// The defaults themselves are checked through the block they write, below.
TEST(SettingSetTest, CatalogueLabelsAndGroups) {
  EXPECT_EQ(SettingsCatalogue::Colors()[4].Label, "Background Color:");
  EXPECT_EQ(SettingsCatalogue::GroupHeading(SettingsCatalogue::Colors()[4].Group), "Rendering:");
  EXPECT_EQ(SettingsCatalogue::GroupHeading(SettingsCatalogue::Colors()[6].Group), "Drawing:");
  EXPECT_EQ(SettingsCatalogue::Booleans()[2].Label, "Frame to render proportions");
  EXPECT_EQ(SettingsCatalogue::Ints()[2].Label, "Preview Line Width:");
}

TEST(SettingSetTest, CopyIsIndependentAndComplete) {
  SettingSet source = Defaults();
  source.Name = "star";
  source.Ints[3] = 2.5;
  source.Booleans[2] = true;
  auto copy = source.Copy();
  EXPECT_EQ(copy->Name, "star");
  EXPECT_EQ(copy->Ints[3], 2.5);
  EXPECT_TRUE(copy->Booleans[2]);
  EXPECT_EQ(Block(*copy), Block(source));

  copy->Colors[0] = Color{1, 2, 3};
  EXPECT_EQ(source.Colors[0], (Color{255, 255, 255}));
  source.Colors[1] = Color{9, 9, 9};
  EXPECT_EQ(copy->Colors[1], (Color{0, 0, 0}));
}

TEST(SettingsBlockTest, NewDocumentWritesTheTwentyThreeLines) {
  EXPECT_EQ(Lines(Block(Defaults())), kNewDocumentBlock);
}

TEST(SettingsBlockTest, RoundTripKeepsEveryValue) {
  SettingSet source = Defaults();
  source.Name = "Name, with comma";
  source.Colors[5] = Color{1, 128, 254};
  source.Ints[3] = 0.1;
  source.Ints[6] = 1e-7;
  source.Ints[7] = -1234.5;
  source.Booleans = {false, true, true};
  const std::string text = Block(source) + "after\n";

  SettingSet read;
  auto in = TextInputStream::FromString(text);
  read.LoadFromStream(*in);
  EXPECT_EQ(Block(read), Block(source));
  EXPECT_EQ(read.Ints[3], 0.1);
  EXPECT_EQ(in->ReadLine(), "after");
}

TEST(SettingsBlockTest, TwoSwitchBlockKeepsTheThirdSwitch) {
  std::vector<std::string> lines = kNewDocumentBlock;
  lines[19] = "1";
  lines[20] = "False";
  lines[21] = "true";  // letter case is ignored
  lines[22] = "next record";
  SettingSet settings;
  settings.Booleans[2] = true;
  auto in = TextInputStream::FromString(Join(lines));
  settings.LoadFromStream(*in);
  EXPECT_FALSE(settings.Booleans[0]);
  EXPECT_TRUE(settings.Booleans[1]);
  EXPECT_TRUE(settings.Booleans[2]);
  EXPECT_EQ(in->ReadLine(), "next record");
}

TEST(SettingsBlockTest, WrongCountsFailAtTheirLine) {
  struct Damage {
    std::size_t line;
    std::string text;
  };
  for (const Damage& damage : std::vector<Damage>{{1, "8"},
                                                  {1, "6"},
                                                  {1, ""},
                                                  {10, "8"},
                                                  {10, "x"},
                                                  {19, "3"},
                                                  {19, "0"},
                                                  {19, "-1"},
                                                  {1, "1e300"},
                                                  {19, "2.6"}}) {
    SCOPED_TRACE(damage.text);
    std::vector<std::string> lines = kNewDocumentBlock;
    lines[damage.line] = damage.text;
    SettingSet settings;
    auto in = TextInputStream::FromString(Join(lines));
    EXPECT_THROW(settings.LoadFromStream(*in), FailedReadException);
  }
}

TEST(SettingsBlockTest, TruncatedAndJunkBlocks) {
  // Ending inside the colours or numbers fails at the next count line.
  for (std::size_t keep : {0u, 1u, 2u, 5u, 10u, 11u, 15u, 19u}) {
    SCOPED_TRACE(keep);
    std::vector<std::string> lines(kNewDocumentBlock.begin(), kNewDocumentBlock.begin() + keep);
    SettingSet settings;
    auto in = TextInputStream::FromString(Join(lines));
    EXPECT_THROW(settings.LoadFromStream(*in), FailedReadException);
  }
  // Ending inside the switches gives False for the missing ones.
  std::vector<std::string> lines(kNewDocumentBlock.begin(), kNewDocumentBlock.begin() + 21);
  SettingSet settings;
  settings.Booleans = {true, true, true};
  auto in = TextInputStream::FromString(Join(lines));
  settings.LoadFromStream(*in);
  EXPECT_TRUE(settings.Booleans[0]);
  EXPECT_FALSE(settings.Booleans[1]);
  EXPECT_FALSE(settings.Booleans[2]);

  // Binary junk and a file of another kind.
  std::string junk;
  for (int i = 0; i < 4000; ++i) {
    junk += static_cast<char>((i * 7919) % 256);
  }
  for (const std::string& text :
       {junk, std::string("0.25,0.5\n0.75,1\n0,0\n"), std::string(3u << 20, '7')}) {
    SettingSet damaged;
    auto junkIn = TextInputStream::FromString(text);
    EXPECT_THROW(damaged.LoadFromStream(*junkIn), FailedReadException);
  }
}

TEST(SettingsBlockTest, ValuesAreTakenAsTheConversionsGiveThem) {
  std::vector<std::string> lines = kNewDocumentBlock;
  lines[2] = "300,-5,abc";
  lines[11] = "2.5e1xyz";
  lines[12] = "nan";
  lines[20] = "yes";
  lines[10] = "7.4";  // the count rounds to 7
  SettingSet settings;
  auto in = TextInputStream::FromString(Join(lines));
  settings.LoadFromStream(*in);
  EXPECT_EQ(settings.Colors[0], (Color{255, 0, 0}));
  EXPECT_EQ(settings.Ints[0], 25.0);
  EXPECT_EQ(settings.Ints[1], 0.0);
  EXPECT_FALSE(settings.Booleans[0]);
}

TEST(SettingHelperTest, Colors) {
  EXPECT_EQ(SettingHelper::ColorToString(Color{255, 255, 255}), "255,255,255");
  EXPECT_EQ(SettingHelper::ColorToString(Color{255, 176, 0}), "255,176,0");
  EXPECT_EQ(SettingHelper::StringToColor("12"), (Color{12, 0, 0}));
  EXPECT_EQ(SettingHelper::StringToColor("1,2,3,4"), (Color{1, 2, 3}));
  EXPECT_EQ(SettingHelper::StringToColor("abc"), (Color{0, 0, 0}));
  EXPECT_EQ(SettingHelper::StringToColor(""), (Color{0, 0, 0}));
  EXPECT_EQ(SettingHelper::StringToColor(",,7"), (Color{0, 0, 7}));
  EXPECT_EQ(SettingHelper::StringToColor("1e99,-1e99,127.5"), (Color{255, 0, 128}));
}

TEST(SettingHelperTest, Booleans) {
  EXPECT_EQ(SettingHelper::BooleanToString(true), "True");
  EXPECT_EQ(SettingHelper::BooleanToString(false), "False");
  EXPECT_TRUE(SettingHelper::StringToBoolean("True"));
  EXPECT_TRUE(SettingHelper::StringToBoolean("TRUE"));
  EXPECT_FALSE(SettingHelper::StringToBoolean("False"));
  EXPECT_FALSE(SettingHelper::StringToBoolean(""));
  EXPECT_FALSE(SettingHelper::StringToBoolean("True "));
}

}  // namespace
}  // namespace vantrel
