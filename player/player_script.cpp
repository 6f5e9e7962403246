#include "player/player_script.h"

#include <algorithm>
#include <cctype>
#include <climits>
#include <cstdlib>
#include <sstream>
#include <utility>

namespace {

struct NamedKey {
  const char* name;
  int code;
};

// Virtual-key codes of the keys a script may name.
const NamedKey kNamedKeys[] = {
    {"space", 0x20}, {"enter", 0x0D}, {"return", 0x0D}, {"back", 0x08}, {"backspace", 0x08},
    {"tab", 0x09},   {"escape", 0x1B}, {"left", 0x25},  {"up", 0x26},   {"right", 0x27},
    {"down", 0x28},  {"insert", 0x2D}, {"delete", 0x2E}, {"home", 0x24}, {"end", 0x23},
    {"pageup", 0x21}, {"pagedown", 0x22}, {"f1", 0x70}, {"f2", 0x71}, {"f3", 0x72},
    {"f4", 0x73},    {"f5", 0x74},    {"f6", 0x75},    {"f7", 0x76},   {"f8", 0x77},
    {"f9", 0x78},    {"f10", 0x79},   {"f11", 0x7A},   {"f12", 0x7B},
};

std::string Lower(std::string text) {
  std::transform(text.begin(), text.end(), text.begin(), [](unsigned char c) { return std::tolower(c); });
  return text;
}

std::string RestOfLine(std::istringstream& words) {
  std::string rest;
  std::getline(words, rest);
  const size_t start = rest.find_first_not_of(" \t");
  return start == std::string::npos ? "" : rest.substr(start);
}

std::string Unescaped(const std::string& text) {
  std::string out;
  for (size_t i = 0; i < text.size(); i++) {
    if (text[i] == '\\' && i + 1 < text.size() && (text[i + 1] == 'n' || text[i + 1] == '\\')) {
      out += text[++i] == 'n' ? '\n' : '\\';
    } else {
      out += text[i];
    }
  }
  return out;
}

bool ParseKeyEvent(std::istringstream& words, ScriptEvent* event, std::string* why) {
  std::string name, modifier;
  words >> name >> modifier;
  event->key = VirtualKeyFromName(name);
  if (event->key == 0) *why = "unknown key '" + name + "'";
  else if (!modifier.empty() && modifier != "ctrl") *why = "only 'ctrl' may follow a key";
  event->ctrl = modifier == "ctrl";
  return why->empty();
}

bool ParseClickEvent(std::istringstream& words, ScriptEvent* event, std::string* why) {
  words >> event->button;
  if (event->button != "left" && event->button != "right" && event->button != "double") {
    *why = "click needs left, right or double";
    return false;
  }
  if (words >> event->x && !(words >> event->y)) *why = "click needs both X and Y";
  return why->empty();
}

// A whole word that is a decimal number within [low, high].
bool ParseInteger(const std::string& word, long long low, long long high, int* value) {
  char* end = nullptr;
  const long long number = std::strtoll(word.c_str(), &end, 10);
  *value = static_cast<int>(number);
  return !word.empty() && *end == '\0' && number >= low && number <= high;
}

// After the button: "131=4" moves the trackbar with control id 131 to
// position 4, "shot=a.bmp" saves the dialog once the trackbars have moved.
bool ParseConfigEvent(std::istringstream& words, ScriptEvent* event, std::string* why) {
  words >> event->button;
  if (event->button != "ok" && event->button != "cancel") {
    *why = "config needs ok or cancel";
    return false;
  }
  for (std::string word; words >> word;) {
    const size_t equals = word.find('=');
    const std::string name = word.substr(0, equals);
    const std::string value = equals == std::string::npos ? "" : word.substr(equals + 1);
    if (name == "shot" && !value.empty() && event->text.empty()) {
      event->text = value;
      continue;
    }
    SliderMove move;
    if (!ParseInteger(name, 0, 0xFFFF, &move.id) || !ParseInteger(value, INT_MIN, INT_MAX, &move.position)) {
      *why = "config takes ID=POS and one shot=FILE after ok or cancel, not '" + word + "'";
      return false;
    }
    event->sliders.push_back(move);
  }
  return true;
}

// A frame number, or seconds with an "s" ("20s", "2.5s").
bool ParseWhen(const std::string& word, ScriptEvent* event) {
  char* end = nullptr;
  if (word.empty() || !std::isdigit(static_cast<unsigned char>(word[0]))) return false;
  if (word.back() != 's') {
    const long frame = std::strtol(word.c_str(), &end, 10);
    event->frame = static_cast<int>(frame);
    return *end == '\0' && frame <= INT_MAX;
  }
  const double seconds = std::strtod(word.c_str(), &end);
  event->milliseconds = static_cast<int>(seconds * 1000 + 0.5);
  return end == word.c_str() + word.size() - 1 && seconds <= INT_MAX / 1000;
}

bool ParseEvent(const std::string& line, ScriptEvent* event, std::string* why) {
  std::istringstream words(line);
  std::string when, action;
  words >> when;
  if (!ParseWhen(when, event)) {
    *why = "a line starts with a frame number or a time in seconds";
    return false;
  }
  words >> action;
  if (action == "key" || action == "keydown" || action == "keyup") {
    event->action = action == "key" ? ScriptAction::Key
                    : action == "keydown" ? ScriptAction::KeyDown : ScriptAction::KeyUp;
    return ParseKeyEvent(words, event, why);
  }
  if (action == "click") {
    event->action = ScriptAction::Click;
    return ParseClickEvent(words, event, why);
  }
  if (action == "clipboard") {
    event->action = ScriptAction::Clipboard;
    event->text = Unescaped(RestOfLine(words));
    return true;
  }
  if (action == "screenshot") {
    event->action = ScriptAction::Screenshot;
    event->text = RestOfLine(words);
    if (event->text.empty()) *why = "screenshot needs a file name";
    return why->empty();
  }
  if (action == "config") {
    event->action = ScriptAction::Config;
    return ParseConfigEvent(words, event, why);
  }
  if (action == "type") {
    event->action = ScriptAction::Type;
    event->text = Unescaped(RestOfLine(words));
    if (event->text.empty()) *why = "type needs a text";
    return why->empty();
  }
  if (action == "focus") {
    event->action = ScriptAction::Focus;
    words >> event->target;
    if (event->target != "input" && event->target != "main") *why = "focus needs input or main";
    return why->empty();
  }
  if (action == "edittext" || action == "resources") {
    event->action = action == "edittext" ? ScriptAction::EditText : ScriptAction::Resources;
    return true;
  }
  if (action == "quit") {
    event->action = ScriptAction::Quit;
    return true;
  }
  *why = "unknown action '" + action + "'";
  return false;
}

}  // namespace

int VirtualKeyFromName(const std::string& name) {
  const std::string lower = Lower(name);
  for (const NamedKey& key : kNamedKeys) {
    if (lower == key.name) return key.code;
  }
  if (lower.size() == 1 && std::isalnum(static_cast<unsigned char>(lower[0]))) {
    return std::toupper(static_cast<unsigned char>(lower[0]));
  }
  char* end = nullptr;
  const long code = std::strtol(lower.c_str(), &end, 0);
  return (!lower.empty() && *end == '\0' && code > 0 && code < 256) ? static_cast<int>(code) : 0;
}

bool ParseScript(const std::string& source, std::vector<ScriptEvent>* events, std::string* error) {
  std::istringstream lines(source);
  std::string line;
  for (int number = 1; std::getline(lines, line); number++) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    const size_t start = line.find_first_not_of(" \t");
    if (start == std::string::npos || line[start] == '#') continue;
    ScriptEvent event;
    std::string why;
    if (!ParseEvent(line, &event, &why)) {
      *error = "script line " + std::to_string(number) + ": " + why;
      return false;
    }
    events->push_back(event);
  }
  std::stable_sort(events->begin(), events->end(), [](const ScriptEvent& a, const ScriptEvent& b) {
    return std::make_pair(a.milliseconds >= 0, a.milliseconds >= 0 ? a.milliseconds : a.frame) <
           std::make_pair(b.milliseconds >= 0, b.milliseconds >= 0 ? b.milliseconds : b.frame);
  });
  return true;
}
