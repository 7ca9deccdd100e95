#include "pc.h"

PC* ThePC = nullptr;
