#pragma once

#include <windows.h>

#include "view_scene.hpp"
#include "view_transform.hpp"

namespace windows::desktop {

// Draws the host's view into `dc`, a client area of `width` × `height` pixels, as `view` shows
// the model: the same scene, strokes and colours as the SVG picture.
void paintScene(HDC dc, int width, int height, const session::ViewScene& scene,
                const session::ViewTransform& view);

}  // namespace windows::desktop
