#include "app/program.h"

namespace diduzo {

void Program::startUp() {
  loadSettings(shell_.files(), place_.programDir, list_, shell_);
  icons_.start();
  runStartEntries(list_, place_, shell_);
  if (list_.size() == 0 && shell_.offerConfiguration()) shell_.openConfiguration();
}

bool Program::save() { return saveSettings(shell_.files(), place_.programDir, list_, shell_); }

bool Program::idle() { return icons_.step(list_, shell_); }

bool Program::handle(const Event& event) {
  // The launch menu and the configuration window show the entries' icons: the rest are taken
  // before either opens.
  const bool needsIcons = (event.kind == EventKind::TrayPress && event.number == static_cast<int>(TrayButton::Left)) ||
                          (event.kind == EventKind::MenuCommand && event.number == kSetApplicationsItem);
  if (needsIcons) icons_.finish(list_, shell_);
  switch (event.kind) {
    case EventKind::TrayPress:
      // The second press of a double-click does nothing.
      if (event.number == static_cast<int>(TrayButton::Left)) shell_.showLaunchMenu();
      if (event.number == static_cast<int>(TrayButton::Right)) shell_.showTrayMenu();
      return true;
    case EventKind::CloseRequest:
      // No window closes by itself; a close request only hides the About window.
      shell_.hideAbout();
      return true;
    case EventKind::MenuCommand:
      if (event.number == kExitItem) {
        exitSequence();
        return false;
      }
      menuCommand(event.number);
      return true;
    case EventKind::ControlEvent:
      controlEvent(event.number);
      return true;
  }
  return true;
}

void Program::menuCommand(int id) {
  switch (id) {
    case kAboutItem:
      shell_.showAbout();
      break;
    case kSetApplicationsItem:
      shell_.openConfiguration();
      break;
    case kEndOptionItem:
    case kRunOptionItem:
      shell_.toggleOption(id);
      save();  // the option persists at once
      break;
    default:
      // A launch menu item; an id that names no entry does nothing.
      if (list_.selectAt(static_cast<long long>(id) - kLaunchMenuFirstId)) launchCurrentEntry(list_, place_, shell_);
      break;
  }
}

void Program::controlEvent(int number) {
  if (number == kAboutOkButton) shell_.hideAbout();
  if (number == kConfigurationExitButton) shell_.closeConfiguration();
}

void Program::exitSequence() {
  if (shell_.configurationOpen()) shell_.closeConfiguration();
  closeTrackedApplications(list_, shell_);
  list_.clear();
  shell_.shutDown();
}

}  // namespace diduzo
