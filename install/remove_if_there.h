#pragma once
// The engine's ways of removing a file: clearing a path before a new file
// goes there, and removing what a failed write left.

// Removes whatever file is at path. True when nothing is there afterwards:
// a file that stays (held, read-only) must not be written over, since the
// file objects do not truncate and the new bytes would keep its tail.
bool RemoveIfThere(const char* path);

// Removes what a failed write left, whether or not it is there; the
// failure's own error code stays the thread's last error, for the run's
// record.
void RemoveKeepingTheError(const char* path);
