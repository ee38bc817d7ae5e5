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

using Lines = std::vector<std::string>;

std::string Join(const Lines& lines) {
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

// Reads a block from the text into settings; returns the line after it.
std::string Load(SettingSet& settings, const std::string& text) {
  auto in = TextInputStream::FromString(text);
  settings.LoadFromStream(*in);
  return in->ReadLine();
}

// clang-format off
const Lines kNewDocumentBlock = {
    "",
    "7", "255,255,255", "0,0,0", "255,0,0", "122,122,122", "0,0,0", "0,255,0", "0,0,0", "255,176,0",
    "7", "2", "8", "1", "8", "8", "1", "800", "800",
    "2", "True", "True", "False"};
// clang-format on

// The defaults themselves are checked through the block they write, below.
TEST(SettingSetTest, CatalogueLabelsAndGroups) {
  EXPECT_EQ(SettingsCatalogue::Colors()[4].Label, "Background Color:");
  EXPECT_EQ(SettingsCatalogue::GroupHeading(SettingsCatalogue::Colors()[4].Group), "Rendering:");
  EXPECT_EQ(SettingsCatalogue::GroupHeading(SettingsCatalogue::Colors()[6].Group), "Drawing:");
  EXPECT_EQ(SettingsCatalogue::Booleans()[2].Label, "Frame to render proportions");
  EXPECT_EQ(SettingsCatalogue::Ints()[2].Label, "Preview Line Width:");
}

TEST(SettingSetTest, NewSetIsBlankAndCopiesAreDeep) {
  const SettingSet blank;
  EXPECT_TRUE(blank.Name.empty() && blank.Colors == decltype(blank.Colors){} &&
              blank.Ints == decltype(blank.Ints){} && blank.Booleans == decltype(blank.Booleans){});
  SettingSet source = Defaults();
  source.Name = "star";
  source.Ints[3] = 2.5;
  source.Booleans[2] = true;
  auto copy = source.Copy();
  EXPECT_EQ(Block(*copy), Block(source));
  copy->Colors[0] = Color{1, 2, 3};
  source.Colors[1] = Color{9, 9, 9};
  EXPECT_EQ(source.Colors[0], (Color{255, 255, 255}));
  EXPECT_EQ(copy->Colors[1], (Color{0, 0, 0}));
}

TEST(SettingsBlockTest, NewDocumentBlockAndRoundTrip) {
  EXPECT_EQ(Block(Defaults()), Join(kNewDocumentBlock));

  SettingSet source = Defaults();
  source.Name = "Name, with comma";
  source.Colors[5] = Color{1, 128, 254};
  source.Ints[3] = 0.1;
  source.Ints[6] = 1e-7;
  source.Ints[7] = -1234.5;
  source.Booleans = {false, true, true};
  SettingSet read;
  EXPECT_EQ(Load(read, Block(source) + "after\n"), "after");
  EXPECT_EQ(Block(read), Block(source));
  EXPECT_EQ(read.Ints[3], 0.1);
}

TEST(SettingsBlockTest, TwoSwitchBlockKeepsTheThirdSwitch) {
  Lines lines = kNewDocumentBlock;
  lines[19] = "1";
  lines[20] = "False";
  lines[21] = "true";  // letter case is ignored
  lines[22] = "next record";
  SettingSet settings;
  settings.Booleans[2] = true;
  EXPECT_EQ(Load(settings, Join(lines)), "next record");
  EXPECT_FALSE(settings.Booleans[0]);
  EXPECT_TRUE(settings.Booleans[1]);
  EXPECT_TRUE(settings.Booleans[2]);
}

TEST(SettingsBlockTest, WrongCountsTruncatedAndJunkBlocksFail) {
  // A count line that does not match, at each of the three counts.
  const std::pair<std::size_t, std::string> damages[] = {
      {1, "8"},  {1, "6"},  {1, ""},    {10, "8"},    {10, "x"},
      {19, "3"}, {19, "0"}, {19, "-1"}, {1, "1e300"}, {19, "2.6"}};
  for (const auto& [line, text] : damages) {
    Lines lines = kNewDocumentBlock;
    lines[line] = text;
    SettingSet settings;
    EXPECT_THROW(Load(settings, Join(lines)), FailedReadException) << line << ": " << text;
  }
  // Ending inside the colours or numbers fails at the next count line.
  for (std::size_t keep : {0u, 1u, 2u, 5u, 10u, 11u, 15u, 19u}) {
    SettingSet settings;
    const Lines lines(kNewDocumentBlock.begin(), kNewDocumentBlock.begin() + keep);
    EXPECT_THROW(Load(settings, Join(lines)), FailedReadException) << keep;
  }
  // Binary junk, a file of another kind and an endless line.
  std::string junk;
  for (int i = 0; i < 4000; ++i) {
    junk += static_cast<char>((i * 7919) % 256);
  }
  for (const std::string& text :
       {junk, std::string("0.25,0.5\n0.75,1\n0,0\n"), std::string(3u << 20, '7')}) {
    SettingSet damaged;
    EXPECT_THROW(Load(damaged, text), FailedReadException);
  }
}

// The name may be long; any line beyond the bound fails the block, the last
// switch line too, where no count follows to catch it.
TEST(SettingsBlockTest, LinesAreBoundedWhereverTheyStand) {
  const std::size_t bound = SettingSet::kMaxLineBytes;
  Lines lines = kNewDocumentBlock;
  lines[0] = std::string(bound, 'n');
  SettingSet longName;
  EXPECT_EQ(Load(longName, Join(lines) + "after\n"), "after");
  EXPECT_EQ(longName.Name.size(), bound);
  for (std::size_t at : {0u, 2u, 12u, 22u}) {
    lines = kNewDocumentBlock;
    lines[at] += std::string(bound + 1 - lines[at].size(), ' ');
    SettingSet settings;
    EXPECT_THROW(Load(settings, Join(lines)), FailedReadException) << at;
  }
}

TEST(SettingsBlockTest, ValuesAreTakenAsTheConversionsGiveThem) {
  Lines lines = kNewDocumentBlock;
  lines[2] = "300,-5,abc";
  lines[11] = "2.5e1xyz";
  lines[12] = "nan";
  lines[20] = "yes";
  lines[10] = "7.4";  // the count rounds to 7
  SettingSet settings;
  settings.Booleans = {true, true, true};
  Load(settings, Join(Lines(lines.begin(), lines.begin() + 21)));
  EXPECT_EQ(settings.Colors[0], (Color{255, 0, 0}));
  EXPECT_EQ(settings.Ints[0], 25.0);
  EXPECT_EQ(settings.Ints[1], 0.0);
  EXPECT_FALSE(settings.Booleans[0]);
  // Ending inside the switches gives False for the missing ones.
  EXPECT_FALSE(settings.Booleans[1] || settings.Booleans[2]);

  const std::pair<const char*, Color> colors[] = {
      {"12", {12, 0, 0}}, {"1,2,3,4", {1, 2, 3}}, {"abc", {0, 0, 0}},
      {"", {0, 0, 0}},    {",,7", {0, 0, 7}},     {"1e99,-1e99,127.5", {255, 0, 128}}};
  for (const auto& [text, color] : colors) {
    EXPECT_EQ(SettingHelper::StringToColor(text), color) << text;
  }
  EXPECT_TRUE(SettingHelper::StringToBoolean("TRUE"));
  EXPECT_FALSE(SettingHelper::StringToBoolean(""));
  EXPECT_FALSE(SettingHelper::StringToBoolean("True "));
}

}  // namespace
}  // namespace vantrel
