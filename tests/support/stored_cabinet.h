#pragma once
// A Microsoft Cabinet holding one file without compression, for tests that
// need a payload made on the spot (the real payloads are MSZIP cabinets made
// by the packer). Data blocks carry no checksum (0), as the format allows.
#include <string>
#include <vector>

std::vector<unsigned char> StoredCabinet(const std::vector<unsigned char>& content, const std::string& name);
