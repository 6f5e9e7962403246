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

// The committed private pages as the process sees its own address space.
// Wine's counters read the host process, which under an emulator also holds
// the emulator's translations of every routine the plug-in generates.
static SIZE_T CommittedPrivateBytes() {
  SIZE_T total = 0;
  MEMORY_BASIC_INFORMATION region;
  const char* address = nullptr;
  while (VirtualQuery(address, &region, sizeof region) == sizeof region) {
    if (region.State == MEM_COMMIT && region.Type == MEM_PRIVATE) total += region.RegionSize;
    const char* next = static_cast<const char*>(region.BaseAddress) + region.RegionSize;
    if (next <= address) break;  // the top of the address space
    address = next;
  }
  return total;
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
         " workingset=" + std::to_string(memory.WorkingSetSize) +
         " committed=" + std::to_string(CommittedPrivateBytes());
}
