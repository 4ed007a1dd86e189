#pragma once

#include <filesystem>
#include <string>

#include "reference_host.hpp"

namespace session {

// The host's view as an SVG picture: the document's drawing, the sheet border where the sheet
// setup puts it on the model, the overlay's temporary graphics in their colours (one of
// negative width or height crossed out), the cursor while a command takes the view's mouse,
// the model origin, a scale bar, and the sheet's size and scale (and `title`, when given) in
// the upper left corner. The view shows the display sheet (or, without one, the sheet border)
// with the drawing, or with room around it alone where it would be small beside the drawing.
// The picture's user unit is the power of ten of model metres that the root's
// `data-metres-per-unit` gives, with y turned to point down: model point (x, y) is drawn at
// (x / u, -y / u). Overlay graphics and the cursor carry their model geometry, in metres, as
// `data-x`, `data-y` (and `data-width`, `data-height`).
std::string viewSvg(const refhost::ReferenceHost& host, const std::string& title = {});

// Where the picture of snapshot `name` goes: `out` itself for the final picture (empty name),
// else `out` with "-NAME" before its extension (characters other than letters, digits, '-' and
// '_' in the name become '_').
std::filesystem::path snapshotPath(const std::filesystem::path& out, const std::string& name);

// Renders an SVG file to PNG with rsvg-convert. Returns an empty string on success, else why
// it failed.
std::string renderPng(const std::filesystem::path& svg, const std::filesystem::path& png);

}  // namespace session
