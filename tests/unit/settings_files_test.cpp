#include "entries/settings_files.h"

#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include "tests/fakes/memory_file_system.h"

namespace diduzo {
namespace {

using fakes::FileCall;
using fakes::FileOp;
using fakes::MemoryFileSystem;

const Text kDir = u"G:\\Tools\\";
const Text kSettings = u"G:\\Tools\\Diduzo.prefs";
const Text kBackup = u"G:\\Tools\\Diduzo.prefs.bak";

class FakeHost : public SettingsHost {
 public:
  bool isOptionOn(int item) override { return options[item]; }
  void setOption(int item, bool on) override { options[item] = on; }
  IconHandle iconFor(const Text& command) override {
    iconsAskedFor.push_back(command);
    return command.empty() ? nullptr : reinterpret_cast<IconHandle>(iconsAskedFor.size());
  }
  void entriesChanged() override { ++rebuilds; }
  void showWriteError() override { ++writeErrors; }

  std::map<int, bool> options{{kEndOptionItem, true}, {kRunOptionItem, true}};
  std::vector<Text> iconsAskedFor;
  int rebuilds = 0;
  int writeErrors = 0;
};

// What a start would show: the options and the entries' stored fields.
struct State {
  bool end = true, run = true;
  std::vector<std::u16string> entries;
  bool operator==(const State&) const = default;
};

State stateOf(const EntryList& list, FakeHost& host) {
  State s{host.options[kEndOptionItem], host.options[kRunOptionItem], {}};
  for (std::size_t i = 0; i < list.size(); ++i) {
    const LaunchEntry& e = *list.at(i);
    s.entries.push_back(fromAscii(std::to_string(e.kind) + "/" + std::to_string(e.level) + "/" +
                                  std::to_string(e.run) + "/" + std::to_string(e.stop) + "/") +
                        e.name + u"|" + e.command + u"|" + e.options + u"|" + e.homedir);
  }
  return s;
}

State loadFrom(MemoryFileSystem& files) {
  EntryList list;
  FakeHost host;
  loadSettings(files, kDir, list, host);
  return stateOf(list, host);
}

void fillEntries(EntryList& list, int count) {
  list.clear();
  for (int i = 0; i < count; ++i) {
    LaunchEntry& e = *list.addAfter();
    e.kind = 1;
    e.name = u"App " + fromAscii(std::to_string(i));
    e.command = u"App" + fromAscii(std::to_string(i)) + u"\\app.exe";
  }
}

const std::string kTwoEntries =
    "\xEF\xBB\xBF\r\n[Settings]\r\nEndOnExit = 0\r\nRunOnStart = 1\r\n"
    "[Item0]\r\ntype = 1\r\nlevel = 0\r\nrun = 1\r\nstop = 0\r\nname = Editor\r\ncommand = Editor\\editor.exe\r\n"
    "options = \r\nhomedir = Editor\\\r\n[Item1]\r\ntype = 4\r\nlevel = 0\r\nrun = 0\r\nstop = 0\r\nname = Docs\r\n"
    "homedir = ..\\Docs\\\r\n";

TEST(LoadSettings, WithoutEitherFileNothingChanges) {
  MemoryFileSystem files;
  EntryList list;
  list.addAfter();
  FakeHost host;
  host.options[kEndOptionItem] = true;
  loadSettings(files, kDir, list, host);
  EXPECT_EQ(list.size(), 0u);
  EXPECT_TRUE(host.options[kEndOptionItem]);
  EXPECT_TRUE(host.options[kRunOptionItem]);
  EXPECT_EQ(host.rebuilds, 0);
}

TEST(LoadSettings, ReadsEntriesAndOptions) {
  MemoryFileSystem files;
  files.putFile(kSettings, kTwoEntries);
  EntryList list;
  FakeHost host;
  loadSettings(files, kDir, list, host);
  ASSERT_EQ(list.size(), 2u);
  EXPECT_FALSE(host.options[kEndOptionItem]);
  EXPECT_TRUE(host.options[kRunOptionItem]);
  EXPECT_EQ(list.currentIndex(), 1);
  EXPECT_EQ(host.rebuilds, 1);
  EXPECT_TRUE(host.iconsAskedFor.empty());
}

TEST(IconLoader, TakesApplicationIconsOneAtATimeThenRebuildsOnce) {
  EntryList list;
  for (std::int8_t kind : {1, 4, 2, 1, 3, 1}) {
    LaunchEntry& e = *list.addAfter();
    e.kind = kind;
    e.command = u"cmd" + fromAscii(std::to_string(list.currentIndex()));
  }
  list.at(3)->icon = reinterpret_cast<IconHandle>(77);  // already has one
  FakeHost host;
  IconLoader icons;
  EXPECT_FALSE(icons.step(list, host));  // nothing started
  icons.start();
  EXPECT_TRUE(icons.step(list, host));
  EXPECT_EQ(host.iconsAskedFor, std::vector<Text>{u"cmd0"});
  EXPECT_EQ(host.rebuilds, 0);
  icons.finish(list, host);
  EXPECT_EQ(host.iconsAskedFor, (std::vector<Text>{u"cmd0", u"cmd5"}));  // folders and the rest get none
  EXPECT_EQ(host.rebuilds, 1);
  EXPECT_FALSE(icons.pending());
  EXPECT_EQ(list.at(3)->icon, reinterpret_cast<IconHandle>(77));
  EXPECT_EQ(list.at(1)->icon, nullptr);

  // When no icon could be taken, the menu is not rebuilt for nothing.
  EntryList none;
  none.addAfter()->kind = 1;
  FakeHost empty;
  icons.start();
  icons.finish(none, empty);
  EXPECT_EQ(empty.rebuilds, 0);
}

TEST(LoadSettings, TheBackupAloneBecomesTheSettingsFile) {
  MemoryFileSystem files;
  files.putFile(kBackup, kTwoEntries);
  EntryList list;
  FakeHost host;
  loadSettings(files, kDir, list, host);
  EXPECT_EQ(list.size(), 2u);
  EXPECT_TRUE(files.hasFile(kSettings));
  EXPECT_FALSE(files.exists(kBackup));
}

TEST(LoadSettings, ABackupThatCannotBeRenamedIsReadWhereItIs) {
  MemoryFileSystem files;
  files.putFile(kBackup, kTwoEntries);
  files.failWhen = [](const FileCall& c) { return c.op == FileOp::Move; };
  EntryList list;
  FakeHost host;
  loadSettings(files, kDir, list, host);
  EXPECT_EQ(list.size(), 2u);
  EXPECT_TRUE(files.hasFile(kBackup));
}

TEST(LoadSettings, WithBothFilesTheSettingsFileWinsAndTheBackupStays) {
  MemoryFileSystem files;
  files.putFile(kSettings, kTwoEntries);
  files.putFile(kBackup, "[Settings]\nEndOnExit = 1\n[Item0]\ntype = 3\n");
  EXPECT_EQ(loadFrom(files).entries.size(), 2u);
  EXPECT_TRUE(files.hasFile(kBackup));
}

TEST(LoadSettings, AFileThatCannotBeReadGivesDefaultsAndNoEntries) {
  MemoryFileSystem files;
  files.putFile(kSettings, kTwoEntries);
  files.failWhen = [](const FileCall& c) { return c.op == FileOp::Read; };
  const State s = loadFrom(files);
  EXPECT_FALSE(s.end);
  EXPECT_TRUE(s.run);
  EXPECT_TRUE(s.entries.empty());
}

TEST(SaveSettings, FirstSaveWritesTheWrittenFormAndLeavesNoBackup) {
  MemoryFileSystem files;
  EntryList list;
  FakeHost host;
  ASSERT_TRUE(saveSettings(files, kDir, list, host));
  EXPECT_EQ(files.contentOf(kSettings), "\xEF\xBB\xBF\r\n[Settings]\r\nEndOnExit = 1\r\nRunOnStart = 1\r\n");
  EXPECT_FALSE(files.exists(kBackup));
  EXPECT_EQ(host.writeErrors, 0);
}

TEST(SaveSettings, RewritesTheFileWholeAndKeepsTheCurrentEntry) {
  MemoryFileSystem files;
  files.putFile(kSettings, kTwoEntries);
  files.putFile(kBackup, "stale");
  EntryList list;
  FakeHost host;
  loadSettings(files, kDir, list, host);
  list.selectAt(0);
  ASSERT_TRUE(saveSettings(files, kDir, list, host));
  EXPECT_EQ(files.contentOf(kSettings), kTwoEntries);
  EXPECT_FALSE(files.exists(kBackup));
  EXPECT_EQ(list.currentIndex(), 0);
  list.reset();
  ASSERT_TRUE(saveSettings(files, kDir, list, host));
  EXPECT_EQ(list.currentIndex(), -1);
}

TEST(SaveSettings, AnyFailureShowsTheWriteErrorAndKeepsTheLastGoodSettings) {
  for (FileOp failing : {FileOp::Open, FileOp::Write, FileOp::Flush, FileOp::Close, FileOp::Replace}) {
    MemoryFileSystem files;
    files.putFile(kSettings, kTwoEntries);
    EntryList list;
    FakeHost host;
    loadSettings(files, kDir, list, host);
    list.addAfter()->kind = 3;
    files.failWhen = [failing](const FileCall& c) {
      return c.op == failing && (c.op != FileOp::Open || c.mode == OpenMode::CreateAlways);
    };
    EXPECT_FALSE(saveSettings(files, kDir, list, host)) << static_cast<int>(failing);
    EXPECT_EQ(host.writeErrors, 1) << static_cast<int>(failing);
    EXPECT_EQ(files.contentOf(kSettings), kTwoEntries) << static_cast<int>(failing);
    EXPECT_FALSE(files.exists(kBackup)) << static_cast<int>(failing);
    EXPECT_EQ(list.size(), 3u);
  }
}

TEST(SaveSettings, AStaleBackupInTheWayIsRemovedAndTheSaveGoesOn) {
  MemoryFileSystem files;
  files.putFile(kSettings, kTwoEntries);
  files.putFile(kBackup, "stale, and it cannot be written over");
  bool refused = false;
  files.failWhen = [&](const FileCall& c) {
    if (c.op != FileOp::Open || c.mode != OpenMode::CreateAlways || refused) return false;
    return refused = true;
  };
  EntryList list;
  FakeHost host;
  EXPECT_TRUE(saveSettings(files, kDir, list, host));
  EXPECT_EQ(host.writeErrors, 0);
  EXPECT_EQ(files.contentOf(kSettings), "\xEF\xBB\xBF\r\n[Settings]\r\nEndOnExit = 1\r\nRunOnStart = 1\r\n");
  EXPECT_FALSE(files.exists(kBackup));
}

TEST(SaveSettings, ABackupLeftAloneIsRestoredBeforeTheSave) {
  MemoryFileSystem files;
  files.putFile(kBackup, kTwoEntries);
  files.failWhen = [](const FileCall& c) { return c.op == FileOp::Move; };
  EntryList list;
  FakeHost host;
  // It cannot be renamed: nothing may replace it, so the save fails and the backup stays.
  EXPECT_FALSE(saveSettings(files, kDir, list, host));
  EXPECT_EQ(host.writeErrors, 1);
  EXPECT_EQ(files.contentOf(kBackup), kTwoEntries);
  files.failWhen = nullptr;
  ASSERT_TRUE(saveSettings(files, kDir, list, host));
  EXPECT_FALSE(files.exists(kBackup));
  EXPECT_EQ(files.contentOf(kSettings), "\xEF\xBB\xBF\r\n[Settings]\r\nEndOnExit = 1\r\nRunOnStart = 1\r\n");
}

// Cuts the power at every change a save makes (and inside the write, after a part of its bytes)
// and starts again: the next start sees the old settings or the new ones, never anything else.
TEST(SaveSettings, ASaveCutShortAnywhereLeavesTheOldOrTheNewSettings) {
  struct Scenario {
    const char* name;
    std::map<Text, std::string> before;
  };
  const Scenario scenarios[] = {
      {"first save", {}},
      {"later save", {{kSettings, kTwoEntries}}},
      {"stale backup", {{kSettings, kTwoEntries}, {kBackup, "[Settings]\nEndOnExit = 1\n"}}},
      {"backup alone", {{kBackup, kTwoEntries}}},
  };
  for (const Scenario& scenario : scenarios) {
    auto prepare = [&](MemoryFileSystem& files) {
      for (const auto& [path, content] : scenario.before) files.putFile(path, content);
    };
    MemoryFileSystem reference;
    prepare(reference);
    const State oldState = loadFrom(reference);
    // The new settings: other options and more entries than before.
    EntryList list;
    fillEntries(list, 5);
    FakeHost host;
    host.options[kEndOptionItem] = !oldState.end;
    ASSERT_TRUE(saveSettings(reference, kDir, list, host)) << scenario.name;
    const State newState = loadFrom(reference);
    ASSERT_NE(newState, oldState);
    const long changes = reference.changesMade();
    const std::size_t fileSize = reference.contentOf(kSettings).size();

    for (long cut = 0; cut <= changes; ++cut) {
      for (std::size_t landed : {std::size_t{0}, std::size_t{1}, fileSize / 2, fileSize - 1}) {
        MemoryFileSystem files;
        prepare(files);
        files.cutAfter = cut;
        files.bytesOfCutWrite = landed;
        FakeHost cutHost;
        cutHost.options = host.options;
        saveSettings(files, kDir, list, cutHost);
        files.restorePower();
        const State after = loadFrom(files);
        EXPECT_TRUE(after == oldState || after == newState)
            << scenario.name << ": cut after " << cut << " changes, " << landed << " bytes of the write";
        // A later save on what is left finishes normally.
        EntryList again;
        FakeHost againHost;
        loadSettings(files, kDir, again, againHost);
        EXPECT_TRUE(saveSettings(files, kDir, list, host)) << scenario.name << " " << cut;
        EXPECT_EQ(loadFrom(files), newState) << scenario.name << " " << cut;
      }
    }
  }
}

}  // namespace
}  // namespace diduzo
