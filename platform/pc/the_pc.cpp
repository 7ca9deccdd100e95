#include "platform/pc/pc.h"

PC* ThePC = nullptr;
