// The settings file sits beside the plug-in, however long its folder's path.

#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "app/vis_app.h"

namespace {

std::wstring Widened(const std::string& text) { return std::wstring(text.begin(), text.end()); }

// Under the temporary folder, made of nested folders of up to 100
// characters, so that "FOLDER\vis_zorva.dll" has `length` characters.
std::string MakeFolderForPluginPath(size_t length) {
  char temp[MAX_PATH] = "";
  GetTempPathA(sizeof temp, temp);
  std::string folder = std::string(temp) + "zorva-long-path";
  CreateDirectoryW(Widened(folder).c_str(), nullptr);
  const size_t wanted = length - std::string("\\vis_zorva.dll").size();
  while (folder.size() < wanted) {
    const size_t name = std::min<size_t>(100, wanted - folder.size() - 1);
    folder += "\\" + std::string(name, 'd');
    CreateDirectoryW(Widened(folder).c_str(), nullptr);
  }
  return folder;
}

TEST(SettingsFile, SitsBesideThePlugInAtTheLimitOfAPathAndBeyondIt) {
  char program[MAX_PATH] = "";
  GetModuleFileNameA(nullptr, program, sizeof program);
  const std::string fake = std::string(program).erase(std::string(program).rfind('\\')) + "\\fake_vis_plugin.dll";
  for (const size_t length : {259u, 300u}) {
    const std::string folder = MakeFolderForPluginPath(length);
    const std::string plugin = folder + "\\vis_zorva.dll";
    ASSERT_EQ(plugin.size(), length);
    ASSERT_TRUE(CopyFileW(Widened(fake).c_str(), Widened(plugin).c_str(), FALSE));
    const HMODULE library = LoadLibraryW(Widened(plugin).c_str());
    if (library == nullptr) GTEST_SKIP() << "this system loads no library from a path of " << length;
    winampVisModule record{};
    record.hDllInstance = library;
    VisApp app;
    app.module = &record;
    EXPECT_EQ(app.SettingsFilePath(), folder + "\\plugin.ini") << length;
    FreeLibrary(library);
    DeleteFileW(Widened(plugin).c_str());
  }
}

}  // namespace
