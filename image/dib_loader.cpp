#include "image/image.h"

bool errorPopups = true;

RgbImage* loadDibImage(const char*) { return nullptr; }
RgbImage* loadDibImageWide(const char16_t*) { return nullptr; }
uint16_t dibColorCount(const unsigned char*) { return 0; }
