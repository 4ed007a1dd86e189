#pragma once

#include <windows.h>

#include "view_scene.hpp"
#include "view_transform.hpp"
#include "windows/desktop/dpi_scale.hpp"

namespace windows::desktop {

// Draws the host's view into `dc`, a client area of `width` × `height` pixels, as `view` shows
// the model: the same scene, strokes and colours as the SVG picture. Strokes, dashes, marks and
// the texts in window pixels are the picture's at 96 DPI, grown to `dpi`; the model's texts
// keep the model's size.
void paintScene(HDC dc, int width, int height, const session::ViewScene& scene,
                const session::ViewTransform& view, const DpiScale& dpi);

}  // namespace windows::desktop
