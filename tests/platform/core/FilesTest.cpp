// Folder items and text streams, in a fresh folder per test.
#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <stdlib.h>
#include <sys/wait.h>
#include <unistd.h>

#include <fstream>
#include <functional>
#include <sstream>

#include "FileSizeLimit.h"
#include "platform/core/FolderItem.h"
#include "platform/core/TextStream.h"
#include "support/TinyDisk.h"

namespace vantrel {
namespace {

namespace fs = std::filesystem;

std::string Contents(const fs::path& path) {
  std::ostringstream text;
  text << std::ifstream(path, std::ios::binary).rdbuf();
  return text.str();
}

// Saves lines of numbers, as in a document: the failure, or "" when saved.
std::string SaveLines(const fs::path& path, int lines) {
  auto out = TextOutputStream::ToFile(path);
  if (!out) return out.Error();
  for (int i = 0; i < lines; ++i) {
    (*out)->WriteLine(std::to_string(i * 0.123456789) + "," + std::to_string(i * 1.5));
  }
  return (*out)->Close().Error();
}

// A temporary file left behind in folder.
bool HasHiddenFile(const fs::path& folder) {
  for (const auto& entry : fs::directory_iterator(folder)) {
    if (entry.path().filename().string().starts_with(".")) return true;
  }
  return false;
}

class FilesTest : public ::testing::Test {
 protected:
  ~FilesTest() override { fs::remove_all(folder_); }
  static fs::path NewFolder() {
    std::string pattern = (fs::temp_directory_path() / "vantrel-test-XXXXXX").string();
    return mkdtemp(pattern.data()) != nullptr ? pattern : "";
  }
  long Entries() const {
    return std::distance(fs::directory_iterator(folder_), fs::directory_iterator());
  }
  std::unique_ptr<TextOutputStream> Writing(const fs::path& path, std::string line) {
    std::ofstream(path) << "old\n";
    auto out = TextOutputStream::ToFile(path);
    EXPECT_TRUE(out) << out.Error();
    (*out)->WriteLine(line);
    return std::move(*out);
  }

  fs::path folder_ = NewFolder();
  fs::path target_ = folder_ / "Star.txt";
};

TEST(TextInputStream, ReadsLinesEndedByLfCrlfOrCr) {
  auto in = TextInputStream::FromString("one\ntwo\r\n\nthree\rlast");
  for (const char* expected : {"one", "two", "", "three", "last"}) {
    EXPECT_FALSE(in->EndOfFile());
    EXPECT_EQ(in->ReadLine(), expected);
  }
  EXPECT_TRUE(in->EndOfFile());
  EXPECT_EQ(in->ReadLine(), "");
  EXPECT_TRUE(TextInputStream::FromString("")->EndOfFile());
  auto single = TextInputStream::FromString("a\n");
  EXPECT_EQ(single->ReadLine(), "a");
  EXPECT_TRUE(single->EndOfFile());
  // A line of the longest length reads whole; one byte more ends the stream.
  const std::size_t limit = TextInputStream::kMaxLineBytes;
  auto longest = TextInputStream::FromString(std::string(limit, 'x') + "\nnext");
  EXPECT_EQ(longest->ReadLine().size(), limit);
  EXPECT_EQ(longest->ReadLine(), "next");
  EXPECT_FALSE(longest->LineTooLong());
  auto overlong = TextInputStream::FromString(std::string(limit + 1, 'x') + "\nnext");
  EXPECT_EQ(overlong->ReadLine().size(), limit);
  EXPECT_TRUE(overlong->LineTooLong() && overlong->EndOfFile());
  EXPECT_EQ(overlong->ReadLine(), "");
}

// A byte-order mark is skipped at the very start only; bytes that merely
// begin like one are text. A reader's own limit applies from its next line.
TEST(TextInputStream, SkipsALeadingByteOrderMarkAndKeepsToTheLineLimitSet) {
  const std::string mark = "\xEF\xBB\xBF";
  auto marked = TextInputStream::FromString(mark + "1,2\r\n" + mark + "3");
  EXPECT_EQ(marked->ReadLine(), "1,2");
  EXPECT_EQ(marked->ReadLine(), mark + "3");
  EXPECT_TRUE(TextInputStream::FromString(mark)->EndOfFile());
  for (const std::string& text : {std::string("\xEF\xBB"), std::string("\xEF\xBBx\nnext")}) {
    auto in = TextInputStream::FromString(text);
    EXPECT_FALSE(in->EndOfFile());
    EXPECT_EQ(in->ReadLine(), text.substr(0, text.find('\n')));
  }

  auto limited = TextInputStream::FromString("1234567\n12345678\nnext");
  limited->LineLimit(7);
  EXPECT_EQ(limited->ReadLine(), "1234567");
  EXPECT_FALSE(limited->LineTooLong());
  EXPECT_EQ(limited->ReadLine(), "1234567");
  EXPECT_TRUE(limited->LineTooLong() && limited->EndOfFile());
}

TEST_F(FilesTest, ReplacesTheOldFileOnlyWhenClosedWithoutError) {
  auto out = Writing(target_, "0,0");
  out.reset();  // never closed: the old file stays, the temporary one goes
  EXPECT_EQ(Contents(target_), "old\n");
  EXPECT_EQ(Entries(), 1);
  fs::permissions(target_, fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
  auto created = FolderItem(target_).CreateTextFile();
  ASSERT_TRUE(created) << created.Error();
  out = std::move(*created);
  out->WriteLine("0,0");
  out->WriteLine("");
  EXPECT_EQ(Contents(target_), "old\n");
  const FileResult closed = out->Close();
  ASSERT_TRUE(closed) << closed.Error();
  EXPECT_EQ(Contents(target_), "0,0\n\n");
  EXPECT_EQ(Entries(), 1);
  EXPECT_EQ(fs::status(target_).permissions(),
            fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
}

TEST_F(FilesTest, ReportsFilesThatCannotBeCreatedOrOpened) {
  std::ofstream(folder_ / "plain") << "x";
  const fs::path impossible = folder_ / "plain" / "Star.txt";  // its parent is a file
  const auto created = FolderItem(impossible).CreateTextFile();
  EXPECT_FALSE(created);
  EXPECT_NE(created.Error().find(impossible.string()), std::string::npos) << created.Error();
  const auto onFolder = TextOutputStream::ToFile(folder_);
  EXPECT_NE(onFolder.Error().find("it is a folder"), std::string::npos) << onFolder.Error();
  const auto missing = FolderItem(folder_ / "missing.txt").OpenAsTextFile();
  EXPECT_NE(missing.Error().find("missing.txt\": No such file"), std::string::npos)
      << missing.Error();
  EXPECT_NE(FolderItem(folder_).OpenAsTextFile().Error().find("it is a folder"), std::string::npos);
  // A pipe is refused before it is opened: opening it to read would wait
  // for a writer, reading it might never end. Held open here, so that a
  // regression fails instead of hanging.
  const fs::path pipe = folder_ / "pipe.txt";
  ASSERT_EQ(mkfifo(pipe.c_str(), 0600), 0);
  const int held = open(pipe.c_str(), O_RDWR | O_NONBLOCK);
  const auto piped = FolderItem(pipe).OpenAsTextFile();
  close(held);
  EXPECT_EQ(piped.Error(), "Could not open \"" + pipe.string() + "\": it is not a plain file");
  const auto folderOnFile = FolderItem(impossible).CreateAsFolder();
  EXPECT_NE(folderOnFile.Error().find(impossible.string()), std::string::npos)
      << folderOnFile.Error();
}

TEST_F(FilesTest, ReportsAFailedWriteAndKeepsTheOldFile) {
  auto out = Writing(target_, "first");
  FileResult closed;
  {
    const test::FileSizeLimit limit(4096);
    if (!limit.Active()) GTEST_SKIP() << "the file size cannot be limited here";
    for (int i = 0; i < 1000; ++i) out->WriteLine(std::string(100, 'z'));
    closed = out->Close();
  }
  EXPECT_EQ(closed.Error(), "Could not write \"" + target_.string() + "\": File too large");
  EXPECT_EQ(Contents(target_), "old\n");
  EXPECT_EQ(Entries(), 1);
}

// Runs body as a user without root's rights over files (in a child process
// when the tests run as root); true when body returned true.
bool AsPlainUser(const std::function<bool()>& body) {
  if (geteuid() != 0) return body();
  const pid_t child = fork();
  if (child == 0) _exit(setgid(65534) == 0 && setuid(65534) == 0 && body() ? 0 : 1);
  int status = 0;
  return child > 0 && waitpid(child, &status, 0) == child && WIFEXITED(status) &&
         WEXITSTATUS(status) == 0;
}

TEST_F(FilesTest, WritesThroughLinksRefusesProtectedFilesAndFallsBackToInPlace) {
  // A chain of links, the last one relative and dangling: the file at its
  // end is created, and every link stays a link.
  fs::create_directories(folder_ / "real");
  fs::create_symlink("real/Star.txt", folder_ / "inner");
  fs::create_symlink(folder_ / "inner", target_);
  for (const char* text : {"first", "second"}) {
    auto out = TextOutputStream::ToFile(target_);
    ASSERT_TRUE(out) << out.Error();
    (*out)->WriteLine(text);
    const FileResult closed = (*out)->Close();
    ASSERT_TRUE(closed) << closed.Error();
    EXPECT_EQ(Contents(folder_ / "real" / "Star.txt"), std::string(text) + "\n");
  }
  EXPECT_TRUE(fs::is_symlink(target_) && fs::is_symlink(folder_ / "inner"));

  // A write-protected file is refused by name, even for root.
  const fs::path kept = folder_ / "Kept.txt";
  std::ofstream(kept) << "kept\n";
  fs::permissions(kept, fs::perms::owner_read | fs::perms::group_read);
  EXPECT_EQ(TextOutputStream::ToFile(kept).Error(),
            "Could not replace \"" + kept.string() + "\": the file is write-protected");
  EXPECT_EQ(Contents(kept), "kept\n");

  // A folder that refuses the temporary file: a writable file in it is
  // written in place, cut to its new length; a new file cannot be made.
  const fs::path locked = folder_ / "locked";
  fs::create_directories(locked);
  std::ofstream(locked / "Open.txt") << "a much longer old content\n";
  fs::permissions(locked / "Open.txt", fs::perms::all);
  fs::permissions(locked, fs::perms::owner_all | fs::perms::group_read | fs::perms::group_exec |
                              fs::perms::others_read | fs::perms::others_exec);
  fs::permissions(folder_, fs::perms::others_read | fs::perms::others_exec, fs::perm_options::add);
  if (geteuid() != 0) fs::permissions(locked, fs::perms::owner_write, fs::perm_options::remove);
  EXPECT_TRUE(AsPlainUser([&] {
    auto out = TextOutputStream::ToFile(locked / "Open.txt");
    if (!out) return false;
    (*out)->WriteLine("new");
    const auto refused = TextOutputStream::ToFile(locked / "New.txt");
    return (*out)->Close().Ok() && refused.Error().find("Permission denied") != std::string::npos;
  }));
  EXPECT_EQ(Contents(locked / "Open.txt"), "new\n");
  EXPECT_EQ(std::distance(fs::directory_iterator(locked), fs::directory_iterator()), 1);
  fs::permissions(locked, fs::perms::owner_all, fs::perm_options::add);
}

// Over a plain file, a file with a second name and one whose folder refuses
// the temporary file, on a disk out of inodes and then on one out of room:
// the save fails with the system's reason and every old file stays as it was.
TEST(FilesOnAFullDisk, AFailedSaveKeepsTheOldFileByteForByte) {
  for (const bool inodes : {true, false}) {
    const test::TinyDisk disk("tmpfs", "size=256k,nr_inodes=16");
    if (!disk.Active()) GTEST_SKIP() << disk.Why();
    const fs::path root = disk.Root(), locked = root / "locked";
    fs::create_directory(locked);
    const fs::path files[] = {root / "Star.txt", root / "Linked.txt", locked / "Open.txt"};
    for (const fs::path& file : files) ASSERT_EQ(SaveLines(file, 3005), "");
    fs::create_hard_link(files[1], root / "Second name.txt");
    fs::permissions(files[2], fs::perms::all);
    fs::permissions(locked, fs::perms::owner_all | fs::perms::group_read | fs::perms::group_exec |
                                fs::perms::others_read | fs::perms::others_exec);
    const std::string old = Contents(files[0]);
    inodes ? disk.UseAllInodes() : disk.UseAllRoom();

    const auto noRoom = [](const fs::path& file) {
      return "\"" + file.string() + "\": No space left on device";
    };
    EXPECT_THAT(SaveLines(files[0], 20000), ::testing::EndsWith(noRoom(files[0])));
    EXPECT_THAT(SaveLines(files[1], 20000), ::testing::EndsWith(noRoom(files[1])));
    EXPECT_TRUE(AsPlainUser([&] { return SaveLines(files[2], 20000).ends_with(noRoom(files[2])); }));
    for (const fs::path& file : {files[0], files[1], root / "Second name.txt", files[2]}) {
      EXPECT_EQ(Contents(file), old) << file << (inodes ? " out of inodes" : " out of room");
    }
    EXPECT_FALSE(HasHiddenFile(root) || HasHiddenFile(locked));
  }
}

TEST_F(FilesTest, ReplacesOnlyPlainFilesAndWritesOneWithASecondNameWhereItStands) {
  // A pipe, also through a link, and a device are refused by the name the
  // user chose; a rename would have put a plain file in their place. The
  // device is one of the test's own (root only): /dev/null is never at stake.
  const fs::path pipe = folder_ / "pipe.txt", link = folder_ / "link.txt";
  const fs::path device = folder_ / "null.txt";
  ASSERT_EQ(mkfifo(pipe.c_str(), 0600), 0);
  fs::create_symlink("pipe.txt", link);
  std::vector<fs::path> refused{pipe, link};
  if (mknod(device.c_str(), S_IFCHR | 0666, makedev(1, 3)) == 0) refused.push_back(device);
  for (const fs::path& path : refused) {
    EXPECT_EQ(SaveLines(path, 1), "Could not replace \"" + path.string() +
                                      "\": it is not a plain file");
  }
  EXPECT_TRUE(fs::is_fifo(pipe) && fs::is_symlink(link));
  EXPECT_TRUE(refused.size() == 2 || fs::is_character_file(device));
  EXPECT_EQ(Entries(), static_cast<long>(refused.size()));

  // A file with a second name: a rename would leave that name with the old
  // content, so the file is written where it stands, cut to its new length.
  const fs::path second = folder_ / "Second.txt";
  std::ofstream(target_) << "a longer old content\n";
  fs::create_hard_link(target_, second);
  ASSERT_EQ(SaveLines(target_, 1), "");
  EXPECT_EQ(Contents(second), "0.000000,0.000000\n");
  EXPECT_EQ(fs::hard_link_count(target_), 2u);
  EXPECT_FALSE(HasHiddenFile(folder_));

  // Where the file system cannot reserve the room first (ramfs has no
  // fallocate), such a file is not written over at all.
  const test::TinyDisk disk("ramfs", "");
  if (!disk.Active()) GTEST_SKIP() << disk.Why();
  std::ofstream(disk.Root() / "Star.txt") << "old\n";
  fs::create_hard_link(disk.Root() / "Star.txt", disk.Root() / "Second.txt");
  EXPECT_EQ(SaveLines(disk.Root() / "Star.txt", 1),
            "Could not replace \"" + (disk.Root() / "Star.txt").string() +
                "\": it can only be overwritten where it stands, and its file system cannot "
                "reserve the room for that first");
  EXPECT_EQ(Contents(disk.Root() / "Second.txt"), "old\n");
}

TEST_F(FilesTest, ReportsAFailedReplace) {
  auto out = Writing(target_, "new");
  fs::remove(target_);
  fs::create_directories(target_ / "inside");  // a folder took the name meanwhile
  const FileResult closed = out->Close();
  EXPECT_EQ(closed.Error(), "Could not replace \"" + target_.string() + "\": Is a directory");
  EXPECT_TRUE(fs::is_directory(target_ / "inside"));
  EXPECT_EQ(Entries(), 1);
}

TEST_F(FilesTest, FolderItemsNavigateAndListSortedFromOne) {
  const FolderItem root(folder_);
  const FolderItem saved = root.Child("Saved Fractals");
  EXPECT_EQ(saved.Name(), "Saved Fractals");
  EXPECT_EQ(saved.Parent(), root);
  EXPECT_FALSE(saved.Exists());
  EXPECT_TRUE(saved.Child("deeper").CreateAsFolder());
  EXPECT_TRUE(saved.Directory());
  EXPECT_EQ(FolderItem(folder_ / "x" / ""), root.Child("x"));
  EXPECT_EQ(root.Child("/etc").Parent(), root);  // a name cannot climb out
  for (const char* name : {"b.pdf", "Links.txt", "a.rtf"}) {
    std::ofstream(folder_ / name) << "x";
  }
  EXPECT_FALSE(root.Child("a.rtf").CreateAsFolder());
  ASSERT_EQ(root.Count(), 4);
  const char* expected[] = {"a.rtf", "b.pdf", "Links.txt", "Saved Fractals"};
  const std::vector<FolderItem> items = root.Items();
  ASSERT_EQ(items.size(), 4u);
  for (Integer i = 1; i <= 4; ++i) {
    EXPECT_EQ(root.Item(i)->Name(), expected[i - 1]);
    EXPECT_EQ(items[static_cast<std::size_t>(i) - 1], *root.Item(i));
  }
  EXPECT_FALSE(root.Item(0) || root.Item(5));
  EXPECT_EQ(root.Child("a.rtf").Count() + root.Child("missing").Count(), 0);
}

TEST_F(FilesTest, SameFileComparesFilesNotSpellings) {
  fs::create_directories(folder_ / "sub" / "deep");
  std::ofstream(target_) << "x";
  std::ofstream(folder_ / "Other.txt") << "x";
  fs::create_symlink(target_, folder_ / "Link.txt");
  fs::create_hard_link(target_, folder_ / "Hard.txt");
  fs::create_directory_symlink(folder_ / "sub" / "deep", folder_ / "Alias");
  fs::create_symlink("Gone.txt", folder_ / "Dangling.txt");
  const FolderItem star(target_);
  // A relative spelling is taken from the working folder.
  const fs::path cwd = fs::current_path();
  fs::current_path(folder_ / "sub");
  const bool relative = star.SameFile(FolderItem("../Star.txt"));
  const bool relativeMissing = FolderItem("Gone.txt").SameFile(FolderItem(folder_ / "sub/Gone.txt"));
  fs::current_path(cwd);
  EXPECT_TRUE(relative);
  EXPECT_TRUE(relativeMissing);
  for (const fs::path& same : {target_, folder_ / "sub" / ".." / "Star.txt", folder_ / "Link.txt",
                               folder_ / "Hard.txt", folder_ / "." / "Star.txt"}) {
    EXPECT_TRUE(star.SameFile(FolderItem(same))) << same;
    EXPECT_TRUE(FolderItem(same).SameFile(star)) << same;
  }
  EXPECT_FALSE(star.SameFile(FolderItem(folder_ / "Other.txt")));
  EXPECT_FALSE(star.SameFile(FolderItem(folder_ / "star.txt")));
  // Files that do not exist yet: where a save would write. ".." after a
  // link climbs from where the link leads, as the system does.
  const FolderItem gone(folder_ / "Gone.txt");
  EXPECT_TRUE(gone.SameFile(FolderItem(folder_ / "Dangling.txt")));
  const FolderItem climbed(folder_ / "Alias" / ".." / "Gone.txt");
  EXPECT_TRUE(climbed.SameFile(FolderItem(folder_ / "sub" / "Gone.txt")));
  EXPECT_FALSE(climbed.SameFile(gone));
  EXPECT_TRUE(FolderItem(folder_ / "Alias" / "New.txt")
                  .SameFile(FolderItem(folder_ / "sub" / "deep" / "New.txt")));
  EXPECT_FALSE(gone.SameFile(star));
  // A loop of links never hangs and is only itself.
  fs::create_symlink("LoopB", folder_ / "LoopA");
  fs::create_symlink("LoopA", folder_ / "LoopB");
  EXPECT_TRUE(FolderItem(folder_ / "LoopA").SameFile(FolderItem(folder_ / "sub/../LoopA")));
  EXPECT_FALSE(FolderItem(folder_ / "LoopA").SameFile(gone));
}

TEST_F(FilesTest, DocumentsFolderDefaultsToHomeDocuments) {
  const std::string home = getenv("HOME") != nullptr ? getenv("HOME") : "";
  setenv("HOME", folder_.c_str(), 1);
  EXPECT_EQ(GetFolderItem("", 0), FolderItem(folder_ / "Documents"));
  SetDocumentsFolder(folder_ / "docs");
  EXPECT_EQ(GetFolderItem("Saved Fractals", 0), FolderItem(folder_ / "docs" / "Saved Fractals"));
  SetDocumentsFolder({});
  EXPECT_EQ(GetFolderItem("", 0), FolderItem(folder_ / "Documents"));
  setenv("HOME", home.c_str(), 1);
}

}  // namespace
}  // namespace vantrel
