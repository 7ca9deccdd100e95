#pragma once
// The engine's one way of clearing a path before a new file goes there.

// Removes whatever file is at path. True when nothing is there afterwards:
// a file that stays (held, read-only) must not be written over, since the
// file objects do not truncate and the new bytes would keep its tail.
bool RemoveIfThere(const char* path);
