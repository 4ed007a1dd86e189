#pragma once

#include <windows.h>

#include <oaidl.h>

#include <memory>
#include <string>
#include <vector>

// The host side of the package's client, kept apart from the client, which knows the component
// only from the package's header: the reference host with its classes registered with COM in
// this process (the command framework's two controls, HostGlobal, the resource locator, the
// error reporter) and a main window of its own, as a host application has. Needs an
// initialised apartment.
class ClientHost {
 public:
  ClientHost();
  ~ClientHost();
  ClientHost(const ClientHost&) = delete;
  ClientHost& operator=(const ClientHost&) = delete;

  HWND mainWindow() const;
  // The host's command object, a new reference.
  IDispatch* commandObject();
  // The application's registered name, which names its help file's registry key.
  std::wstring registeredName() const;
  // Whether the command's done flag has ended it.
  bool commandEnded() const;
  std::string statusText() const;
  // What the component reported, one "ident: description" a report.
  std::vector<std::string> errorReports() const;

 private:
  struct Parts;
  std::unique_ptr<Parts> parts_;
};
