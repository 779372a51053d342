// The library's notifications on Windows: the runtime sets up static objects before process
// attach and releases them after process detach. Thread notifications change nothing.
#include <windows.h>

#include "plugin/lifecycle.h"

BOOL WINAPI DllMain(HINSTANCE /*instance*/, DWORD reason, LPVOID /*reserved*/) {
  switch (reason) {
    case DLL_PROCESS_ATTACH:
      quellwarden::process_attach();
      break;
    case DLL_PROCESS_DETACH:
      quellwarden::process_detach();
      break;
    default:
      break;
  }
  return TRUE;
}
