// The count behind standin::GetListStepCount: elements a list walk stepped over to find where an
// element goes.
#ifndef HOST_LISTSTEPS_H
#define HOST_LISTSTEPS_H

#include "c4d_types.h"

void CountListSteps(LLONG steps);

#endif
