/* The ids of the module's resources besides its messages, shared by
   zorva.rc and the code that loads them. Plain macros, for windres. */
#ifndef ZORVA_RESOURCES_RESOURCE_IDS_H
#define ZORVA_RESOURCES_RESOURCE_IDS_H

#define ZORVA_CONFIG_DIALOG 115
#define ZORVA_MUTATE_SLIDER 131
#define ZORVA_RESTART_SLIDER 136
#define ZORVA_ICON 3100

#endif
