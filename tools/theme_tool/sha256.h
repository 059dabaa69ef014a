#pragma once
// SHA-256 of a byte range, as 64 lower-case hex digits (for fingerprints of images and sounds).
#include <cstddef>
#include <cstdint>
#include <string>

std::string Sha256Hex(const uint8_t* data, size_t size);
