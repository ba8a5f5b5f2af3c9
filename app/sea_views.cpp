// The views of the fixed sea that the reference pictures and the figures
// show.
#include "app/app_state.h"

// The start view; the same unshaded, the reflection-mapped water of the
// space key; and a view turned toward the light and looking down, where the
// sun's glint and the bottom through the water fill the picture.
const SeaView seaViews[seaViewCount] = {
    {"start", 40.0f, 0.0f, toggleOn},
    {"start-unshaded", 40.0f, 0.0f, -toggleOn},
    {"glint", 250.0f, 30.0f, toggleOn},
};
