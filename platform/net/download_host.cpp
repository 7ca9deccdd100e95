#include "platform/net/download_host.h"

const char* DownloadHost = SM_DOWNLOAD_HOST;
