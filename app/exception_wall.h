#ifndef ZORVA_APP_EXCEPTION_WALL_H
#define ZORVA_APP_EXCEPTION_WALL_H

#include "app/app_requests.h"

// The plug-in runs inside the player's process, where an exception that
// leaves it ends the player. Each entry, window procedure and dialog
// procedure runs its body through this wall, which ends any exception and
// answers `onFailure` instead.
template <typename Body, typename Result>
Result CatchAtEdge(Body body, Result onFailure) {
  try {
    return body();
  } catch (...) {
    AppAbandonCurrent();
    return onFailure;
  }
}

#endif
