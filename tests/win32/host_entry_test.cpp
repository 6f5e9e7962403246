// Loads vis_zorva.dll the way the player does and checks the records it
// hands over and the entries' contracts.

#include <windows.h>

#include <gtest/gtest.h>

#include <cstring>

#include "host/vis_module.h"

namespace {

typedef const winampVisHeader* (*GetHeaderEntry)();

class HostEntry : public testing::Test {
 protected:
  static void SetUpTestSuite() {
    library = LoadLibraryA("vis_zorva.dll");
    ASSERT_NE(library, nullptr);
    auto getHeader = reinterpret_cast<GetHeaderEntry>(
        reinterpret_cast<void*>(GetProcAddress(library, "winampVisGetHeader")));
    ASSERT_NE(getHeader, nullptr);
    header = getHeader();
  }
  static void TearDownTestSuite() { FreeLibrary(library); }

  static HMODULE library;
  static const winampVisHeader* header;
};

HMODULE HostEntry::library;
const winampVisHeader* HostEntry::header;

bool AllZero(const void* data, size_t size) {
  const auto* bytes = static_cast<const unsigned char*>(data);
  for (size_t i = 0; i < size; i++) {
    if (bytes[i] != 0) return false;
  }
  return true;
}

TEST_F(HostEntry, HeaderNamesThePlugin) {
  ASSERT_NE(header, nullptr);
  EXPECT_EQ(header->version, 0x101);
  EXPECT_STREQ(header->description, "Zorva for WinAmp v1.0");
}

TEST_F(HostEntry, OnlyModuleZeroExists) {
  EXPECT_NE(header->getModule(0), nullptr);
  EXPECT_EQ(header->getModule(0), header->getModule(0));
  EXPECT_EQ(header->getModule(1), nullptr);
  EXPECT_EQ(header->getModule(-1), nullptr);
}

TEST_F(HostEntry, ModuleRecordStartsWithItsDocumentedValues) {
  const winampVisModule* module = header->getModule(0);
  EXPECT_STREQ(module->description, "Zorva");
  EXPECT_EQ(module->hwndParent, nullptr);
  EXPECT_EQ(module->hDllInstance, nullptr);
  EXPECT_EQ(module->sRate, 0);
  EXPECT_EQ(module->nCh, 0);
  EXPECT_EQ(module->latencyMs, 60);
  EXPECT_EQ(module->delayMs, 10);
  EXPECT_EQ(module->spectrumNch, 2);
  EXPECT_EQ(module->waveformNch, 2);
  EXPECT_TRUE(AllZero(module->spectrumData, sizeof module->spectrumData));
  EXPECT_TRUE(AllZero(module->waveformData, sizeof module->waveformData));
  EXPECT_NE(module->Config, nullptr);
  EXPECT_NE(module->Init, nullptr);
  EXPECT_NE(module->Render, nullptr);
  EXPECT_NE(module->Quit, nullptr);
  EXPECT_EQ(module->userData, nullptr);
}

TEST_F(HostEntry, InitRenderQuitRoundTrip) {
  winampVisModule* module = header->getModule(0);
  const HWND parent = CreateWindowExA(0, "STATIC", "player", WS_OVERLAPPED, 0, 0, 100, 100,
                                      nullptr, nullptr, nullptr, nullptr);
  module->hwndParent = parent;
  module->hDllInstance = library;
  module->nCh = 2;
  EXPECT_EQ(module->Init(module), 0);
  EXPECT_EQ(module->Render(module), 0);
  // The record remembered by Init is used; the argument is not read.
  EXPECT_EQ(module->Render(nullptr), 0);
  module->Quit(nullptr);
  DestroyWindow(parent);
}

}  // namespace
