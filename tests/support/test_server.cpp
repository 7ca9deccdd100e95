#include "support/test_server.h"

#include <windows.h>
#include <wininet.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>

namespace {
// The body of a control request; a failure fails the test that asked.
std::string Fetch(const std::string& path) {
    std::string body;
    HINTERNET session = InternetOpenA("download tests", INTERNET_OPEN_TYPE_DIRECT, nullptr, nullptr, 0);
    HINTERNET url = session == nullptr ? nullptr
                                       : InternetOpenUrlA(session, ServerAddress(path).c_str(), nullptr, 0,
                                                          INTERNET_FLAG_RELOAD, 0);
    if (url == nullptr) {
        ADD_FAILURE() << "the test server does not answer " << path;
    } else {
        char buffer[4096];
        DWORD got = 0;
        while (InternetReadFile(url, buffer, sizeof buffer, &got) && got > 0) body.append(buffer, got);
        InternetCloseHandle(url);
    }
    if (session != nullptr) InternetCloseHandle(session);
    return body;
}

std::string PercentEncoded(const std::string& text) {
    std::string encoded;
    for (unsigned char c : text) {
        char escape[4];
        std::snprintf(escape, sizeof escape, "%%%02X", c);
        encoded += escape;
    }
    return encoded;
}
}  // namespace

std::string ServerHost() {
    const char* port = std::getenv("SM_TEST_HTTP_PORT");
    if (port == nullptr || port[0] == '\0') {
        ADD_FAILURE() << "SM_TEST_HTTP_PORT is not set: run the test through with_http_server.sh";
        return "127.0.0.1:1";
    }
    return std::string("127.0.0.1:") + port;
}

std::string ServerAddress(const std::string& path) { return "http://" + ServerHost() + path; }

void SetSizeText(const std::string& text) { Fetch("/control/size?text=" + PercentEncoded(text)); }

std::vector<std::string> ServerLog() {
    std::vector<std::string> lines;
    std::string text = Fetch("/control/log");
    size_t start = 0;
    for (size_t end; (end = text.find('\n', start)) != std::string::npos; start = end + 1) {
        lines.push_back(text.substr(start, end - start));
    }
    return lines;
}

std::vector<unsigned char> PatternBytes(size_t length) {
    std::vector<unsigned char> bytes(length);
    for (size_t i = 0; i < length; ++i) bytes[i] = static_cast<unsigned char>(i % 251);
    return bytes;
}
