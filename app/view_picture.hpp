#pragma once

#include <filesystem>
#include <string>

#include "reference_host.hpp"

namespace session {

// The host's view as an SVG picture: the document's drawing, the sheet border where the sheet
// setup puts it on the model, the overlay's temporary graphics in their colours, the model
// origin, a scale bar, and the sheet's size and scale (and `title`, when given) in the upper
// left corner. The picture's user units are model metres with y turned to point down, so model
// point (x, y) is drawn at (x, -y).
std::string viewSvg(const refhost::ReferenceHost& host, const std::string& title = {});

// Where the picture of snapshot `name` goes: `out` itself for the final picture (empty name),
// else `out` with "-NAME" before its extension (characters other than letters, digits, '-' and
// '_' in the name become '_').
std::filesystem::path snapshotPath(const std::filesystem::path& out, const std::string& name);

// Renders an SVG file to PNG with rsvg-convert. Returns an empty string on success, else why
// it failed.
std::string renderPng(const std::filesystem::path& svg, const std::filesystem::path& png);

}  // namespace session
