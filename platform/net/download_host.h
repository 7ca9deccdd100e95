#pragma once
// The maker's download server, which answers the package size query. Its
// host (optionally with ":port") is fixed when the program is built
// (SM_DOWNLOAD_HOST). Tests point it at a server of their own on the
// loopback address, whose port is only known when they run.
extern const char* DownloadHost;
