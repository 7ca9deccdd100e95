#pragma once
// Where the online package routine keeps the package: "OrvNet.txt" in the
// temporary folder.
#include <cstddef>

constexpr char PackageFileName[] = "OrvNet.txt";

// <temporary folder>\OrvNet.txt into buffer; false, with an empty buffer,
// when it does not fit.
bool TempPackagePath(char* buffer, size_t capacity);
