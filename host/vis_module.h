#ifndef ZORVA_HOST_VIS_MODULE_H
#define ZORVA_HOST_VIS_MODULE_H

// The player's published visualization plug-in records. Their layout is the
// contract with the player: 32-bit pointers and handles, no gaps.

#include <cstddef>
#include <cstdint>

#ifdef _WIN32
#include <windows.h>
typedef HWND VisWindowHandle;
typedef HINSTANCE VisInstanceHandle;
#else
typedef void* VisWindowHandle;
typedef void* VisInstanceHandle;
#endif

constexpr int kVisHeaderVersion = 0x101;
constexpr int kSoundRowBytes = 576;

struct winampVisModule {
  const char* description;
  VisWindowHandle hwndParent;
  VisInstanceHandle hDllInstance;
  int32_t sRate;
  int32_t nCh;
  int32_t latencyMs;
  int32_t delayMs;
  int32_t spectrumNch;
  int32_t waveformNch;
  uint8_t spectrumData[2][kSoundRowBytes];
  int8_t waveformData[2][kSoundRowBytes];
  void (*Config)(winampVisModule* record);
  int32_t (*Init)(winampVisModule* record);
  int32_t (*Render)(winampVisModule* record);
  void (*Quit)(winampVisModule* record);
  void* userData;
};

struct winampVisHeader {
  int32_t version;
  const char* description;
  winampVisModule* (*getModule)(int32_t index);
};

static_assert(sizeof(void*) == 4, "the player's records are 32-bit");
static_assert(offsetof(winampVisModule, hwndParent) == 4);
static_assert(offsetof(winampVisModule, hDllInstance) == 8);
static_assert(offsetof(winampVisModule, sRate) == 12);
static_assert(offsetof(winampVisModule, nCh) == 16);
static_assert(offsetof(winampVisModule, latencyMs) == 20);
static_assert(offsetof(winampVisModule, delayMs) == 24);
static_assert(offsetof(winampVisModule, spectrumNch) == 28);
static_assert(offsetof(winampVisModule, waveformNch) == 32);
static_assert(offsetof(winampVisModule, spectrumData) == 36);
static_assert(offsetof(winampVisModule, waveformData) == 1188);
static_assert(offsetof(winampVisModule, Config) == 2340);
static_assert(offsetof(winampVisModule, Init) == 2344);
static_assert(offsetof(winampVisModule, Render) == 2348);
static_assert(offsetof(winampVisModule, Quit) == 2352);
static_assert(offsetof(winampVisModule, userData) == 2356);
static_assert(sizeof(winampVisModule) == 2360);
static_assert(offsetof(winampVisHeader, description) == 4);
static_assert(offsetof(winampVisHeader, getModule) == 8);

#endif
