#include "polygon.h"

#include "platform/conversions.h"
#include "platform/twips.h"

#include <algorithm>
#include <cmath>
#include <numbers>
#include <random>

namespace bench {

std::vector<Point> MakePolygon(int n, int width, int height)
{
    std::mt19937 random(12345);
    std::uniform_real_distribution<double> reach(0.35, 1.0);
    const double cx = (width - 1) / 2.0;
    const double cy = (height - 1) / 2.0;
    std::vector<Point> polygon;
    polygon.reserve(static_cast<std::size_t>(std::max(n, 0)));
    for (int i = 0; i < n; ++i) {
        const double angle = 2 * std::numbers::pi * i / n;
        const double r = reach(random);
        const int px =
            std::clamp(static_cast<int>(std::lround(cx + r * cx * std::cos(angle))), 0, width - 1);
        const int py =
            std::clamp(static_cast<int>(std::lround(cy + r * cy * std::sin(angle))), 0, height - 1);
        polygon.push_back({static_cast<float>(px * platform::TwipsPerPixel),
                           static_cast<float>(py * platform::TwipsPerPixel)});
    }
    return polygon;
}

ListTexts ToListTexts(const std::vector<Point>& polygon)
{
    ListTexts texts;
    texts.x.reserve(static_cast<qsizetype>(polygon.size()));
    texts.y.reserve(static_cast<qsizetype>(polygon.size()));
    for (const Point& p : polygon) {
        texts.x.append(platform::CStr(p.x));
        texts.y.append(platform::CStr(p.y));
    }
    return texts;
}

} // namespace bench
