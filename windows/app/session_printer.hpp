#pragma once

#include <windows.h>

#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

#include "world_settings.hpp"

namespace windows {

// Why the real system cannot give a session the printer it describes; `aboutCaps` when it is
// the `printer-caps` statement that cannot hold.
struct PrinterRefusal : std::runtime_error {
  PrinterRefusal(const std::string& reason, bool caps)
      : std::runtime_error(reason), aboutCaps(caps) {}
  bool aboutCaps;
};

// The default printer as a session describes it, for the object's life, and as it was after.
// Without a printer the prefix's default printer is hidden (the user's default entry removed).
// With one, the installed default printer gets the paper, as its default page, and the
// orientation, in the user's default document settings; what it reports is checked, and so
// are capabilities the session gives. Set up before anything in the process reads the printer:
// its driver keeps what it first read for the process's life.
class SessionPrinter {
 public:
  // Throws PrinterRefusal (with everything restored) when the printer cannot be as described.
  explicit SessionPrinter(const std::optional<::session::PrinterDescription>& printer);
  SessionPrinter(const SessionPrinter&) = delete;
  SessionPrinter& operator=(const SessionPrinter&) = delete;

 private:
  // The user's default-printer entry, removed while the object lives.
  class HiddenDefault {
   public:
    explicit HiddenDefault(std::wstring entry);
    ~HiddenDefault();
    HiddenDefault(const HiddenDefault&) = delete;
    HiddenDefault& operator=(const HiddenDefault&) = delete;

   private:
    std::wstring entry_;
  };
  // A printer's default page and the user's default document settings, put back when it goes.
  class SavedDefaults {
   public:
    explicit SavedDefaults(const std::wstring& printer);
    ~SavedDefaults();
    SavedDefaults(const SavedDefaults&) = delete;
    SavedDefaults& operator=(const SavedDefaults&) = delete;

    // Sets the default page `pageName` and the orientation; false when the printer refused.
    bool set(const char* pageName, std::int16_t paper, std::int16_t orientation);

   private:
    std::wstring printer_;
    std::optional<std::string> pageOverride_;
    std::vector<BYTE> devMode_;  // empty when the user had none
    bool read_ = false;          // what there was could be read, so it can be put back
  };

  std::optional<HiddenDefault> hidden_;
  std::optional<SavedDefaults> saved_;
};

}  // namespace windows
