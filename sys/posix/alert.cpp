#include "sys/alert.h"

#include <cstdio>

namespace zorva::sys {

void ShowAlert(const char* text) { std::fprintf(stderr, "Zorva: %s\n", text); }

void SetAlertOwner(void*) {}

}  // namespace zorva::sys
