// The program's screen, files and processes for tests: menus, windows and questions are
// recorded as lines of a log; options, files, processes and the environment are fakes.
#pragma once

#include <map>
#include <string>
#include <vector>

#include "app/program.h"
#include "tests/fakes/fake_processes.h"
#include "tests/fakes/memory_file_system.h"

namespace diduzo::fakes {

class FakeShell : public Shell {
 public:
  MemoryFileSystem fileSystem;
  FakeProcesses processList;
  FakeEnvironment variables;
  std::map<int, bool> options{{kEndOptionItem, true}, {kRunOptionItem, true}};
  bool wantsConfiguration = false;  // the answer to the start-up offer
  bool configurationIsOpen = false;
  std::vector<std::string> log;
  int notices = 0;

  FileSystem& files() override { return fileSystem; }
  Environment& environment() override { return variables; }
  Processes& processes() override { return processList; }
  bool isOptionOn(int item) override { return options[item]; }
  void setOption(int item, bool on) override { options[item] = on; }
  void toggleOption(int item) override { options[item] = !options[item]; }
  IconHandle iconFor(const Text& command) override {
    log.push_back("icon " + narrow(command));
    return reinterpret_cast<IconHandle>(log.size());
  }
  void entriesChanged() override { log.push_back("launch menu rebuilt"); }
  void showWriteError() override { log.push_back("Write Error"); }
  void* openNotice(const Text& title, const Text& text) override {
    log.push_back("notice " + narrow(title) + " " + narrow(text));
    return &notices;
  }
  void closeNotice(void* notice) override { log.push_back(notice == &notices ? "notice closed" : "wrong notice closed"); }
  void askToClose(WindowHandle window) override { log.push_back("close " + std::to_string(reinterpret_cast<std::uintptr_t>(window))); }
  void destroyIcon(IconHandle icon) override { log.push_back("destroy icon " + std::to_string(reinterpret_cast<std::uintptr_t>(icon))); }
  void showLaunchMenu() override { log.push_back("launch menu"); }
  void showTrayMenu() override { log.push_back("tray menu"); }
  void showAbout() override { log.push_back("about shown"); }
  void hideAbout() override { log.push_back("about hidden"); }
  bool offerConfiguration() override {
    log.push_back("offer configuration");
    return wantsConfiguration;
  }
  bool configurationOpen() override { return configurationIsOpen; }
  void openConfiguration() override { log.push_back("configuration opened"); }
  void closeConfiguration() override {
    log.push_back("configuration closed");
    configurationIsOpen = false;
  }
  void shutDown() override { log.push_back("shut down"); }

  static std::string narrow(const Text& text) { return toUtf8(text); }
};

}  // namespace diduzo::fakes
