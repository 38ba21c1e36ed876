// Pictures of the program's resources: 32-bit bitmaps with an alpha channel,
// stored as RCDATA so that their transparency survives, drawn scaled.
#pragma once

#include <windows.h>

#include <map>
#include <string>

namespace platform::gui {

class PictureCache {
  public:
    PictureCache() = default;
    ~PictureCache();
    PictureCache(const PictureCache&) = delete;
    PictureCache& operator=(const PictureCache&) = delete;

    // Draws the named picture into the rectangle; nothing when it is missing.
    void Draw(HDC target, const std::string& name, const RECT& where);

  private:
    struct Picture {
        HBITMAP bitmap = nullptr;  // premultiplied, top-down
        int width = 0, height = 0;
    };
    const Picture* Find(const std::string& name);

    std::map<std::string, Picture> pictures_;
};

}  // namespace platform::gui
