#include "player/process_resources.h"

#include <windows.h>
#include <psapi.h>

// Wine's GetGuiResources reports no GDI objects, but its GetObjectType
// answers for a handle's table index alone, so there the live objects can be
// counted by probing every index. Windows checks the whole handle, so there
// the probe may find nothing while GetGuiResources counts.
static int CountLiveGdiHandles() {
  int live = 0;
  for (UINT_PTR index = 1; index <= 0xFFFF; index++) {
    if (GetObjectType(reinterpret_cast<HGDIOBJ>(index)) != 0) live++;
  }
  return live;
}

std::string ResourceLine() {
  PROCESS_MEMORY_COUNTERS_EX memory = {};
  memory.cb = sizeof memory;
  GetProcessMemoryInfo(GetCurrentProcess(), reinterpret_cast<PROCESS_MEMORY_COUNTERS*>(&memory), sizeof memory);
  return "resources gdi=" + std::to_string(GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS)) +
         " gdilive=" + std::to_string(CountLiveGdiHandles()) +
         " user=" + std::to_string(GetGuiResources(GetCurrentProcess(), GR_USEROBJECTS)) +
         " private=" + std::to_string(memory.PrivateUsage) +
         " pagefile=" + std::to_string(memory.PagefileUsage) +
         " workingset=" + std::to_string(memory.WorkingSetSize);
}
