// Loads a message text of the module's string table by id.
#pragma once

namespace zorva::sys {

// Copies the text of message `id` into `buffer` (at most size - 1 characters
// and a NUL) and returns its length; an unknown id gives 0 and an empty text.
int LoadMessageString(int id, char* buffer, int size);

}  // namespace zorva::sys
