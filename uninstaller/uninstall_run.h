#pragma once
// The uninstall, from the command line to the final message.

class SmAplicacion;

// commandTail: the command line after the program's name (the product
// folder). Asks, stops the server, removes the product and its entries while
// a window of the application shows the work, reports; returns the
// program's exit code (uninstall_texts.h).
int RunUninstall(const char* commandTail, SmAplicacion& application);
