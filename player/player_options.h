#ifndef ZORVA_PLAYER_PLAYER_OPTIONS_H
#define ZORVA_PLAYER_PLAYER_OPTIONS_H

#include <string>

struct PlayerOptions {
  std::string plugin;  // empty: vis_zorva.dll beside the player
  int module = 0;
  bool config = false;
  std::string wav;
  std::string audio = "music";
  int frames = -1;  // -1: real time until the plug-in's window closes
  int fps = 60;
  std::string script;
  std::string log;
  bool bench = false;  // time every Render after the script's last event
  bool renderThread = false;  // call Render from a second thread
};

// False with a message in *error for anything it does not understand.
bool ParsePlayerOptions(int argc, char** argv, PlayerOptions* options, std::string* error);

extern const char* const kPlayerUsage;

#endif
