#pragma once

#include <QImage>

#include <algorithm>
#include <random>

namespace vantrel::bench {

// A picture-like 160 x 54 frame: crossing colour gradients, a bright disc and sensor noise.
inline QImage panelFrame(unsigned seed = 42)
{
    constexpr int W = 160, H = 54;
    QImage image(W, H, QImage::Format_RGB888);
    std::mt19937 rng(seed);
    std::normal_distribution<double> noise(0.0, 12.0);
    for (int y = 0; y < H; ++y) {
        uchar* line = image.scanLine(y);
        for (int x = 0; x < W; ++x) {
            const int dx = x - 100, dy = y - 20;
            const int disc = dx * dx + dy * dy < 15 * 15 ? 80 : 0;
            const int base[3] = {x * 255 / W, y * 255 / H, 255 - (x + 2 * y) * 255 / (W + 2 * H)};
            for (int c = 0; c < 3; ++c)
                line[3 * x + c] =
                    static_cast<uchar>(std::clamp(base[c] + disc + static_cast<int>(noise(rng)), 0, 255));
        }
    }
    return image;
}

} // namespace vantrel::bench
