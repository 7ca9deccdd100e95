#pragma once
#include <windows.h>

class SmVentana;

// Lets a test end a demo program from outside: the window is destroyed once
// a file appears at `path`. Polls on a thread timer of the running loop;
// returns the timer, or 0 when path is null. One window per program.
UINT_PTR CloseWhenFileAppears(SmVentana* window, const char* path);
void StopWatchingFile(UINT_PTR timer);
