// The clipboard's plain text: the current expression goes out with Ctrl+C and
// comes in with Ctrl+V.
#pragma once

#include <cstddef>
#include <string>

namespace zorva::sys {

// Replaces the clipboard's content with `text`. `owner` is the window that
// opens the clipboard. False when the clipboard can't be opened or the memory
// can't be had; in the latter case the clipboard is left empty.
bool WriteClipboardText(void* owner, const std::string& text);

// The clipboard's plain text into `text`. Another program may have put a
// block there without a terminating NUL, so the text ends at the first NUL or
// at the block's end, whichever comes first. False when there is no text.
bool ReadClipboardText(void* owner, std::string* text);

// The text of a clipboard block of `size` bytes: up to its first NUL or to
// its end.
std::string TextWithin(const char* block, size_t size);

}  // namespace zorva::sys
