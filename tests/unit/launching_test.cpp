#include "launch/launching.h"

#include <gtest/gtest.h>

#include "tests/fakes/fake_shell.h"

namespace diduzo {
namespace {

using fakes::ProcessOp;

const ProgramPlace kPlace{u"G:\\Tools\\", u"G:"};

class LaunchingTest : public ::testing::Test {
 protected:
  void SetUp() override {
    shell.variables.values = {{u"windir", u"C:\\Windows"}, {u"DATA", u"D:\\Data"}};
  }
  LaunchEntry& add(std::int8_t kind, std::int8_t run, std::int8_t stop, Text name, Text command, Text options, Text homedir) {
    LaunchEntry& e = *list.addAfter();
    e = LaunchEntry{kind, run, stop, 0, std::move(name), std::move(command), std::move(options), std::move(homedir), nullptr, nullptr};
    return e;
  }

  fakes::FakeShell shell;
  EntryList list;
};

TEST_F(LaunchingTest, AnApplicationStartsAbsoluteAndExpanded) {
  struct Case {
    const char16_t *command, *options, *homedir;
    const char16_t *commandLine, *directory;
  };
  const Case cases[] = {
      {u"Editor\\editor.exe", u"-settings %drive%\\Data\\editor.ini", u"Editor\\",
       u"\"G:\\Tools\\Editor\\editor.exe\" -settings G:\\Data\\editor.ini", u"G:\\Tools\\Editor\\"},
      {u".\\Editor\\editor.exe", u"", u"", u"\"G:\\Tools\\.\\Editor\\editor.exe\"", u"G:\\Tools\\"},
      {u"%windir%\\notepad.exe", u"%DATA%\\a.txt", u"%DATA%\\", u"\"C:\\Windows\\notepad.exe\" D:\\Data\\a.txt", u"D:\\Data\\"},
      {u"\\Apps\\%drive%.exe", u"", u"..\\", u"\"G:\\Apps\\%drive%.exe\"", u"G:\\"},
  };
  for (const Case& c : cases) {
    shell.processList.calls.clear();
    list.clear();
    add(1, 0, 0, u"App", c.command, c.options, c.homedir);
    launchCurrentEntry(list, kPlace, shell);
    const auto creates = shell.processList.callsOf(ProcessOp::Create);
    ASSERT_EQ(creates.size(), 1u);
    EXPECT_EQ(creates[0].commandLine, c.commandLine);
    EXPECT_EQ(creates[0].directory, c.directory);
    EXPECT_TRUE(shell.log.empty());  // no notice for an untracked start
  }
}

TEST_F(LaunchingTest, AFolderOpensInExplorerUnquotedAndIsNeverTracked) {
  LaunchEntry& e = add(4, 0, 1, u"Docs", u"ignored.exe", u"-x", u"..\\My Docs\\");
  e.window = reinterpret_cast<WindowHandle>(7);
  launchCurrentEntry(list, kPlace, shell);
  const auto creates = shell.processList.callsOf(ProcessOp::Create);
  ASSERT_EQ(creates.size(), 1u);
  EXPECT_EQ(creates[0].commandLine, u"\"C:\\Windows\\explorer.exe\" G:\\My Docs\\");
  EXPECT_EQ(creates[0].directory, u"C:\\Windows");
  EXPECT_EQ(e.window, reinterpret_cast<WindowHandle>(7));  // left as it was
  EXPECT_TRUE(shell.log.empty());
}

TEST_F(LaunchingTest, TrackedStartShowsTheNoticeAndKeepsTheWindow) {
  LaunchEntry& e = add(1, 0, 1, u"Notes", u"Notes\\notes.exe", u"", u"");
  shell.processList.windowOf[shell.processList.nextProcessId] = reinterpret_cast<WindowHandle>(99);
  launchCurrentEntry(list, kPlace, shell);
  EXPECT_EQ(e.window, reinterpret_cast<WindowHandle>(99));
  ASSERT_EQ(shell.log.size(), 2u);
  EXPECT_EQ(shell.log[0], "notice Starting... Application \"Notes\" is currently starting. Please be patient...");
  EXPECT_EQ(shell.log[1], "notice closed");

  // With the END option off the same entry starts untracked and forgets the window.
  shell.options[kEndOptionItem] = false;
  shell.log.clear();
  launchCurrentEntry(list, kPlace, shell);
  EXPECT_EQ(e.window, nullptr);
  EXPECT_TRUE(shell.log.empty());
}

TEST_F(LaunchingTest, ATrackedStartThatFindsNoWindowStillClosesTheNotice) {
  LaunchEntry& e = add(1, 0, 1, u"Doc", u"Docs\\a.txt", u"", u"");
  e.window = reinterpret_cast<WindowHandle>(5);
  launchCurrentEntry(list, kPlace, shell);
  EXPECT_EQ(e.window, nullptr);
  EXPECT_EQ(shell.log.back(), "notice closed");
}

TEST_F(LaunchingTest, RunStartEntriesLaunchesTheMarkedOnesInOrderOnlyWithTheRunOption) {
  add(1, 1, 0, u"A", u"a.exe", u"", u"");
  add(1, 0, 0, u"B", u"b.exe", u"", u"");
  add(4, 1, 0, u"F", u"", u"", u"Docs\\");
  add(1, 2, 0, u"C", u"c.exe", u"", u"");  // only 1 counts as on
  add(1, 1, 0, u"D", u"d.exe", u"", u"");
  runStartEntries(list, kPlace, shell);
  std::vector<Text> lines;
  for (const auto& c : shell.processList.callsOf(ProcessOp::Create)) lines.push_back(c.commandLine);
  EXPECT_EQ(lines, (std::vector<Text>{u"\"G:\\Tools\\a.exe\"", u"\"C:\\Windows\\explorer.exe\" G:\\Tools\\Docs\\",
                                       u"\"G:\\Tools\\d.exe\""}));
  shell.processList.calls.clear();
  shell.options[kRunOptionItem] = false;
  runStartEntries(list, kPlace, shell);
  EXPECT_TRUE(shell.processList.calls.empty());
}

TEST_F(LaunchingTest, ClosingAsksTrackedWindowsOnlyWithTheEndOptionAndDestroysEveryIcon) {
  add(1, 0, 1, u"A", u"a.exe", u"", u"").window = reinterpret_cast<WindowHandle>(11);
  add(1, 0, 0, u"B", u"b.exe", u"", u"").icon = reinterpret_cast<IconHandle>(21);
  LaunchEntry& c = add(1, 0, 1, u"C", u"c.exe", u"", u"");
  c.window = reinterpret_cast<WindowHandle>(12);
  c.icon = reinterpret_cast<IconHandle>(22);
  closeTrackedApplications(list, shell);
  EXPECT_EQ(shell.log, (std::vector<std::string>{"close 11", "destroy icon 21", "close 12", "destroy icon 22"}));

  shell.log.clear();
  list.at(1)->icon = reinterpret_cast<IconHandle>(21);
  shell.options[kEndOptionItem] = false;
  closeTrackedApplications(list, shell);
  EXPECT_EQ(shell.log, (std::vector<std::string>{"destroy icon 21"}));
}

}  // namespace
}  // namespace diduzo
