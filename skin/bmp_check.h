// Whether the bytes of a skin file may go to the platform's picture loaders. Those decode a BMP
// by its header alone and read as many pixel rows as the header claims, past the end of a file
// that was cut short; a skin with a sound header and too few pixels would crash the program.
#pragma once

#include <cstddef>
#include <cstdint>

namespace tarn::skin {

// A BMP passes when its header is one the loaders know, its colour table and every pixel row it
// claims lie inside the bytes, and its size is sane. Bytes of another format pass: the loader
// checks those itself (and refuses what it cannot read). Nothing passes when there are no bytes.
bool PictureBytesLoadable(const uint8_t* bytes, size_t size);

}  // namespace tarn::skin
