#include "skin/picture_win32.h"

#include <objbase.h>
#include <ocidl.h>
#include <olectl.h>

#include <algorithm>
#include <cstring>
#include <vector>

#include "base/app_paths.h"
#include "base/window_win32.h"
#include "skin/bmp_check.h"
#include "skin/picture_cut.h"

namespace tarn {

namespace {

std::vector<char> ReadWholeFile(const std::wstring& path) {
    std::vector<char> data;
    HANDLE file = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return data;
    LARGE_INTEGER size{};
    // Skins are a few megabytes at most; anything huge is not a skin.
    if (GetFileSizeEx(file, &size) && size.QuadPart > 0 && size.QuadPart < (64 << 20)) {
        data.resize(static_cast<size_t>(size.QuadPart));
        DWORD read = 0;
        if (!ReadFile(file, data.data(), static_cast<DWORD>(data.size()), &read, nullptr) ||
            read != data.size()) {
            data.clear();
        }
    }
    CloseHandle(file);
    return data;
}

// A stream over a copy of the bytes; the stream frees its memory.
IStream* StreamOver(const void* bytes, size_t size) {
    HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, size);
    if (!memory) return nullptr;
    void* target = GlobalLock(memory);
    if (!target) {
        GlobalFree(memory);
        return nullptr;
    }
    memcpy(target, bytes, size);
    GlobalUnlock(memory);
    IStream* stream = nullptr;
    if (FAILED(CreateStreamOnHGlobal(memory, TRUE, &stream))) {
        GlobalFree(memory);
        return nullptr;
    }
    return stream;
}

HBITMAP LoadThroughOle(const std::vector<char>& data) {
    IStream* stream = StreamOver(data.data(), data.size());
    if (!stream) return nullptr;
    IPicture* picture = nullptr;
    HRESULT hr = OleLoadPicture(stream, static_cast<LONG>(data.size()), FALSE, IID_IPicture,
                                reinterpret_cast<void**>(&picture));
    stream->Release();
    if (FAILED(hr) || !picture) return nullptr;
    OLE_HANDLE handle = 0;
    HBITMAP copy = nullptr;
    SHORT type = 0;
    // The picture object owns its bitmap; keep a copy that outlives it.
    if (SUCCEEDED(picture->get_Type(&type)) && type == PICTYPE_BITMAP &&
        SUCCEEDED(picture->get_Handle(&handle))) {
        copy =
            static_cast<HBITMAP>(CopyImage(reinterpret_cast<HANDLE>(static_cast<UINT_PTR>(handle)),
                                           IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION));
    }
    picture->Release();
    return copy;
}

Image CloneOrNull(Gdiplus::Bitmap* bitmap) {
    Image image(bitmap);
    if (!image || image->GetLastStatus() != Gdiplus::Ok || image->GetWidth() == 0) return nullptr;
    return image;
}

}  // namespace

OwnedBitmap::OwnedBitmap(HBITMAP bitmap) {
    Reset(bitmap);
}

OwnedBitmap& OwnedBitmap::operator=(OwnedBitmap&& other) noexcept {
    if (this != &other) {
        Reset();
        bitmap_ = other.bitmap_;
        width_ = other.width_;
        height_ = other.height_;
        other.bitmap_ = nullptr;
        other.width_ = other.height_ = 0;
    }
    return *this;
}

void OwnedBitmap::Reset(HBITMAP bitmap) {
    if (bitmap_ && bitmap_ != bitmap) DeleteObject(bitmap_);
    bitmap_ = bitmap;
    const SIZE size = BitmapSize(bitmap);
    width_ = size.cx;
    height_ = size.cy;
}

HBITMAP OwnedBitmap::Release() {
    HBITMAP b = bitmap_;
    bitmap_ = nullptr;
    width_ = height_ = 0;
    return b;
}

SIZE BitmapSize(HBITMAP bitmap) {
    BITMAP info{};
    if (!bitmap || !GetObjectW(bitmap, sizeof info, &info)) return {0, 0};
    return {info.bmWidth, info.bmHeight < 0 ? -info.bmHeight : info.bmHeight};
}

OwnedBitmap LoadPictureFile(const std::wstring& path) {
    const std::vector<char> data = ReadWholeFile(path);
    // A cut-off BMP would be decoded past its end by either loader below.
    if (!skin::PictureBytesLoadable(reinterpret_cast<const uint8_t*>(data.data()), data.size())) {
        return {};
    }
    if (HBITMAP bitmap = LoadThroughOle(data)) return OwnedBitmap(bitmap);
    // The picture loader may be missing a codec; plain BMP files still load directly.
    return OwnedBitmap(static_cast<HBITMAP>(LoadImageW(nullptr, path.c_str(), IMAGE_BITMAP, 0, 0,
                                                       LR_LOADFROMFILE | LR_CREATEDIBSECTION)));
}

OwnedBitmap LoadBitmapResource(int id) {
    return OwnedBitmap(static_cast<HBITMAP>(LoadImageW(win::ModuleInstance(), MAKEINTRESOURCEW(id),
                                                       IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION)));
}

Image LoadResourcePng(int id) {
    HMODULE module = win::ModuleInstance();
    HRSRC res = FindResourceW(module, MAKEINTRESOURCEW(id), L"PNG");
    if (!res) return nullptr;
    HGLOBAL handle = LoadResource(module, res);
    const DWORD size = SizeofResource(module, res);
    const void* bytes = handle ? LockResource(handle) : nullptr;
    if (!bytes || size == 0) return nullptr;
    IStream* stream = StreamOver(bytes, size);
    if (!stream) return nullptr;
    // GDI+ reads the stream lazily; a copy detached from the stream is kept instead.
    Gdiplus::Bitmap loaded(stream);
    Image image;
    if (loaded.GetLastStatus() == Gdiplus::Ok && loaded.GetWidth() > 0) {
        image = CutPicture(&loaded, 0, 0, static_cast<int>(loaded.GetWidth()),
                           static_cast<int>(loaded.GetHeight()));
    }
    stream->Release();
    return image;
}

Image LoadImageFile(const std::wstring& path) {
    Gdiplus::Bitmap loaded(path.c_str());
    if (loaded.GetLastStatus() != Gdiplus::Ok || loaded.GetWidth() == 0) return nullptr;
    // A copy, so the file is not held open.
    return CutPicture(&loaded, 0, 0, static_cast<int>(loaded.GetWidth()),
                      static_cast<int>(loaded.GetHeight()));
}

namespace {

// A DIB section's pixels, straight from memory: no device context, so no trip to the window
// system. Skins and resource pictures are loaded as DIB sections.
bool CopyFromDibSection(HBITMAP picture, const skin::CutPlan& plan, void* pieceBits, int width,
                        int height) {
    DIBSECTION dib{};
    if (GetObjectW(picture, sizeof dib, &dib) != sizeof dib || !dib.dsBm.bmBits) return false;
    skin::PixelRows rows;
    rows.bits = static_cast<const uint8_t*>(dib.dsBm.bmBits);
    rows.width = dib.dsBm.bmWidth;
    rows.height = dib.dsBm.bmHeight < 0 ? -dib.dsBm.bmHeight : dib.dsBm.bmHeight;
    rows.bitsPerPixel = dib.dsBm.bmBitsPixel;
    rows.stride = static_cast<size_t>(dib.dsBm.bmWidthBytes);
    rows.bottomUp = dib.dsBmih.biHeight > 0;
    // Bit fields other than the usual order would need the slow path's conversion.
    if (dib.dsBmih.biCompression != BI_RGB) return false;
    GdiFlush();
    return skin::CopyCut(rows, plan, static_cast<uint32_t*>(pieceBits), width, height);
}

void BlitCut(HBITMAP picture, const skin::CutPlan& plan, HBITMAP piece) {
    HDC src = CreateCompatibleDC(nullptr);
    HDC dst = CreateCompatibleDC(nullptr);
    HGDIOBJ oldSrc = SelectObject(src, picture);
    HGDIOBJ oldDst = SelectObject(dst, piece);
    BitBlt(dst, plan.destLeft, plan.destTop, plan.width, plan.height, src, plan.sourceLeft,
           plan.sourceTop, SRCCOPY);
    SelectObject(src, oldSrc);
    SelectObject(dst, oldDst);
    DeleteDC(src);
    DeleteDC(dst);
}

}  // namespace

OwnedBitmap CutPicture(HBITMAP picture, int x, int y, int width, int height) {
    if (width <= 0 || height <= 0) return {};
    BITMAPINFO bi{};
    bi.bmiHeader.biSize = sizeof bi.bmiHeader;
    bi.bmiHeader.biWidth = width;
    bi.bmiHeader.biHeight = -height;
    bi.bmiHeader.biPlanes = 1;
    bi.bmiHeader.biBitCount = 32;
    void* bits = nullptr;
    // RGB colours need no device context.
    HBITMAP piece = CreateDIBSection(nullptr, &bi, DIB_RGB_COLORS, &bits, nullptr, 0);
    if (!piece) return {};
    const SIZE size = BitmapSize(picture);
    // Only the part of the rectangle that lies inside the source is copied.
    const skin::CutPlan plan = skin::PlanCut(x, y, width, height, size.cx, size.cy);
    if (picture && !plan.empty && !CopyFromDibSection(picture, plan, bits, width, height)) {
        BlitCut(picture, plan, piece);
    }
    return OwnedBitmap(piece);
}

Image CutPicture(Gdiplus::Image* picture, int x, int y, int width, int height) {
    if (!picture || width <= 0 || height <= 0) return nullptr;
    Image piece = CloneOrNull(new Gdiplus::Bitmap(width, height, PixelFormat32bppARGB));
    if (!piece) return nullptr;
    Gdiplus::Graphics g(piece.get());
    g.SetCompositingMode(Gdiplus::CompositingModeSourceCopy);
    g.SetInterpolationMode(Gdiplus::InterpolationModeNearestNeighbor);
    g.SetPixelOffsetMode(Gdiplus::PixelOffsetModeHalf);
    const skin::CutPlan plan =
        skin::PlanCut(x, y, width, height, static_cast<int>(picture->GetWidth()),
                      static_cast<int>(picture->GetHeight()));
    if (!plan.empty) {
        g.DrawImage(picture, Gdiplus::Rect(plan.destLeft, plan.destTop, plan.width, plan.height),
                    plan.sourceLeft, plan.sourceTop, plan.width, plan.height, Gdiplus::UnitPixel);
    }
    return piece;
}

Image CutPictureToImage(HBITMAP picture, int x, int y, int width, int height) {
    OwnedBitmap piece = CutPicture(picture, x, y, width, height);
    if (!piece) return nullptr;
    // Bitmaps carry no alpha: every pixel of the piece is opaque.
    Gdiplus::Bitmap wrapped(piece.get(), nullptr);
    if (wrapped.GetLastStatus() != Gdiplus::Ok) return nullptr;
    Image image = CloneOrNull(new Gdiplus::Bitmap(width, height, PixelFormat32bppARGB));
    if (!image) return nullptr;
    Gdiplus::Graphics g(image.get());
    g.DrawImage(&wrapped, 0, 0, width, height);
    return image;
}

bool PaintPicture(HDC dc, const OwnedBitmap& picture) {
    if (!picture) return false;
    HDC source = CreateCompatibleDC(dc);
    HGDIOBJ old = SelectObject(source, picture.get());
    BitBlt(dc, 0, 0, picture.width(), picture.height(), source, 0, 0, SRCCOPY);
    SelectObject(source, old);
    DeleteDC(source);
    return true;
}

std::wstring SkinPath(std::wstring_view relative) {
    std::wstring path(reinterpret_cast<const wchar_t*>(programFolder.c_str()));
    path += L"\\skins\\";
    path += relative;
    return path;
}

}  // namespace tarn
