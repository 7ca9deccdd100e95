#pragma once
// The memory behind SmDownload::ReadAll's growing block: std::realloc and
// std::free in the shipped program. Tests swap in functions that fail at a
// chosen moment or count what is still allocated.
#include <cstddef>

using BlockResize = void* (*)(void* block, size_t size);
using BlockRelease = void (*)(void* block);

extern BlockResize TheBlockResize;
extern BlockRelease TheBlockRelease;
