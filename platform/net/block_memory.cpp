#include "platform/net/block_memory.h"

#include <cstdlib>

BlockResize TheBlockResize = std::realloc;
BlockRelease TheBlockRelease = std::free;
