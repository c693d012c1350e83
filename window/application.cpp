#include "window/application.h"

#include <algorithm>

namespace velkora {

Origin centredOrigin(int width, int height, int areaLeft, int areaTop, int areaWidth, int areaHeight)
{
    return { std::max(areaLeft, areaLeft + (areaWidth - width) / 2),
        std::max(areaTop, areaTop + (areaHeight - height) / 2) };
}

} // namespace velkora
