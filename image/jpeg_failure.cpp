// The end of the viewer after a JPEG file it cannot decode: start-up cannot
// go on without its textures.
#include <cstdlib>

#include "image/image.h"

void endAfterUndecodableJpeg() {
    std::exit(EXIT_FAILURE);
}
