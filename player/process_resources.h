// The counts a long run watches for leaks: GDI and USER objects and the
// process's private bytes.
#pragma once

#include <string>

// "resources gdi=N gdilive=N user=N private=N pagefile=N workingset=N committed=N"
std::string ResourceLine();
