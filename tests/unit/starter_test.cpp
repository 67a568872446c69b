#include "launch/starter.h"

#include <gtest/gtest.h>

#include "tests/fakes/fake_processes.h"

namespace diduzo {
namespace {

using fakes::FakeProcesses;
using fakes::ProcessCall;
using fakes::ProcessOp;

WindowHandle const kMainWindow = reinterpret_cast<WindowHandle>(0x1234);

TEST(RunProgram, StartsTheFileWithAQuotedCommandLine) {
  struct Case {
    const char16_t* file;
    const char16_t* parameters;
    const char16_t* workingDir;
    const char16_t* commandLine;
  };
  const Case cases[] = {
      {u"G:\\Apps\\app.exe", u"", u"", u"\"G:\\Apps\\app.exe\""},
      {u"G:\\Apps\\app.exe", u"-x", u"G:\\Work\\", u"\"G:\\Apps\\app.exe\" -x"},
      {u"G:\\Apps\\app.exe", u" -x", u"", u"\"G:\\Apps\\app.exe\"  -x"},
      {u"\"G:\\A p\\x.exe\"", u"-y", u"", u"\"G:\\A p\\x.exe\" -y"},  // already quoted: unchanged
      {u"G:\\\u00C4pps \u03A9\\p.exe", u"\u00E9", u"G:\\\u00C4pps \u03A9\\", u"\"G:\\\u00C4pps \u03A9\\p.exe\" \u00E9"},
      {u"", u"", u"", u"\"\""},
  };
  for (const Case& c : cases) {
    FakeProcesses processes;
    EXPECT_TRUE(runProgram(processes, c.file, c.parameters, c.workingDir));
    ASSERT_EQ(processes.calls.size(), 2u) << toUtf8(c.file);
    const ProcessCall& create = processes.calls[0];
    EXPECT_EQ(create.op, ProcessOp::Create);
    EXPECT_EQ(create.application, u"");
    EXPECT_EQ(create.commandLine, c.commandLine);
    EXPECT_EQ(create.directory, c.workingDir);
    EXPECT_EQ(processes.calls[1].op, ProcessOp::Release);  // and does not wait for it
    EXPECT_EQ(processes.openHandles, 0);
  }
}

TEST(RunProgram, FallsBackToTheShellInTheFilesFolder) {
  struct Case {
    const char16_t* file;
    const char16_t* workingDir;
    const char16_t* shellDir;
  };
  const Case cases[] = {
      {u"G:\\Docs\\a.pdf", u"", u"G:\\Docs\\"},
      {u"G:\\Docs\\a.pdf", u"W:\\Work\\", u"W:\\Work\\"},
      {u"G:\\Data\\", u"", u"G:\\Data\\"},  // a folder
      {u"a.pdf", u"", u""},
      {u"\\a.pdf", u"", u""},               // a backslash at the first character gives none
      {u"G:/Docs/a.pdf", u"", u""},         // only a backslash separates here
  };
  for (const Case& c : cases) {
    FakeProcesses processes;
    processes.createWorks = false;
    EXPECT_TRUE(runProgram(processes, c.file, u"-p", c.workingDir));
    ASSERT_EQ(processes.calls.size(), 2u);
    EXPECT_EQ(processes.calls[0].directory, c.workingDir);
    const ProcessCall& shell = processes.calls[1];
    EXPECT_EQ(shell.op, ProcessOp::Shell);
    EXPECT_EQ(shell.file, c.file);  // unchanged, without added quotes
    EXPECT_EQ(shell.commandLine, u"-p");
    EXPECT_EQ(shell.directory, c.shellDir) << toUtf8(c.file);
  }
}

TEST(RunProgram, ReportsFailureWhenTheShellFailsToo) {
  FakeProcesses processes;
  processes.createWorks = false;
  processes.shellWorks = false;
  EXPECT_FALSE(runProgram(processes, u"G:\\missing.xyz", u"", u""));
  EXPECT_EQ(processes.callsOf(ProcessOp::Shell).size(), 1u);
}

TEST(StartProgram, TracksOnlyExeFiles) {
  struct Case {
    const char16_t* file;
    bool tracked;
  };
  const Case cases[] = {
      {u"G:\\Apps\\Tool.EXE", true},  {u"G:\\Apps\\tool.Exe", true},  {u"G:\\Apps\\tool.exe", true},
      {u"G:\\Apps\\tool.com", false}, {u"G:\\Apps\\run.bat", false},  {u"G:\\Docs\\a.pdf", false},
      {u"G:\\Apps\\tool", false},     {u"G:\\Apps\\tool.exe2", false}, {u"G:\\My.exe\\tool", false},
      {u"", false},
  };
  for (const Case& c : cases) {
    FakeProcesses processes;
    processes.windowOf[4242] = kMainWindow;
    const WindowHandle window = startProgram(processes, c.file, u"-x", u"G:\\Work\\");
    const auto creates = processes.callsOf(ProcessOp::Create);
    ASSERT_EQ(creates.size(), 1u);
    EXPECT_EQ(creates[0].directory, u"G:\\Work\\");
    if (c.tracked) {
      EXPECT_EQ(window, kMainWindow) << toUtf8(c.file);
      EXPECT_EQ(creates[0].application, c.file);
      EXPECT_EQ(creates[0].commandLine, u" -x");  // the program's path is not repeated
    } else {
      EXPECT_EQ(window, nullptr) << toUtf8(c.file);
      EXPECT_EQ(creates[0].application, u"");
      EXPECT_EQ(creates[0].commandLine, u"\"" + Text(c.file) + u"\"  -x");
      EXPECT_EQ(processes.walks(), 0);
    }
    EXPECT_EQ(processes.openHandles, 0);
  }
}

TEST(StartProgram, PutsOneSpaceBeforeTheParameters) {
  struct Case {
    const char16_t* parameters;
    const char16_t* exeLine;
    const char16_t* documentLine;
  };
  const Case cases[] = {
      {u"-x", u" -x", u"\"G:\\Docs\\a.txt\"  -x"},
      {u" -x", u" -x", u"\"G:\\Docs\\a.txt\"  -x"},
      {u"", u" ", u"\"G:\\Docs\\a.txt\"  "},
      {u"  -x", u"  -x", u"\"G:\\Docs\\a.txt\"   -x"},
  };
  for (const Case& c : cases) {
    FakeProcesses exe, document;
    startProgram(exe, u"G:\\Apps\\app.exe", c.parameters, u"");
    startProgram(document, u"G:\\Docs\\a.txt", c.parameters, u"");
    EXPECT_EQ(exe.calls[0].commandLine, c.exeLine) << toUtf8(c.parameters);
    EXPECT_EQ(document.calls[0].commandLine, c.documentLine) << toUtf8(c.parameters);
  }
}

TEST(StartProgram, ADocumentOpensThroughTheShellAndGivesNoWindow) {
  FakeProcesses processes;
  processes.createWorks = false;
  EXPECT_EQ(startProgram(processes, u"G:\\Docs\\a.txt", u"", u""), nullptr);
  const auto shell = processes.callsOf(ProcessOp::Shell);
  ASSERT_EQ(shell.size(), 1u);
  EXPECT_EQ(shell[0].file, u"G:\\Docs\\a.txt");
  EXPECT_EQ(shell[0].commandLine, u" ");
  EXPECT_EQ(shell[0].directory, u"G:\\Docs\\");
}

TEST(StartProgram, WaitsThenSearchesForTheWindowOfTheNewProcess) {
  struct Case {
    int windowFromWalk;  // 0: the process shows no window
    int walks;
    bool found;
  };
  const Case cases[] = {{1, 1, true}, {37, 37, true}, {100, 100, true}, {101, 100, false}, {0, 100, false}};
  for (const Case& c : cases) {
    FakeProcesses processes;
    processes.windowOf[7] = reinterpret_cast<WindowHandle>(0x77);  // another process's window
    if (c.windowFromWalk > 0) processes.windowOf[4242] = kMainWindow;
    processes.windowFromWalk = c.windowFromWalk;
    const WindowHandle window = startProgram(processes, u"G:\\Apps\\app.exe", u"", u"");
    EXPECT_EQ(window, c.found ? kMainWindow : nullptr) << c.windowFromWalk;

    // Create, a pause of 100 ms, the input-idle wait of 30 s, then each attempt a pause of
    // 100 ms and one walk, and the process released at the end.
    const auto& calls = processes.calls;
    ASSERT_EQ(calls.size(), 3u + 2u * c.walks + 1u);
    EXPECT_EQ(calls[0].op, ProcessOp::Create);
    EXPECT_EQ(calls[1].op, ProcessOp::Sleep);
    EXPECT_EQ(calls[1].milliseconds, 100u);
    EXPECT_EQ(calls[2].op, ProcessOp::WaitIdle);
    EXPECT_EQ(calls[2].milliseconds, 30000u);
    EXPECT_EQ(calls[2].processId, 4242u);
    for (int i = 0; i < c.walks; ++i) {
      const ProcessCall& pause = calls[3 + 2 * i];
      const ProcessCall& walk = calls[4 + 2 * i];
      EXPECT_EQ(pause.op, ProcessOp::Sleep);
      EXPECT_EQ(pause.milliseconds, 100u);
      EXPECT_EQ(walk.op, ProcessOp::Walk);
      EXPECT_EQ(walk.processId, 4242u);
      EXPECT_EQ(walk.now, 200u + 100u * i);
    }
    EXPECT_EQ(calls.back().op, ProcessOp::Release);
    EXPECT_EQ(calls.back().processId, 4242u);
    EXPECT_EQ(processes.openHandles, 0);
    EXPECT_EQ(processes.now, 100u + 100u * c.walks);
  }
}

TEST(StartProgram, AFailedCreationGivesNoneAtOnceWithoutTheShell) {
  FakeProcesses processes;
  processes.createWorks = false;
  EXPECT_EQ(startProgram(processes, u"G:\\Apps\\missing.exe", u"-x", u"G:\\Work\\"), nullptr);
  ASSERT_EQ(processes.calls.size(), 1u);
  EXPECT_EQ(processes.calls[0].op, ProcessOp::Create);
  EXPECT_EQ(processes.calls[0].application, u"G:\\Apps\\missing.exe");
  EXPECT_EQ(processes.now, 0u);
}

}  // namespace
}  // namespace diduzo
