#include "entries/settings_io.h"

#include <gtest/gtest.h>

#include "tests/fakes/memory_file_system.h"

namespace diduzo {
namespace {

const Text kPath = u"G:\\Tools\\Diduzo.prefs";

class SettingsIoTest : public ::testing::Test {
 protected:
  void read(std::string bytes) {
    files.putFile(kPath, std::move(bytes));
    ASSERT_TRUE(store.openForReading(kPath));
    readSettings(store, list, options);
    store.close();
  }
  std::string write() {
    EXPECT_TRUE(store.createForWriting(kPath));
    writeSettings(store, list, options);
    EXPECT_TRUE(store.close());
    return files.contentOf(kPath);
  }

  fakes::MemoryFileSystem files;
  SettingsStore store{files};
  EntryList list;
  Options options;
};

TEST_F(SettingsIoTest, WritesOptionsAndEntriesInTheWrittenForm) {
  options = {true, true};
  LaunchEntry* e = list.addAfter();
  *e = LaunchEntry{1, 0, 1, 0, u"Editor", u"Editor\\editor.exe", u"", u"Editor\\", nullptr, nullptr};
  list.addAfter()->kind = 3;
  EXPECT_EQ(write(),
            "\xEF\xBB\xBF\r\n[Settings]\r\nEndOnExit = 1\r\nRunOnStart = 1\r\n"
            "[Item0]\r\ntype = 1\r\nlevel = 0\r\nrun = 0\r\nstop = 1\r\nname = Editor\r\n"
            "command = Editor\\editor.exe\r\noptions = \r\nhomedir = Editor\\\r\n"
            "[Item1]\r\ntype = 3\r\nlevel = 0\r\n");
}

TEST_F(SettingsIoTest, EachKindWritesItsOwnKeys) {
  options = {false, true};
  for (std::int8_t kind : {2, 4, 0, 9}) {
    LaunchEntry* e = list.addAfter();
    *e = LaunchEntry{kind, 1, 1, 1, u"n", u"c", u"o", u"h", nullptr, nullptr};
  }
  EXPECT_EQ(write(),
            "\xEF\xBB\xBF\r\n[Settings]\r\nEndOnExit = 0\r\nRunOnStart = 1\r\n"
            "[Item0]\r\ntype = 2\r\nlevel = 1\r\nname = n\r\n"
            "[Item1]\r\ntype = 4\r\nlevel = 1\r\nrun = 1\r\nstop = 1\r\nname = n\r\nhomedir = h\r\n"
            "[Item2]\r\ntype = 0\r\nlevel = 1\r\n"
            "[Item3]\r\ntype = 9\r\nlevel = 1\r\n");
}

TEST_F(SettingsIoTest, ReadsAHandEditedFileByTheReadingRules) {
  read(
      "[settings]\nendonexit = 2\n"
      "[Item5]\ntype = $4\nlevel = 300\nname = Docs\nhomedir = ..\\Docs\\\ncommand = ignored\n"
      "[item0]\ntype = 1\n[ITEM1]\ntype = 1\n"
      "[Items]\ntype = 2\nlevel = 200\nname = G\nrun = 1\ncommand = x\n"
      "[Item2]\ntype = 4abc\n"
      "[Item]\ntype = abc\nname = x\n");
  EXPECT_TRUE(options.endOnExit);
  EXPECT_TRUE(options.runOnStart);
  ASSERT_EQ(list.size(), 4u);
  EXPECT_EQ(list.currentIndex(), 3);  // the last entry read
  const LaunchEntry& folder = *list.at(0);
  EXPECT_EQ(folder.kind, 4);
  EXPECT_EQ(folder.level, 44);
  EXPECT_EQ(folder.name, u"Docs");
  EXPECT_EQ(folder.homedir, u"..\\Docs\\");
  EXPECT_EQ(folder.command, u"");
  const LaunchEntry& group = *list.at(1);
  EXPECT_EQ(group.kind, 2);
  EXPECT_EQ(group.level, -56);
  EXPECT_EQ(group.run, 0);
  EXPECT_EQ(group.command, u"");
  EXPECT_EQ(list.at(2)->kind, 4);
  EXPECT_EQ(list.at(3)->kind, 0);
  EXPECT_EQ(list.at(3)->name, u"");
}

TEST_F(SettingsIoTest, MissingSettingsGiveEndOffAndRunOn) {
  read("[Item0]\ntype = 3\n");
  EXPECT_FALSE(options.endOnExit);
  EXPECT_TRUE(options.runOnStart);
  read("[Settings]\nRunOnStart = 0\n");
  EXPECT_FALSE(options.runOnStart);
  EXPECT_EQ(list.size(), 0u);
  EXPECT_EQ(list.currentIndex(), -1);
}

TEST_F(SettingsIoTest, WrittenSettingsReadBackAlike) {
  options = {false, false};
  *list.addAfter() = LaunchEntry{1, 1, 0, 0, u"\u00C4pps \u03A9", u"\u00C4pps \u03A9\\probe.exe", u"-x %drive%\\a", u".\\", nullptr, nullptr};
  *list.addAfter() = LaunchEntry{2, 0, 0, -1, u"G", u"", u"", u"", nullptr, nullptr};
  write();
  EntryList before;
  std::swap(before, list);
  read(files.contentOf(kPath));
  EXPECT_FALSE(options.endOnExit);
  EXPECT_FALSE(options.runOnStart);
  ASSERT_EQ(list.size(), 2u);
  EXPECT_EQ(list.at(0)->name, before.at(0)->name);
  EXPECT_EQ(list.at(0)->command, before.at(0)->command);
  EXPECT_EQ(list.at(0)->options, before.at(0)->options);
  EXPECT_EQ(list.at(0)->homedir, u".\\");
  EXPECT_EQ(list.at(0)->run, 1);
  EXPECT_EQ(list.at(1)->level, -1);
}

}  // namespace
}  // namespace diduzo
