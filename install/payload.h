#pragma once
// The installer carries its product as a cabinet in its own resources
// (RCDATA 9001). UnpackPayload writes those bytes to cabinetPath.
//
// True when the resource was found and loaded and its bytes were written
// completely; false when it is missing, cannot be loaded, or the file could
// not be written in full. An existing file is overwritten from its first
// byte and not truncated: the cabinet records its own length.
bool UnpackPayload(const char* cabinetPath);

constexpr int PayloadResourceId = 9001;
