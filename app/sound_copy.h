#ifndef ZORVA_APP_SOUND_COPY_H
#define ZORVA_APP_SOUND_COPY_H

#include "host/vis_module.h"

// Copies the player's sound data of this frame into the sound frame.
void CopySoundFrame(const winampVisModule& record);

#endif
