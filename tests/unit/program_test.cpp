#include "app/program.h"

#include <gtest/gtest.h>

#include "tests/fakes/fake_shell.h"

namespace diduzo {
namespace {

using fakes::ProcessOp;

const ProgramPlace kPlace{u"G:\\Tools\\", u"G:"};
const Text kSettings = u"G:\\Tools\\Diduzo.prefs";

Event tray(TrayButton button) { return Event{EventKind::TrayPress, static_cast<int>(button), nullptr}; }
Event menu(int id) { return Event{EventKind::MenuCommand, id, nullptr}; }
Event control(int number) { return Event{EventKind::ControlEvent, number, nullptr}; }

class ProgramTest : public ::testing::Test {
 protected:
  void start(const std::string& settings) {
    if (!settings.empty()) shell.fileSystem.putFile(kSettings, settings);
    program.startUp();
    shell.log.clear();
  }

  fakes::FakeShell shell;
  EntryList list;
  Program program{shell, list, kPlace};
};

const std::string kThreeEntries =
    "[Settings]\nEndOnExit = 1\nRunOnStart = 1\n"
    "[Item0]\ntype = 1\nrun = 1\nstop = 1\nname = Notes\ncommand = Notes\\notes.exe\n"
    "[Item1]\ntype = 3\n"
    "[Item2]\ntype = 1\nname = Tool\ncommand = tool.exe\nhomedir = Tools\\\n";

TEST_F(ProgramTest, FirstStartOffersTheConfigurationWindow) {
  shell.wantsConfiguration = true;
  program.startUp();
  EXPECT_EQ(shell.log, (std::vector<std::string>{"offer configuration", "configuration opened"}));
  EXPECT_TRUE(shell.options[kEndOptionItem]);
  EXPECT_TRUE(shell.options[kRunOptionItem]);
}

TEST_F(ProgramTest, StartUpLoadsRunsMarkedEntriesAndDoesNotOffer) {
  shell.fileSystem.putFile(kSettings, kThreeEntries);
  program.startUp();
  EXPECT_EQ(list.size(), 3u);
  const auto creates = shell.processList.callsOf(ProcessOp::Create);
  ASSERT_EQ(creates.size(), 1u);
  EXPECT_EQ(creates[0].application, u"G:\\Tools\\Notes\\notes.exe");  // tracked: END is on
  for (const std::string& line : shell.log) EXPECT_NE(line, "offer configuration");
}

TEST_F(ProgramTest, EventsDoWhatTheLoopTableSays) {
  start(kThreeEntries);
  while (program.idle()) {
  }
  struct Case {
    Event event;
    std::vector<std::string> log;
  };
  const Case cases[] = {
      {tray(TrayButton::Left), {"launch menu"}},
      {tray(TrayButton::Right), {"tray menu"}},
      {tray(TrayButton::LeftDouble), {}},
      {tray(TrayButton::RightDouble), {}},
      {Event{EventKind::CloseRequest, 0, &shell}, {"about hidden"}},
      {menu(kAboutItem), {"about shown"}},
      {menu(kSetApplicationsItem), {"configuration opened"}},
      {control(kAboutOkButton), {"about hidden"}},
      {menu(13), {}},  // beyond the list
      {menu(7), {}},
  };
  for (const Case& c : cases) {
    shell.log.clear();
    shell.processList.calls.clear();
    EXPECT_TRUE(program.handle(c.event));
    EXPECT_EQ(shell.log, c.log) << static_cast<int>(c.event.kind) << "/" << c.event.number;
    EXPECT_TRUE(shell.processList.calls.empty()) << static_cast<int>(c.event.kind) << "/" << c.event.number;
  }
}

TEST_F(ProgramTest, ALaunchMenuChoiceLaunchesTheEntryAtIdMinusTen) {
  start(kThreeEntries);
  shell.processList.calls.clear();
  program.handle(menu(12));
  const auto creates = shell.processList.callsOf(ProcessOp::Create);
  ASSERT_EQ(creates.size(), 1u);
  EXPECT_EQ(creates[0].commandLine, u"\"G:\\Tools\\tool.exe\"");
  EXPECT_EQ(creates[0].directory, u"G:\\Tools\\Tools\\");
  EXPECT_EQ(list.currentIndex(), 2);
}

TEST_F(ProgramTest, IconsComeInQuietMomentsOrBeforeTheLaunchMenuOpens) {
  start(kThreeEntries);
  EXPECT_TRUE(shell.log.empty());  // start-up took no icon
  program.handle(tray(TrayButton::Right));
  program.handle(menu(kAboutItem));
  EXPECT_EQ(shell.log, (std::vector<std::string>{"tray menu", "about shown"}));
  EXPECT_TRUE(program.idle());
  EXPECT_EQ(shell.log.back(), "icon Notes\\notes.exe");
  shell.log.clear();
  program.handle(tray(TrayButton::Left));
  EXPECT_EQ(shell.log, (std::vector<std::string>{"icon tool.exe", "launch menu rebuilt", "launch menu"}));
  EXPECT_FALSE(program.idle());
}

TEST_F(ProgramTest, AnOptionCommandFlipsTheCheckAndSavesAtOnce) {
  start("");
  program.handle(menu(kEndOptionItem));
  EXPECT_FALSE(shell.options[kEndOptionItem]);
  EXPECT_EQ(shell.fileSystem.contentOf(kSettings), "\xEF\xBB\xBF\r\n[Settings]\r\nEndOnExit = 0\r\nRunOnStart = 1\r\n");
  program.handle(menu(kRunOptionItem));
  program.handle(menu(kEndOptionItem));
  EXPECT_EQ(shell.fileSystem.contentOf(kSettings), "\xEF\xBB\xBF\r\n[Settings]\r\nEndOnExit = 1\r\nRunOnStart = 0\r\n");
}

TEST_F(ProgramTest, ExitClosesTrackedApplicationsClearsTheListAndShutsDown) {
  start(kThreeEntries);
  while (program.idle()) {
  }
  list.at(0)->window = reinterpret_cast<WindowHandle>(5);
  shell.configurationIsOpen = true;
  shell.log.clear();
  EXPECT_FALSE(program.handle(menu(kExitItem)));
  ASSERT_GE(shell.log.size(), 3u);
  EXPECT_EQ(shell.log.front(), "configuration closed");
  EXPECT_EQ(shell.log[1], "close 5");
  EXPECT_EQ(shell.log.back(), "shut down");
  EXPECT_EQ(list.size(), 0u);
}

TEST_F(ProgramTest, ExitWithTheEndOptionOffAsksNoWindowToClose) {
  start(kThreeEntries);
  list.at(0)->window = reinterpret_cast<WindowHandle>(5);
  program.handle(menu(kEndOptionItem));
  shell.log.clear();
  program.exitSequence();
  for (const std::string& line : shell.log) EXPECT_NE(line, "close 5");
}

}  // namespace
}  // namespace diduzo
