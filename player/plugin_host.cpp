#include "player/plugin_host.h"

#include <cstdio>

#include "player/player_log.h"

typedef const winampVisHeader* (*GetHeaderEntry)();

PluginHost::~PluginHost() {
  if (library != nullptr) FreeLibrary(library);
}

bool PluginHost::Load(const std::string& path, int moduleIndex, std::string* error) {
  library = LoadLibraryA(path.c_str());
  if (library == nullptr) {
    *error = "cannot load " + path;
    return false;
  }
  auto getHeader = reinterpret_cast<GetHeaderEntry>(
      reinterpret_cast<void*>(GetProcAddress(library, "winampVisGetHeader")));
  if (getHeader == nullptr) {
    *error = path + " exports no winampVisGetHeader";
    return false;
  }
  header = getHeader();
  if (header == nullptr || header->getModule == nullptr) {
    *error = path + " returned no usable header";
    return false;
  }
  module = header->getModule(moduleIndex);
  if (module == nullptr) {
    *error = path + " has no module " + std::to_string(moduleIndex);
    return false;
  }
  return true;
}

static std::string Hex(unsigned value) {
  char text[16];
  std::snprintf(text, sizeof text, "0x%x", value);
  return text;
}

static int NonZeroBytes(const void* data, size_t size) {
  int count = 0;
  for (size_t i = 0; i < size; i++) count += static_cast<const unsigned char*>(data)[i] != 0;
  return count;
}

std::string DescribeHeader(const winampVisHeader& header) {
  return "header version=" + Hex(static_cast<unsigned>(header.version)) +
         " description=" + Quoted(header.description ? header.description : "");
}

std::string DescribeModule(int index, const winampVisModule& m) {
  auto field = [](const char* name, long value) { return std::string(" ") + name + "=" + std::to_string(value); };
  return "module " + std::to_string(index) +
         " description=" + Quoted(m.description ? m.description : "") +
         field("hwndParent", reinterpret_cast<long>(m.hwndParent)) +
         field("hDllInstance", reinterpret_cast<long>(m.hDllInstance)) +
         field("sRate", m.sRate) + field("nCh", m.nCh) +
         field("latencyMs", m.latencyMs) + field("delayMs", m.delayMs) +
         field("spectrumNch", m.spectrumNch) + field("waveformNch", m.waveformNch) +
         field("spectrumNonZero", NonZeroBytes(m.spectrumData, sizeof m.spectrumData)) +
         field("waveformNonZero", NonZeroBytes(m.waveformData, sizeof m.waveformData)) +
         field("userData", reinterpret_cast<long>(m.userData)) +
         " entries=" + (m.Config && m.Init && m.Render && m.Quit ? "all" : "missing");
}

std::string DefaultPluginPath() {
  char path[MAX_PATH];
  const DWORD length = GetModuleFileNameA(nullptr, path, MAX_PATH);
  std::string folder(path, length);
  const size_t slash = folder.find_last_of("\\/");
  folder = slash == std::string::npos ? "" : folder.substr(0, slash + 1);
  return folder + "vis_zorva.dll";
}
