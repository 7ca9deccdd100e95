// DesinstalarOrv25.exe: removes OrvNet 2.5 from the machine. The uninstall entry runs it from the Windows folder with the
// product folder, unquoted, as its command line.
#include <windows.h>

#include "platform/pc/library_search.h"
#include "platform/pc/pc.h"
#include "ui/sm_aplicacion.h"
#include "uninstaller/uninstall_run.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR commandTail, int) {
    RestrictLibrarySearch();
    ThePC = new PC;
    // Started from the product folder, the process would hold it open.
    char windows[PathBufferSize];
    SetCurrentDirectoryA(ThePC->WindowsFolder(windows));
    SmAplicacion* application = new SmAplicacion;
    int code = RunUninstall(commandTail, *application);
    delete application;
    delete ThePC;
    ThePC = nullptr;
    return code;
}
