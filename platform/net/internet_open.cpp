#include "platform/net/internet_open.h"

namespace {
const char kAgent[] = "Velmarisco";

// True unless the handle carries an HTTP status outside 200-299. Handles
// of other schemes have no status and count as opened.
bool HttpSucceeded(HINTERNET url) {
    DWORD status = 0;
    DWORD size = sizeof status;
    if (!HttpQueryInfoA(url, HTTP_QUERY_STATUS_CODE | HTTP_QUERY_FLAG_NUMBER, &status, &size, nullptr)) {
        return true;
    }
    return status >= 200 && status < 300;
}
}  // namespace

HINTERNET OpenInternetSession() {
    return InternetOpenA(kAgent, INTERNET_OPEN_TYPE_DIRECT, nullptr, nullptr, 0);
}

HINTERNET OpenAddress(HINTERNET session, const char* address) {
    if (session == nullptr || address == nullptr || address[0] == '\0') return nullptr;
    HINTERNET url = InternetOpenUrlA(session, address, nullptr, 0, INTERNET_FLAG_RELOAD, 0);
    if (url != nullptr && !HttpSucceeded(url)) {
        InternetCloseHandle(url);
        url = nullptr;
    }
    return url;
}

bool AnnouncedLength(HINTERNET url, uint32_t& length) {
    DWORD announced = 0;
    DWORD size = sizeof announced;
    if (!HttpQueryInfoA(url, HTTP_QUERY_CONTENT_LENGTH | HTTP_QUERY_FLAG_NUMBER, &announced, &size, nullptr)) {
        return false;
    }
    length = announced;
    return true;
}
