// Loads vis_zorva.dll the way the player does. The records as the player
// first sees them, Init, Render and Quit are checked through the stand-in
// player (player_test.sh); here, what a player does not do.

#include <windows.h>

#include <gtest/gtest.h>

#include "host/vis_module.h"

namespace {

typedef const winampVisHeader* (*GetHeaderEntry)();

TEST(HostEntry, OtherModulesAreNullAndRenderIgnoresItsArgument) {
  const HMODULE library = LoadLibraryA("vis_zorva.dll");
  ASSERT_NE(library, nullptr);
  auto getHeader = reinterpret_cast<GetHeaderEntry>(
      reinterpret_cast<void*>(GetProcAddress(library, "winampVisGetHeader")));
  ASSERT_NE(getHeader, nullptr);
  const winampVisHeader* header = getHeader();
  EXPECT_EQ(header->getModule(-1), nullptr);
  EXPECT_EQ(header->getModule(1), nullptr);
  winampVisModule* module = header->getModule(0);
  const HWND parent = CreateWindowExA(0, "STATIC", "player", WS_OVERLAPPED, 0, 0, 100, 100,
                                      nullptr, nullptr, nullptr, nullptr);
  module->hwndParent = parent;
  module->hDllInstance = library;
  module->nCh = 2;
  ASSERT_EQ(module->Init(module), 0);
  // The record remembered by Init is used; the argument is not read.
  EXPECT_EQ(module->Render(nullptr), 0);
  module->Quit(nullptr);
  DestroyWindow(parent);
  FreeLibrary(library);
}

}  // namespace
