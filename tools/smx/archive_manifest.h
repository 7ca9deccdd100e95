#pragma once
// The short manifest `smx verify` prints after "ok" for an installer: what
// the maker ships, in lines of "label  value":
//   product         OrvNet
//   content         25130 files in 241 folders, 383355896 bytes
//   keep on update  Data/Clientes.tbl          (one line per flagged file)
//   system folder   SmComp.dll
//   cabinet         OrvNet.smx, 25152115 bytes, 11700 blocks, SHA-256 <hex>
//   installer       SHA-256 <hex>
#include <ostream>

#include "archive_check.h"
#include "archive_source.h"

// `source` is an installer whose archive passed CheckArchive with `summary`.
void PrintManifest(const ArchiveSource& source, const ArchiveSummary& summary, std::ostream& out);
