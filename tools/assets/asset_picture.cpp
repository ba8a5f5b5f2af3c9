// Pictures of the asset generator.
#include "tools/assets/asset_pictures.h"

Picture blankPicture(int width, int height, int components) {
    const std::size_t samples = static_cast<std::size_t>(width) * height * components;
    return {width, height, components, std::vector<unsigned char>(samples)};
}
