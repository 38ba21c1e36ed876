#include "platform/gui/Pictures.h"

#include <cstdint>
#include <cstring>

#include "platform/TextConversion.h"

namespace platform::gui {
namespace {

template <typename T>
T ReadAt(const unsigned char* data, std::size_t offset) {
    T value;
    std::memcpy(&value, data + offset, sizeof(T));
    return value;
}

// Decodes a 32-bit BMP file (BI_RGB or BI_BITFIELDS in BGRA order) into a
// premultiplied DIB section. A picture without any alpha counts as opaque.
HBITMAP DecodeBmp(const unsigned char* data, std::size_t size, int& width, int& height) {
    constexpr std::size_t kFileHeader = 14;
    if (size < kFileHeader + 40 || data[0] != 'B' || data[1] != 'M') return nullptr;
    const auto pixelOffset = ReadAt<std::uint32_t>(data, 10);
    const auto infoSize = ReadAt<std::uint32_t>(data, kFileHeader);
    const auto w = ReadAt<std::int32_t>(data, kFileHeader + 4);
    const auto h = ReadAt<std::int32_t>(data, kFileHeader + 8);
    const auto bits = ReadAt<std::uint16_t>(data, kFileHeader + 14);
    const auto compression = ReadAt<std::uint32_t>(data, kFileHeader + 16);
    if (infoSize < 40 || bits != 32 || (compression != BI_RGB && compression != BI_BITFIELDS)) {
        return nullptr;
    }
    if (w <= 0 || h == 0 || w > 4096 || h > 4096 || h < -4096) return nullptr;
    const int rows = h < 0 ? -h : h;
    const std::size_t stride = static_cast<std::size_t>(w) * 4;
    if (pixelOffset > size || size - pixelOffset < stride * rows) return nullptr;

    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = w;
    info.bmiHeader.biHeight = -rows;  // top-down
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* target = nullptr;
    HBITMAP bitmap = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &target, nullptr, 0);
    if (bitmap == nullptr) return nullptr;

    bool anyAlpha = false;
    for (std::size_t i = 0; i < stride * rows && !anyAlpha; i += 4) {
        anyAlpha = data[pixelOffset + i + 3] != 0;
    }
    auto* out = static_cast<unsigned char*>(target);
    for (int row = 0; row < rows; ++row) {
        const int sourceRow = h > 0 ? rows - 1 - row : row;
        const unsigned char* in = data + pixelOffset + sourceRow * stride;
        unsigned char* line = out + row * stride;
        for (int x = 0; x < w; ++x) {
            const unsigned alpha = anyAlpha ? in[x * 4 + 3] : 255;
            for (int c = 0; c < 3; ++c)
                line[x * 4 + c] = static_cast<unsigned char>(in[x * 4 + c] * alpha / 255);
            line[x * 4 + 3] = static_cast<unsigned char>(alpha);
        }
    }
    width = w;
    height = rows;
    return bitmap;
}

}  // namespace

PictureCache::~PictureCache() {
    for (auto& [name, picture] : pictures_) {
        if (picture.bitmap != nullptr) DeleteObject(picture.bitmap);
    }
}

const PictureCache::Picture* PictureCache::Find(const std::string& name) {
    auto found = pictures_.find(name);
    if (found != pictures_.end()) return &found->second;
    Picture picture;
    HMODULE module = GetModuleHandleW(nullptr);
    if (HRSRC resource =
            FindResourceW(module, ToWide(name).c_str(), MAKEINTRESOURCEW(10) /* RT_RCDATA */)) {
        HGLOBAL loaded = LoadResource(module, resource);
        const void* data = loaded != nullptr ? LockResource(loaded) : nullptr;
        if (data != nullptr) {
            picture.bitmap =
                DecodeBmp(static_cast<const unsigned char*>(data), SizeofResource(module, resource),
                          picture.width, picture.height);
        }
    }
    // A missing picture is remembered too, so it is looked for only once.
    return &pictures_.emplace(name, picture).first->second;
}

void PictureCache::Draw(HDC target, const std::string& name, const RECT& where) {
    const Picture* picture = Find(name);
    if (picture == nullptr || picture->bitmap == nullptr) return;
    HDC source = CreateCompatibleDC(target);
    HGDIOBJ previous = SelectObject(source, picture->bitmap);
    BLENDFUNCTION blend{AC_SRC_OVER, 0, 255, AC_SRC_ALPHA};
    SetStretchBltMode(target, HALFTONE);
    GdiAlphaBlend(target, where.left, where.top, where.right - where.left, where.bottom - where.top,
                  source, 0, 0, picture->width, picture->height, blend);
    SelectObject(source, previous);
    DeleteDC(source);
}

}  // namespace platform::gui
