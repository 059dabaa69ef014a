#include "tools/theme_tool/png_io.h"

#include <png.h>

#include <cstring>

bool ReadPng(const std::string& path, RgbaImage& image, std::string* reason) {
    png_image png;
    std::memset(&png, 0, sizeof png);
    png.version = PNG_IMAGE_VERSION;
    if (!png_image_begin_read_from_file(&png, path.c_str())) {
        if (reason) *reason = "cannot read PNG '" + path + "': " + png.message;
        return false;
    }
    png.format = PNG_FORMAT_RGBA;
    if (png.width == 0 || png.height == 0 || png.width > 16384 || png.height > 16384) {
        png_image_free(&png);
        if (reason) *reason = "PNG '" + path + "' has an unusable size";
        return false;
    }
    image.width = static_cast<int>(png.width);
    image.height = static_cast<int>(png.height);
    image.rgba.assign(PNG_IMAGE_SIZE(png), 0);
    if (!png_image_finish_read(&png, nullptr, image.rgba.data(), 0, nullptr)) {
        if (reason) *reason = "cannot decode PNG '" + path + "': " + png.message;
        png_image_free(&png);
        return false;
    }
    return true;
}

bool WritePng(const std::string& path, const RgbaImage& image, std::string* reason) {
    png_image png;
    std::memset(&png, 0, sizeof png);
    png.version = PNG_IMAGE_VERSION;
    png.width = static_cast<png_uint_32>(image.width);
    png.height = static_cast<png_uint_32>(image.height);
    png.format = PNG_FORMAT_RGBA;
    if (!png_image_write_to_file(&png, path.c_str(), 0, image.rgba.data(), 0, nullptr)) {
        if (reason) *reason = "cannot write PNG '" + path + "': " + png.message;
        return false;
    }
    return true;
}

RgbaImage BgraBottomUpToRgba(const uint8_t* bgra, int width, int height) {
    RgbaImage image;
    image.width = width;
    image.height = height;
    image.rgba.resize(size_t(width) * height * 4);
    const size_t stride = size_t(width) * 4;
    for (int y = 0; y < height; ++y) {
        const uint8_t* src = bgra + stride * (height - 1 - y);
        uint8_t* dst = image.rgba.data() + stride * y;
        for (int x = 0; x < width; ++x, src += 4, dst += 4) {
            dst[0] = src[2];
            dst[1] = src[1];
            dst[2] = src[0];
            dst[3] = src[3];
        }
    }
    return image;
}

void RgbaToBgraBottomUp(const RgbaImage& image, uint8_t* bgra) {
    const size_t stride = size_t(image.width) * 4;
    for (int y = 0; y < image.height; ++y) {
        const uint8_t* src = image.rgba.data() + stride * y;
        uint8_t* dst = bgra + stride * (image.height - 1 - y);
        for (int x = 0; x < image.width; ++x, src += 4, dst += 4) {
            dst[0] = src[2];
            dst[1] = src[1];
            dst[2] = src[0];
            dst[3] = src[3];
        }
    }
}
