#pragma once
// Stopping the data server before its files are removed.

// Ends every running "OrvServer.exe" and waits, a bounded time, until each
// has exited, so that its program and tables are free to be removed.
void StopServer();
