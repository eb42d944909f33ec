#include "skin/thumb_shape.h"

#include <cstddef>

namespace tarn::skin {

std::vector<PixelRun> ShapeRuns(const std::vector<uint32_t>& pixels, int width, int height) {
    std::vector<PixelRun> runs;
    if (width <= 0 || height <= 0 ||
        pixels.size() < static_cast<std::size_t>(width) * static_cast<std::size_t>(height)) {
        return runs;
    }
    const uint32_t cut = pixels[0] & 0xFFFFFF;
    for (int y = 0; y < height; ++y) {
        const uint32_t* row = pixels.data() + static_cast<std::size_t>(y) * width;
        int start = -1;
        for (int x = 0; x <= width; ++x) {
            const bool keep = x < width && (row[x] & 0xFFFFFF) != cut;
            if (keep && start < 0) start = x;
            if (!keep && start >= 0) {
                runs.push_back({y, start, x});
                start = -1;
            }
        }
    }
    return runs;
}

}  // namespace tarn::skin
