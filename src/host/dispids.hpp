#pragma once

#include <cstdint>
#include <string_view>

#include "automation/object.hpp"

// Every member of the host's objects that the component reaches, by dispatch id, and the
// programmatic identifiers of the host classes it creates. The component spells these numbers
// nowhere else; the reference host serves the same ids.
namespace host {

namespace dispid {
using automation::DispId;

namespace application {
inline constexpr DispId kUndoDepth = 25;        // get, put: 16-bit integer
inline constexpr DispId kStatusText = 32;       // put: string
inline constexpr DispId kMainWindow = 35;       // get: 32-bit window handle
inline constexpr DispId kActiveDocument = 38;   // get: the document
inline constexpr DispId kGraphicFactory = 80;   // get: the temporary-graphics factory
inline constexpr DispId kOverlay = 82;          // get: the temporary-graphics overlay
inline constexpr DispId kRegisteredName = 104;  // get: the name under the host's registry key
}  // namespace application

namespace document {
inline constexpr DispId kActiveSheet = 4;      // get: the active sheet
inline constexpr DispId kFormatDistance = 45;  // call (unit type, distance by reference)
inline constexpr DispId kParseDistance = 46;   // call (unit type, text)
// The unit type passed first to format and parse: a length.
inline constexpr std::int32_t kLengthUnitType = 1;
}  // namespace document

namespace sheet {
inline constexpr DispId kSetup = 30;  // get: the sheet's setup
}  // namespace sheet

namespace sheet_setup {
inline constexpr DispId kPaperUnit = 4;           // get: 0 inch, 1 mm, 2 cm
inline constexpr DispId kScaleMode = 7;           // get, put: -1 full, 0 custom, n standard
inline constexpr DispId kHeight = 8;              // get, put: double
inline constexpr DispId kSizeIndex = 9;           // get, put: -2 custom, -1 printer, n standard
inline constexpr DispId kWidth = 10;              // get, put: double
inline constexpr DispId kScaleFactor = 14;        // get: paper / model
inline constexpr DispId kSetCustomScale = 15;     // call (paper, model)
inline constexpr DispId kGetScaleDistances = 16;  // call (paper&, model&)
inline constexpr DispId kGetOrigin = 17;          // call (x&, y&)
inline constexpr DispId kSetOrigin = 18;          // call (x, y)
}  // namespace sheet_setup

namespace overlay {
inline constexpr DispId kClear = 2;  // call
inline constexpr DispId kShow = 3;   // call
inline constexpr DispId kAdd = 4;    // call (graphic, colour, 0, flag)
}  // namespace overlay

namespace graphic_factory {
inline constexpr DispId kNewGraphic = 5;  // get: a new graphic
}  // namespace graphic_factory

namespace graphic {
inline constexpr DispId kRectangle = 15;  // call (x, y, width, height, 0)
inline constexpr DispId kMoveBy = 18;     // call (from x, from y, to x, to y)
}  // namespace graphic

namespace command_control {
inline constexpr std::string_view kCommandName = "Command";  // put by name: the command object
inline constexpr DispId kCommand = 2;                        // the id the control gives "Command"
inline constexpr DispId kContext = 1;                        // get: holder of "zulapplication"
inline constexpr DispId kDone = 3;                           // put: Boolean, true ends the command
}  // namespace command_control

namespace command_context {
inline constexpr std::string_view kApplicationName = "zulapplication";  // get by name
inline constexpr DispId kApplication = 1;  // the id the context gives "zulapplication"
}  // namespace command_context

namespace mouse_control {
inline constexpr DispId kStartUp = 63;  // call (false), once at start-up
}  // namespace mouse_control

namespace host_global {
inline constexpr DispId kRunningApplication = 1;  // get: the application, or Empty
}  // namespace host_global

namespace resource_locator {
inline constexpr DispId kFolder = 1;    // put: the component's folder
inline constexpr DispId kPrefix = 2;    // put: the file-name prefix
inline constexpr DispId kFileName = 3;  // get: the satellite library's full path
}  // namespace resource_locator

namespace error_reporter {
inline constexpr DispId kReportError = 1;  // call with nine arguments
}  // namespace error_reporter

}  // namespace dispid

namespace progid {
inline constexpr std::string_view kHostGlobal = "Kestrova.HostGlobal";
inline constexpr std::string_view kResourceLocator = "Kestrova.ResourceLocator";
inline constexpr std::string_view kErrorReporter = "Kestrova.ErrorReporter";
inline constexpr std::string_view kCommandControl = "K2DComndLib.ksCommand";
inline constexpr std::string_view kMouseControl = "K2DMseLib.ksMouse";
}  // namespace progid

}  // namespace host
