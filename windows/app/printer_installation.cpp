#include "windows/app/printer_installation.hpp"

#include <windows.h>

#include <winspool.h>

#include <algorithm>
#include <fstream>
#include <vector>

#include "windows/handles/printer.hpp"

namespace windows {
namespace {

constexpr int kBorderPoints = 18;  // a quarter inch

// A4 is the description's default page, as a freshly installed printer reports it.
constexpr PrinterPaper kPapers[] = {
    {9, "A4", 595, 842},
    {1, "Letter", 612, 792},
    {8, "A3", 842, 1191},
    {19, "Env9", 279, 639},
};

std::string printerDescription() {
  std::string text =
      "*PPD-Adobe: \"4.3\"\n*FormatVersion: \"4.3\"\n*LanguageLevel: \"2\"\n"
      "*ColorDevice: False\n*Manufacturer: \"Test\"\n*ModelName: \"Test PostScript\"\n"
      "*NickName: \"Test PostScript\"\n*ShortNickName: \"Test PostScript\"\n"
      "*DefaultResolution: 300dpi\n*OpenUI *PageSize: PickOne\n";
  const std::string first = kPapers[0].name;
  text += "*DefaultPageSize: " + first + "\n";
  auto dimensions = [](const PrinterPaper& p) {
    return std::to_string(p.widthPoints) + " " + std::to_string(p.heightPoints);
  };
  for (const PrinterPaper& p : kPapers) {
    text += std::string("*PageSize ") + p.name + "/" + p.name + ": \"<</PageSize[" + dimensions(p) +
            "]>>setpagedevice\"\n";
  }
  text += "*CloseUI: *PageSize\n*DefaultImageableArea: " + first + "\n";
  for (const PrinterPaper& p : kPapers) {
    text += std::string("*ImageableArea ") + p.name + "/" + p.name + ": \"" +
            std::to_string(kBorderPoints) + " " + std::to_string(kBorderPoints) + " " +
            std::to_string(p.widthPoints - kBorderPoints) + " " +
            std::to_string(p.heightPoints - kBorderPoints) + "\"\n";
  }
  text += "*DefaultPaperDimension: " + first + "\n";
  for (const PrinterPaper& p : kPapers) {
    text +=
        std::string("*PaperDimension ") + p.name + "/" + p.name + ": \"" + dimensions(p) + "\"\n";
  }
  return text;
}

std::string lastError(const std::string& what) {
  return what + " failed (error " + std::to_string(GetLastError()) + ")";
}

bool writeFile(const std::string& path, const std::string& text) {
  std::ofstream file(path, std::ios::binary | std::ios::trunc);
  file << text;
  return static_cast<bool>(file.flush());
}

// The description file the installed printer's driver reads, empty when there is none.
std::string installedDescriptionFile(HANDLE printer) {
  DWORD needed = 0;
  GetPrinterDriverA(printer, nullptr, 2, nullptr, 0, &needed);
  if (needed == 0) return {};
  std::vector<BYTE> buffer(needed);
  if (!GetPrinterDriverA(printer, nullptr, 2, buffer.data(), needed, &needed)) return {};
  const auto* info = reinterpret_cast<const DRIVER_INFO_2A*>(buffer.data());
  return info->pDataFile != nullptr ? info->pDataFile : "";
}

// Installs the printer's driver for this process's environment (32-bit or 64-bit Windows) with
// its own copy of the description.
std::string addDriver(const std::string& description) {
  char folder[MAX_PATH] = {};
  DWORD size = 0;
  if (!GetPrinterDriverDirectoryA(nullptr, nullptr, 1, reinterpret_cast<BYTE*>(folder),
                                  sizeof folder, &size)) {
    return lastError("GetPrinterDriverDirectoryA");
  }
  const std::string file = std::string(folder) + "\\quadrift_test.ppd";
  if (!writeFile(file, description)) return "cannot write " + file;
  char driverName[] = "Wine PostScript Driver", driverFile[] = "wineps.drv";
  DRIVER_INFO_3A driver{};
  driver.cVersion = 3;
  driver.pName = driverName;
  driver.pDriverPath = driverFile;
  driver.pConfigFile = driverFile;
  driver.pDataFile = const_cast<char*>(file.c_str());
  if (!AddPrinterDriverA(nullptr, 3, reinterpret_cast<BYTE*>(&driver))) {
    return lastError("AddPrinterDriverA");
  }
  return {};
}

std::string addPrinter(const std::string& description) {
  if (std::string failure = addDriver(description); !failure.empty()) return failure;
  char driverName[] = "Wine PostScript Driver";
  std::string name = kInstalledPrinterName;
  char port[] = "FILE:", processor[] = "WinPrint", datatype[] = "RAW";
  PRINTER_INFO_2A info{};
  info.pPrinterName = name.data();
  info.pPortName = port;
  info.pDriverName = driverName;
  info.pPrintProcessor = processor;
  info.pDatatype = datatype;
  const UniquePrinter printer(AddPrinterA(nullptr, 2, reinterpret_cast<BYTE*>(&info)));
  if (!printer) return lastError("AddPrinterA");
  return {};
}

}  // namespace

std::span<const PrinterPaper> installedPrinterPapers() {
  return kPapers;
}

std::optional<PrinterPaper> installedPrinterPaper(std::int16_t code) {
  const auto* found = std::find_if(std::begin(kPapers), std::end(kPapers),
                                   [code](const PrinterPaper& p) { return p.code == code; });
  if (found == std::end(kPapers)) return std::nullopt;
  return *found;
}

std::string installPrinter() {
  const std::string description = printerDescription();
  std::string name = kInstalledPrinterName;
  UniquePrinter printer;
  if (OpenPrinterA(name.data(), printer.put(), nullptr)) {
    // Installed before: the driver reads its own copy of the description, kept current.
    std::string file = installedDescriptionFile(printer.get());
    if (file.empty()) {
      // Installed by a process of the other environment, whose driver this one cannot use.
      if (std::string failure = addDriver(description); !failure.empty()) return failure;
      file = installedDescriptionFile(printer.get());
    }
    printer.reset();
    if (file.empty()) return "the installed printer's description file cannot be found";
    if (!writeFile(file, description)) return "cannot write " + file;
  } else if (std::string failure = addPrinter(description); !failure.empty()) {
    return failure;
  }
  // The description's own default page again, whatever a run that ended early left set.
  PRINTER_DEFAULTSA access{nullptr, nullptr, PRINTER_ALL_ACCESS};
  if (OpenPrinterA(name.data(), printer.put(), &access)) {
    DeletePrinterDataExA(printer.get(), kPageOverrides, kDefaultPage);
    printer.reset();
  }
  if (!SetDefaultPrinterA(name.c_str())) return lastError("SetDefaultPrinterA");
  return {};
}

}  // namespace windows
