#ifndef ZORVA_PLAYER_PLAYER_SCRIPT_H
#define ZORVA_PLAYER_PLAYER_SCRIPT_H

#include <string>
#include <vector>

// A timed event of a --script file. One event a line, "WHEN ACTION ARGS";
// blank lines and lines starting with # are skipped. WHEN is a frame number,
// or a time in seconds ("2.5s"):
//   10 key space [ctrl]        key down and up (also keydown / keyup)
//   20 click left|right|double [X Y]   in the plug-in's window (default: centre)
//   25 clipboard TEXT          the rest of the line; "\n" stands for a line break
//   30 screenshot FILE.bmp     the plug-in's window client area
//   40 config ok|cancel [ID=POS ...] [shot=FILE.bmp]
//                              open the plug-in's configuration, move its
//                              trackbars, save the dialog and press a button
//   45 type TEXT               the keys of each character to the focused window,
//                              escaped as clipboard's
//   46 focus input|main        the input window's edit box or the plug-in's window
//   47 edittext                log the input window's edit text
//   50 quit
// An event at frame N happens after N frames have been rendered; an event at
// a time, once that much time has passed since the run began: real time, or
// with --frames the sound's time (frame * 1000 / fps).
enum class ScriptAction { KeyDown, KeyUp, Key, Click, Clipboard, Screenshot, Config, Type, Focus, EditText, Resources, Quit };

// A trackbar of the configuration dialog, by control id, and where it goes.
struct SliderMove {
  int id = 0;
  int position = 0;
};

struct ScriptEvent {
  int frame = 0;          // when milliseconds is -1
  int milliseconds = -1;  // a timed event: when it is due
  ScriptAction action = ScriptAction::Quit;
  int key = 0;         // virtual-key code
  bool ctrl = false;
  std::string button;  // click: left, right, double; config: ok, cancel
  int x = -1;          // click position; -1: the client area's centre
  int y = -1;
  std::string text;    // clipboard or typed text, screenshot file, config's shot= file
  std::string target;  // focus: input or main
  std::vector<SliderMove> sliders;  // config: in the script's order
};

// The events at frames sorted by frame, then the timed ones sorted by time;
// file order kept among equals. False with a message naming the line for
// anything it does not understand.
bool ParseScript(const std::string& source, std::vector<ScriptEvent>* events, std::string* error);

// "space", "enter", "back", "left", ..., a letter or digit, or a number.
// Returns 0 for a name it does not know.
int VirtualKeyFromName(const std::string& name);

#endif
