#pragma once
// PNG files for the theme tool: frame strips in, preview and unpacked strips out. Pixels are
// 8-bit RGBA, top row first, exactly as the file holds them (no colour conversion or
// premultiplication).
#include <cstdint>
#include <string>
#include <vector>

struct RgbaImage {
    int width = 0;
    int height = 0;
    std::vector<uint8_t> rgba;  // width * height * 4, top row first
};

// False with a reason when the file cannot be read or decoded. Any PNG colour type is expanded
// to RGBA (opaque alpha where the file has none).
bool ReadPng(const std::string& path, RgbaImage& image, std::string* reason);
bool WritePng(const std::string& path, const RgbaImage& image, std::string* reason);

// Between bitmap pixels (BGRA, bottom row first) and RGBA top row first; the bytes keep their
// values, only their order changes.
RgbaImage BgraBottomUpToRgba(const uint8_t* bgra, int width, int height);
void RgbaToBgraBottomUp(const RgbaImage& image, uint8_t* bgra);
