#pragma once
// Listing the file system into an SmPathList.
#include "platform/text/sm_path_list.h"

// Appends (folder + "\" + name, name) for every entry of folder whose name
// does not begin with "." and that is not a plain folder (attributes exactly
// FILE_ATTRIBUTE_DIRECTORY): files, and folders with further attributes such
// as read-only.
void ListFiles(const char* folder, SmPathList& list);

// Appends path itself, then every plain folder below it, breadth first.
// Names beginning with "." are skipped.
void ListFolderTree(const char* path, SmPathList& list);
