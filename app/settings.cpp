// The settings file: "plugin.ini" beside the plug-in, section "Zorva", with
// the window's position, the timers' periods, whether the input window shows,
// and the expression library. Each load and save reads the section once.

#include <climits>

#include "app/vis_app.h"
#include "sys/profile.h"

using zorva::sys::ProfileInt;
using zorva::sys::ProfileSection;

// Where the main window opens when the file has no position a monitor shows.
constexpr LONG kDefaultWindowX = 50;
constexpr LONG kDefaultWindowY = 50;
// Read for a missing key: a point that lies on no monitor.
constexpr int32_t kNoPosition = INT32_MIN;

// The plug-in's path may be longer than MAX_PATH where the host allows long
// paths, and a cut one would name another folder: the buffer grows until the
// whole path fits (Windows paths end before 32,768 characters).
static std::string ModulePath(HINSTANCE module) {
  std::string path(MAX_PATH, '\0');
  for (;;) {
    const DWORD length = GetModuleFileNameA(module, &path[0], static_cast<DWORD>(path.size()));
    if (length < path.size() || path.size() >= 32768) return path.substr(0, length);
    path.resize(path.size() * 2);
  }
}

// Cut after the last backslash, which stays; without one, the bare name.
std::string VisApp::SettingsFilePath() const {
  std::string path = ModulePath(module->hDllInstance);
  const size_t slash = path.rfind('\\');
  path.erase(slash == std::string::npos ? 0 : slash + 1);
  return path + "plugin.ini";
}

// A stored position is used only where a monitor shows it: a monitor taken
// away since the last run would otherwise leave the window out of sight.
static POINT StartPosition(const ProfileSection& keys) {
  const POINT stored = {ProfileInt(keys, "Screen_x", kNoPosition), ProfileInt(keys, "Screen_y", kNoPosition)};
  if (MonitorFromPoint(stored, MONITOR_DEFAULTTONULL) == nullptr) return {kDefaultWindowX, kDefaultWindowY};
  return stored;
}

// Settings are read again at every Config, while the main window may be
// open: its position then stays the one it has.
void VisApp::LoadSettings() {
  const ProfileSection keys = zorva::sys::LoadProfileSection(SettingsFilePath(), zorva::kSettingsSection);
  if (mainWindow == nullptr) {
    const POINT position = StartPosition(keys);
    windowX = position.x;
    windowY = position.y;
  }
  autoRestartSeconds = ProfileInt(keys, "AutoRestart", autoRestartSeconds);
  autoMutateSeconds = ProfileInt(keys, "AutoMutate", autoMutateSeconds);
  showInputWindow = ProfileInt(keys, "ShowGlyxInputWindow", 1);
  library.LoadFrom(keys);
}

void VisApp::SaveSettings() {
  const std::string path = SettingsFilePath();
  ProfileSection keys = zorva::sys::LoadProfileSection(path, zorva::kSettingsSection);
  keys.Set("Screen_x", std::to_string(windowX));
  keys.Set("Screen_y", std::to_string(windowY));
  keys.Set("AutoRestart", std::to_string(autoRestartSeconds));
  keys.Set("AutoMutate", std::to_string(autoMutateSeconds));
  keys.Set("ShowGlyxInputWindow", std::to_string(showInputWindow));
  zorva::sys::StoreProfileSection(path, zorva::kSettingsSection, keys);
  library.Save(module->hwndParent, path);
}

// Recorded on every frame and timer tick, so that a save keeps whether the
// window showed then.
void VisApp::NoteInputWindowVisibility() {
  CriticalSection::Hold hold(expressionLock);
  showInputWindow = inputWindow && inputWindow->IsShown();
}
