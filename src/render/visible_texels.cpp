#include "render/visible_texels.h"

#include <algorithm>
#include <cmath>
#include <unordered_map>

int clip_to_visible_pixels = 1;

static std::unordered_map<int, VisibleArea> recorded_areas;

// A texel of this alpha or more might pass: one step below the reference, so
// rounding in the renderer's filtering can never make a passing sample of
// texels all counted clear.
static int least_passing_alpha() { return static_cast<int>(std::floor(ALPHA_TEST_REF * 255.0f)); }

// The texture-coordinate span that samples touching texels first..last fill,
// on an axis of `size` texels: one texel more each side (linear filtering
// blends each sample's neighbour in), or the whole axis when the span reaches
// an edge, as repeat wrapping blends the far edge in there.
static void filtered_span(int first, int last, int size, double* from, double* to) {
    if (first <= 1 || last >= size - 2) {
        *from = 0.0;
        *to = 1.0;
        return;
    }
    *from = (first - 1) / static_cast<double>(size);
    *to = (last + 2) / static_cast<double>(size);
}

VisibleArea visible_area_of(const TgaPicture& picture) {
    const int stride = picture.depth / 8;
    if (stride != 1 && stride != 4) return WHOLE_PICTURE;  // no alpha: every texel shows
    const int alpha_offset = stride - 1;
    int first_column = picture.width, last_column = -1, first_row = picture.height, last_row = -1;
    for (int row = 0; row < picture.height; ++row) {
        for (int column = 0; column < picture.width; ++column) {
            const size_t texel = static_cast<size_t>(row) * picture.width + column;
            if (picture.pixels[texel * stride + alpha_offset] < least_passing_alpha()) continue;
            first_column = std::min(first_column, column);
            last_column = std::max(last_column, column);
            first_row = std::min(first_row, row);
            last_row = std::max(last_row, row);
        }
    }
    if (last_column < 0) return {0.0, 0.0, 0.0, 0.0, true};
    VisibleArea area = WHOLE_PICTURE;
    filtered_span(first_column, last_column, picture.width, &area.u0, &area.u1);
    filtered_span(first_row, last_row, picture.height, &area.v0, &area.v1);
    return area;
}

void note_visible_area(int id, const TgaPicture& picture) { recorded_areas[id] = visible_area_of(picture); }

VisibleArea visible_area(int id) {
    const auto found = recorded_areas.find(id);
    return found == recorded_areas.end() ? WHOLE_PICTURE : found->second;
}
