#pragma once
// The installer carries its product as a cabinet in its own resources
// (RCDATA 9001). UnpackPayload checks those bytes where they lie in the
// loaded resource (see payload_check.h) and only then writes them to
// cabinetPath.
//
// True when the resource was found, loaded and passed the check, and its
// bytes were written completely; `cabinet` then tells what the cabinet
// records (the archive's length among it). False when it is missing, cannot
// be loaded, fails the check (nothing is written then), or the file could
// not be written in full. An existing file is overwritten from its first
// byte and not truncated: the cabinet records its own length.
#include "install/payload_check.h"

bool UnpackPayload(const char* cabinetPath, PayloadCabinet& cabinet);

constexpr int PayloadResourceId = 9001;
