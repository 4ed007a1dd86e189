#pragma once

#include <string>

namespace windows {

// A session's help file for the host registered as `registeredName`: the default value of the
// host's help key under HKEY_LOCAL_MACHINE, which the command reads when the user asks for help.
// Taken out again when the setting goes: the key itself when the setting made it, else its value.
class HelpFileSetting {
 public:
  // Throws session::WorldUnavailable when the key cannot be written.
  HelpFileSetting(const std::string& registeredName, const std::string& file);
  ~HelpFileSetting();
  HelpFileSetting(const HelpFileSetting&) = delete;
  HelpFileSetting& operator=(const HelpFileSetting&) = delete;

 private:
  std::wstring key_;
  bool created_ = false;
};

}  // namespace windows
