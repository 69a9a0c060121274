// The host API as the plug-in sees it.
#ifndef C4D_H
#define C4D_H

#include "c4d_types.h"
#include "c4d_debug.h"
#include "c4d_string.h"
#include "c4d_dynamicarray.h"
#include "c4d_time.h"
#include "c4d_vector.h"
#include "c4d_container.h"
#include "c4d_baselist.h"
#include "c4d_basedocument.h"
#include "c4d_canimation.h"
#include "c4d_general.h"
#include "c4d_bitmap.h"
#include "c4d_thread.h"
#include "c4d_events.h"
#include "c4d_gui.h"
#include "c4d_customgui.h"
#include "c4d_plugin.h"

#endif
