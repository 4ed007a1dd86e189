#pragma once

namespace host {
class CommandControl;
}
namespace command {
class Component;

// Obtains the host objects from the command control, in order: application, document, sheet,
// sheet setup, overlay, graphic factory. True when all were obtained; on a failure reports it
// and returns false, keeping the objects already obtained.
bool InitHostObjects(Component& c, const host::CommandControl& commandControl);

// Releases the host objects in reverse order of acquisition and clears the two prompts. Every
// step ignores its own failure; nothing is reported.
void ReleaseHostObjects(Component& c);

}  // namespace command
