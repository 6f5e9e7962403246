#include "sys/clipboard.h"

namespace zorva::sys {
namespace {

// There is no desktop clipboard here: the text stays within the process.
bool holdsText = false;
std::string heldText;

}  // namespace

bool WriteClipboardText(void*, const std::string& text) {
  heldText = text;
  holdsText = true;
  return true;
}

bool ReadClipboardText(void*, std::string* text) {
  if (!holdsText) return false;
  *text = TextWithin(heldText.data(), heldText.size());
  return true;
}

}  // namespace zorva::sys
