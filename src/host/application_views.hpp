#pragma once

#include <cstdint>
#include <string>

#include "host/graphic_views.hpp"
#include "host/host_view.hpp"
#include "host/sheet_views.hpp"

namespace host {

// The active document: lengths to and from text in its length format.
class HostDocument : public HostView {
 public:
  using HostView::HostView;

  HostSheet activeSheet() const;
  // The distance (metres) as the document writes it, e.g. "297 mm". The distance is passed by
  // reference, after the length unit type 1.
  std::string formatDistance(double distance) const;
  // The length `text` stands for, in metres. Fails when the text is not a length.
  double parseDistance(const std::string& text) const;
};

// The host application.
class HostApplication : public HostView {
 public:
  using HostView::HostView;

  std::int16_t undoDepth() const;
  void setUndoDepth(std::int16_t depth) const;
  void setStatusText(const std::string& text) const;
  std::int32_t mainWindow() const;
  std::string registeredName() const;
  HostDocument activeDocument() const;
  HostGraphicFactory graphicFactory() const;
  HostOverlay overlay() const;
};

}  // namespace host
