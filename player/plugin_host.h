#ifndef ZORVA_PLAYER_PLUGIN_HOST_H
#define ZORVA_PLAYER_PLUGIN_HOST_H

#include <windows.h>

#include <string>

#include "host/vis_module.h"

// A loaded visualization plug-in: the library, its header and the chosen
// module record. Unloads the library when it goes.
class PluginHost {
 public:
  HMODULE library = nullptr;
  const winampVisHeader* header = nullptr;
  winampVisModule* module = nullptr;

  PluginHost() = default;
  PluginHost(const PluginHost&) = delete;
  PluginHost& operator=(const PluginHost&) = delete;
  ~PluginHost();

  // False with a message in *error when the library, its header or the
  // module cannot be had.
  bool Load(const std::string& path, int moduleIndex, std::string* error);
};

// The header and the module record's own fields, as log lines.
std::string DescribeHeader(const winampVisHeader& header);
std::string DescribeModule(int index, const winampVisModule& module);

// vis_zorva.dll in the player's own folder.
std::string DefaultPluginPath();

#endif
