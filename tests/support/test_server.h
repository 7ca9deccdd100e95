#pragma once
// The HTTP server that with_http_server.sh starts beside the test program
// on 127.0.0.1 (see http_server.py for its routes). Its port arrives in
// SM_TEST_HTTP_PORT. The helpers talk to it over their own WinINet session,
// never through the code under test.
#include <cstddef>
#include <string>
#include <vector>

// "127.0.0.1:<port>"
std::string ServerHost();
// "http://127.0.0.1:<port>" + path
std::string ServerAddress(const std::string& path);

// What the size query answers from now on.
void SetSizeText(const std::string& text);
// The requests served so far, control requests left out: "path<TAB>agent".
std::vector<std::string> ServerLog();

// The server's bodies: byte i is i % 251.
std::vector<unsigned char> PatternBytes(size_t length);

constexpr char SizeQueryPath[] = "/download?Name=INSTAL-ORVNET/OrvNet.txt";
