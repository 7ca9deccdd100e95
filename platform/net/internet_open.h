#pragma once
// Opening internet sessions and addresses through the system's internet
// library (WinINet), the same way for the download object and the online
// package routine.
#include <windows.h>
#include <wininet.h>

#include <cstdint>

// A direct session (no proxy) with the agent name "Velmarisco"; null when
// the library cannot give one.
HINTERNET OpenInternetSession();

// Opens the address on the session, always fetched from the server (never
// from the cache). Null when it cannot be reached, and also when an HTTP
// server answers with anything but success: an error page is not the
// resource that was asked for.
HINTERNET OpenAddress(HINTERNET session, const char* address);

// The body length an HTTP server announced for an opened address
// (Content-Length). False when it announced none (chunked transfer, other
// schemes).
bool AnnouncedLength(HINTERNET url, uint32_t& length);
