// A process for the process-control tests to find and end: it only waits.
#include <windows.h>

int main() {
    Sleep(120000);
    return 0;
}
