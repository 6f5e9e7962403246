#include "sys/message_strings.h"

#include <cstring>

#include "resources/messages.h"

namespace zorva::sys {
namespace {

struct MessageString {
  int id;
  const char* text;
};

#define ZORVA_MESSAGE_ROW(id, name, text) {id, text},
constexpr MessageString kMessageStrings[] = {ZORVA_MESSAGE_LIST(ZORVA_MESSAGE_ROW)};
#undef ZORVA_MESSAGE_ROW

const char* FindText(int id) {
  for (const MessageString& row : kMessageStrings) {
    if (row.id == id) return row.text;
  }
  return "";
}

}  // namespace

int LoadMessageString(int id, char* buffer, int size) {
  if (size <= 0) return 0;
  const char* text = FindText(id);
  size_t length = std::strlen(text);
  if (length > static_cast<size_t>(size - 1)) length = size - 1;
  std::memcpy(buffer, text, length);
  buffer[length] = '\0';
  return static_cast<int>(length);
}

}  // namespace zorva::sys
