// tolvane.exe: start-up, the message loop, and the exit code.
#include <windows.h>

#include "application.hpp"
#include "http_read.hpp"
#include "main_window.hpp"
#include "scoped_handles.hpp"

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
  using namespace tolvane;
  // The UI thread is a single-threaded apartment for the browser control.
  const ScopedOle ole;
  Application application;

  MainWindow mainWindow(application, httpRead);
  if (!mainWindow.create()) {
    MessageBoxW(nullptr, L"Tolvane could not create its main window and has to close.",
                L"Tolvane", MB_OK | MB_ICONERROR);
    return -1;
  }
  mainWindow.show();

  // Runs until the last window of the program is destroyed; the quit message
  // carries 0. OLE is uninitialised after the loop, as the objects go.
  return application.run();
}
