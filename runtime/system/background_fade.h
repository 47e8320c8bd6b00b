// system: the timed background fade.
#pragma once

#include "runtime/core/rt_string.h"

// Cross-fades from the current screen to the picture over ms milliseconds of
// frames, then makes it the background every frame draws. Error code 3 when
// the path does not resolve (nothing drawn, the old background kept).
void loadBackgroundFaded(const RtString& path, int ms);
