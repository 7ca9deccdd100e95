#include "install_state.h"

char InstallBase[InstallPathSize] = {};
char InstalledFolder[InstallPathSize] = {};
bool IsUpdate = false;
