#pragma once
// A Microsoft Cabinet holding one file without compression, for tests that
// need a payload made on the spot (the real payloads are MSZIP cabinets made
// by the packer). Every data block carries its checksum, as the packer's do.
#include <string>
#include <vector>

std::vector<unsigned char> StoredCabinet(const std::vector<unsigned char>& content, const std::string& name);
