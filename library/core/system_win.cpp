// Operating-system services: files, directories, processes, environment, time, registry and
// version information, each a thin wrapper over one Win32 call.
#include "core/system.h"

#include <windows.h>

void yywinmessagebox_(const char *caption, const char *text) {
    MessageBoxA(nullptr, text ? text : "", caption ? caption : "", MB_OK | MB_ICONHAND | MB_TASKMODAL);
}

void yyexit_(const int *icode) { ExitProcess(static_cast<UINT>(icode ? *icode : 0)); }
