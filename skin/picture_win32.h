// Loading skin pictures: page skins from files, PNG pictures with transparency from files and
// from the program's resources, and cutting a rectangle out of a picture.
#pragma once

#include <windows.h>
#include <gdiplus.h>

#include <memory>
#include <string>
#include <string_view>

namespace tarn {

// A bitmap the holder owns, with its size.
class OwnedBitmap {
public:
    OwnedBitmap() = default;
    explicit OwnedBitmap(HBITMAP bitmap);
    OwnedBitmap(OwnedBitmap&& other) noexcept { *this = std::move(other); }
    OwnedBitmap& operator=(OwnedBitmap&& other) noexcept;
    OwnedBitmap(const OwnedBitmap&) = delete;
    OwnedBitmap& operator=(const OwnedBitmap&) = delete;
    ~OwnedBitmap() { Reset(); }

    HBITMAP get() const { return bitmap_; }
    explicit operator bool() const { return bitmap_ != nullptr; }
    int width() const { return width_; }
    int height() const { return height_; }
    void Reset(HBITMAP bitmap = nullptr);
    HBITMAP Release();

private:
    HBITMAP bitmap_ = nullptr;
    int width_ = 0;
    int height_ = 0;
};

using Image = std::unique_ptr<Gdiplus::Bitmap>;

// A BMP (or any format the platform's picture loader reads) as a bitmap; empty when the file
// is missing or unreadable.
OwnedBitmap LoadPictureFile(const std::wstring& path);
// A bitmap resource of the program; empty when missing.
OwnedBitmap LoadBitmapResource(int id);
// A resource of type "PNG" as an image with its transparency; null when missing.
Image LoadResourcePng(int id);
// A PNG (or other) file as an image with its transparency; null when missing.
Image LoadImageFile(const std::wstring& path);

// A new picture holding the rectangle; pixels outside the source stay empty (never read).
OwnedBitmap CutPicture(HBITMAP picture, int x, int y, int width, int height);
Image CutPicture(Gdiplus::Image* picture, int x, int y, int width, int height);
// The same, from a bitmap, into an image (for controls that draw with GDI+).
Image CutPictureToImage(HBITMAP picture, int x, int y, int width, int height);

// Width and height of a bitmap (0, 0 for none).
SIZE BitmapSize(HBITMAP bitmap);

// Draws the whole picture at the top-left of dc; false (nothing drawn) for no picture.
bool PaintPicture(HDC dc, const OwnedBitmap& picture);

// The skins folder of the program: programFolder + "\skins\" + relative.
std::wstring SkinPath(std::wstring_view relative);

}  // namespace tarn
