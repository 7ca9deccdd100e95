#pragma once
// Writes a scanned product tree as a package archive. The archive appears at
// `outputPath` only once it is complete (see OutputFile).
#include <string>

#include "product_scan.h"

class ProgressBar;

// Throws SmxToolError when a source file cannot be read or has changed since
// the scan, or the output cannot be written.
void WriteArchive(const ProductTree& tree, const std::string& outputPath, ProgressBar& progress);
