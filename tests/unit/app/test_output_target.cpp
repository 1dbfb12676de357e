#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <string>
#include <thread>
#include <vector>

#include "app/output_target.h"
#include "bitmap/bmp_writer.h"

#ifdef _WIN32
#include "windows/bitmap/bmp_dib_win.h"
#else
#include <sys/stat.h>
#endif

namespace fs = std::filesystem;

namespace {

class OutputTargetTest : public ::testing::Test {
 protected:
  void SetUp() override {
    dir = fs::temp_directory_path() /
          ("mirovane-out-" + std::string(testing::UnitTest::GetInstance()->current_test_info()->name()) + "-" +
           std::to_string(std::random_device{}()));
    fs::remove_all(dir);
    fs::create_directories(dir);
  }
  void TearDown() override { fs::remove_all(dir); }
  std::string File(const std::string& name) const { return (dir / name).string(); }
  static std::string Read(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
  }
  static void Write(const fs::path& path, const std::string& text) {
    std::ofstream(path, std::ios::binary) << text;
  }
  std::size_t Count() const {
    return static_cast<std::size_t>(std::distance(fs::directory_iterator(dir), {}));
  }
  // A 2 x 1 picture: 54 header bytes and one padded row.
  int WritePicture(const std::string& name) { return WriteBmp24(name, 2, 1, {0, 0}); }
  fs::path dir;
};

TEST_F(OutputTargetTest, FilesAndFreeNamesAreWrittenWholeAndFoldersRefused) {
  EXPECT_TRUE(WritePicture(File("new.bmp")));
  Write(dir / "old.bmp", "old");
  EXPECT_TRUE(WritePicture(File("old.bmp")));
  EXPECT_EQ(Read(dir / "old.bmp").size(), 62u);
  EXPECT_EQ(Read(dir / "old.bmp").substr(0, 2), "BM");

  fs::create_directory(dir / "folder.bmp");
  EXPECT_EQ(ResolveOutputTarget(File("folder.bmp")).kind, OutputKind::Folder);
  EXPECT_FALSE(WritePicture(File("folder.bmp")));
  EXPECT_TRUE(fs::is_directory(dir / "folder.bmp"));
  EXPECT_EQ(Count(), 3u) << "no temporary file is left behind";
}

#ifdef _WIN32
TEST_F(OutputTargetTest, WideWriterRefusesFoldersAndReplacesFilesWhole) {
  const DibBlock block = [] {
    CDib dib;
    dib.Create(3, 2, 24);
    return *dib.m_pHeader;
  }();
  fs::create_directory(dir / "folder.bmp");
  EXPECT_EQ(WriteDibFileW((dir / "folder.bmp").wstring(), &block), 0);
  EXPECT_TRUE(fs::is_directory(dir / "folder.bmp"));
  Write(dir / "old.bmp", "old");
  EXPECT_EQ(WriteDibFileW((dir / "old.bmp").wstring(), &block), 1);
  EXPECT_EQ(Read(dir / "old.bmp").size(), 14u + 40 + 2 * 12);
  EXPECT_EQ(Count(), 2u) << "no temporary file is left behind";
}
#else
TEST_F(OutputTargetTest, LinksKeepPointingAtTheReplacedFile) {
  fs::create_directory(dir / "real");
  Write(dir / "real/a.bmp", "old");
  fs::create_symlink("real/a.bmp", dir / "relative.bmp");
  fs::create_symlink(dir / "relative.bmp", dir / "chain.bmp");
  ASSERT_TRUE(WritePicture(File("chain.bmp")));
  EXPECT_TRUE(fs::is_symlink(dir / "chain.bmp"));
  EXPECT_TRUE(fs::is_symlink(dir / "relative.bmp"));
  EXPECT_EQ(Read(dir / "real/a.bmp").size(), 62u);

  // A link to a free name creates the file it names.
  fs::create_symlink("real/b.bmp", dir / "dangling.bmp");
  ASSERT_TRUE(WritePicture(File("dangling.bmp")));
  EXPECT_TRUE(fs::is_symlink(dir / "dangling.bmp"));
  EXPECT_EQ(Read(dir / "real/b.bmp").size(), 62u);
  EXPECT_EQ(std::distance(fs::directory_iterator(dir / "real"), {}), 2);

  fs::create_symlink("loop2.bmp", dir / "loop1.bmp");
  fs::create_symlink("loop1.bmp", dir / "loop2.bmp");
  EXPECT_EQ(ResolveOutputTarget(File("loop1.bmp")).kind, OutputKind::NotAFile);
  EXPECT_FALSE(WritePicture(File("loop1.bmp")));
  EXPECT_TRUE(fs::is_symlink(dir / "loop1.bmp"));
}

TEST_F(OutputTargetTest, DevicesFifosAndTheirLinksAreLeftAlone) {
  EXPECT_EQ(ResolveOutputTarget("/dev/null").kind, OutputKind::NotAFile);
  ASSERT_EQ(mkfifo(File("pipe.bmp").c_str(), 0600), 0);
  fs::create_symlink("pipe.bmp", dir / "to-pipe.bmp");
  EXPECT_FALSE(WritePicture(File("pipe.bmp")));
  EXPECT_FALSE(WritePicture(File("to-pipe.bmp")));
  EXPECT_TRUE(fs::is_fifo(dir / "pipe.bmp"));
  EXPECT_TRUE(fs::is_symlink(dir / "to-pipe.bmp"));

  // What an earlier writer left where a temporary might go is never opened.
  ASSERT_EQ(mkfifo(File("a.bmp.tmp").c_str(), 0600), 0);
  EXPECT_TRUE(WritePicture(File("a.bmp")));
  EXPECT_TRUE(fs::is_fifo(dir / "a.bmp.tmp"));
  EXPECT_EQ(Count(), 4u);
}
#endif

// Each writer writes a temporary of its own, so however two writers of one
// name interleave, the file is one whole content or the other.
TEST_F(OutputTargetTest, ConcurrentWritersLeaveOneWholeFile) {
  const std::string a(300000, 'a'), b(200000, 'b');
  std::vector<std::string> temporaries;
  const auto writer = [&](const std::string& content, int rounds) {
    for (int i = 0; i < rounds; ++i)
      EXPECT_TRUE(ReplaceOutputFile(File("o.bmp"), [&](std::FILE* f) {
        // Written in two halves, so the writers overlap inside a file.
        const std::size_t half = content.size() / 2;
        if (std::fwrite(content.data(), 1, half, f) != half) return false;
        std::this_thread::yield();
        return std::fwrite(content.data() + half, 1, content.size() - half, f) == content.size() - half;
      }));
  };
  std::thread first(writer, a, 40);
  writer(b, 40);
  first.join();
  const std::string result = Read(dir / "o.bmp");
  EXPECT_TRUE(result == a || result == b) << "a spliced file of " << result.size() << " bytes";
  EXPECT_EQ(Count(), 1u) << "no temporary file is left behind";
}

TEST_F(OutputTargetTest, TemporaryIsShortHiddenAndKnownWhileWritten) {
  // The longest name a folder entry takes: its temporary must fit as well.
  const std::string longName(251, 'n');
  EXPECT_TRUE(WritePicture(File(longName + ".bmp")));
  EXPECT_EQ(Read(dir / (longName + ".bmp")).size(), 62u);

  std::string during;
  EXPECT_TRUE(ReplaceOutputFile(File("x.bmp"), [&](std::FILE*) {
    during = TemporaryInProgress() ? TemporaryInProgress() : "";
    return true;
  }));
  EXPECT_EQ(fs::path(during).parent_path(), dir);
  EXPECT_EQ(fs::path(during).filename().string().rfind(".mirovane-", 0), 0u) << during;
  EXPECT_EQ(TemporaryInProgress(), nullptr);
  EXPECT_NE(TemporaryNameBeside(File("x.bmp")), TemporaryNameBeside(File("x.bmp")));

  // A writer that gives up, or throws, leaves nothing.
  EXPECT_FALSE(ReplaceOutputFile(File("y.bmp"), [](std::FILE*) { return false; }));
  EXPECT_THROW(ReplaceOutputFile(File("y.bmp"), [](std::FILE*) -> bool { throw std::bad_alloc(); }),
               std::bad_alloc);
  EXPECT_EQ(Count(), 2u);
}

TEST_F(OutputTargetTest, FolderProbeLeavesNothingAndRefusesWhatIsNoFolder) {
  EXPECT_TRUE(FolderTakesFiles(dir.string()));
  EXPECT_EQ(TemporaryInProgress(), nullptr);
  EXPECT_EQ(Count(), 0u);
  EXPECT_FALSE(FolderTakesFiles(File("missing")));
  Write(dir / "plain", "x");
  EXPECT_FALSE(FolderTakesFiles(File("plain")));
  EXPECT_EQ(Count(), 1u);
}

#ifdef _WIN32
// What the renderer's Ctrl+C handler does while a picture is written.
TEST_F(OutputTargetTest, TemporaryInProgressCanBeDeletedWhileOpen) {
  Write(dir / "old.bmp", "old");
  EXPECT_FALSE(ReplaceOutputFile(File("old.bmp"), [&](std::FILE* f) {
    RemoveTemporaryInProgress();
    return std::fputs("new", f) >= 0;
  }));
  EXPECT_EQ(Read(dir / "old.bmp"), "old");
  EXPECT_EQ(Count(), 1u);
}
#endif

TEST_F(OutputTargetTest, KeepExistingNeverReplacesAFile) {
  Write(dir / "old.bmp", "old");
  const auto fill = [](std::FILE* f) { return std::fputs("new", f) >= 0; };
  EXPECT_EQ(WriteOutputFile(File("old.bmp"), fill, OutputMode::KeepExisting), OutputResult::Exists);
  EXPECT_EQ(Read(dir / "old.bmp"), "old");
  EXPECT_EQ(WriteOutputFile(File("free.bmp"), fill, OutputMode::KeepExisting), OutputResult::Written);
  EXPECT_EQ(Read(dir / "free.bmp"), "new");
  // One name taken while the other writer fills its temporary.
  EXPECT_EQ(WriteOutputFile(File("late.bmp"), [&](std::FILE* f) {
              Write(dir / "late.bmp", "first");
              return std::fputs("second", f) >= 0;
            }, OutputMode::KeepExisting),
            OutputResult::Exists);
  EXPECT_EQ(Read(dir / "late.bmp"), "first");
  EXPECT_EQ(WriteBmp24(File("free.bmp"), 2, 1, {0, 0}, OutputMode::KeepExisting), OutputResult::Exists);
  EXPECT_EQ(Count(), 3u);
}

}  // namespace
