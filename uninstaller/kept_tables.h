#pragma once
// The user's data tables, which an uninstall may keep: the files the
// installer keeps on update, "Data\*.tbl" and "OrvServer\Data\*.tbl".

// relative: a path below the product folder ("Data\Clientes.tbl"). Letter
// case is ignored; tables in subfolders of the two folders are not kept.
bool IsKeptTable(const char* relative);
