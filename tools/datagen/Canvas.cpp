// Canvas drawing: source-over blending and antialiased shapes by signed distance.
#include "Canvas.h"

#include <algorithm>
#include <cmath>

namespace datagen {

Rgba rgb(uint32_t hex, float alpha)
{
    return {((hex >> 16) & 255) / 255.0f, ((hex >> 8) & 255) / 255.0f, (hex & 255) / 255.0f, alpha};
}

Rgba mix(const Rgba& a, const Rgba& b, float t)
{
    return {a.r + (b.r - a.r) * t, a.g + (b.g - a.g) * t, a.b + (b.b - a.b) * t, a.a + (b.a - a.a) * t};
}

Rgba shade(const Rgba& c, float factor)
{
    if (factor >= 1.0f)
        return mix(c, Rgba{1, 1, 1, c.a}, std::min(1.0f, factor - 1.0f));
    return {c.r * factor, c.g * factor, c.b * factor, c.a};
}

Canvas::Canvas(int width, int height) : pixelWidth(width), pixelHeight(height), pixels(size_t(width) * height) {}

void Canvas::blend(int x, int y, const Rgba& c, float coverage)
{
    if (x < 0 || y < 0 || x >= pixelWidth || y >= pixelHeight)
        return;
    float sa = c.a * std::clamp(coverage, 0.0f, 1.0f);
    if (sa <= 0)
        return;
    Rgba& d = at(x, y);
    float oa = sa + d.a * (1 - sa);
    if (oa <= 0) {
        d = Rgba{};
        return;
    }
    d.r = (c.r * sa + d.r * d.a * (1 - sa)) / oa;
    d.g = (c.g * sa + d.g * d.a * (1 - sa)) / oa;
    d.b = (c.b * sa + d.b * d.a * (1 - sa)) / oa;
    d.a = oa;
}

void Canvas::fill(const Rgba& c)
{
    std::fill(pixels.begin(), pixels.end(), c);
}

void Canvas::fillRect(int x, int y, int w, int h, const Rgba& c)
{
    for (int j = std::max(0, y); j < std::min(pixelHeight, y + h); ++j)
        for (int i = std::max(0, x); i < std::min(pixelWidth, x + w); ++i)
            blend(i, j, c);
}

void Canvas::fillDistance(const std::function<float(float, float)>& distance, const Shader& shader)
{
    for (int y = 0; y < pixelHeight; ++y)
        for (int x = 0; x < pixelWidth; ++x) {
            float px = x + 0.5f, py = y + 0.5f;
            float d = distance(px, py);
            if (d >= 0.5f)
                continue;
            blend(x, y, shader(px, py), std::min(1.0f, 0.5f - d));
        }
}

void Canvas::fillCircle(float cx, float cy, float r, const Shader& shader)
{
    fillDistance([=](float x, float y) { return std::hypot(x - cx, y - cy) - r; }, shader);
}

void Canvas::fillCircle(float cx, float cy, float r, const Rgba& c)
{
    fillCircle(cx, cy, r, [c](float, float) { return c; });
}

void Canvas::fillEllipse(float cx, float cy, float rx, float ry, const Rgba& c)
{
    float m = std::min(rx, ry);
    fillDistance([=](float x, float y) { return (std::hypot((x - cx) / rx, (y - cy) / ry) - 1.0f) * m; },
                 [c](float, float) { return c; });
}

static float roundRectDistance(float px, float py, float x, float y, float w, float h, float r)
{
    float cx = x + w / 2, cy = y + h / 2;
    float qx = std::fabs(px - cx) - (w / 2 - r), qy = std::fabs(py - cy) - (h / 2 - r);
    float ox = std::max(qx, 0.0f), oy = std::max(qy, 0.0f);
    return std::hypot(ox, oy) + std::min(std::max(qx, qy), 0.0f) - r;
}

void Canvas::fillRoundRect(float x, float y, float w, float h, float radius, const Shader& shader)
{
    float r = std::min({radius, w / 2, h / 2});
    fillDistance([=](float px, float py) { return roundRectDistance(px, py, x, y, w, h, r); }, shader);
}

void Canvas::fillRoundRect(float x, float y, float w, float h, float radius, const Rgba& c)
{
    fillRoundRect(x, y, w, h, radius, [c](float, float) { return c; });
}

static float segmentDistance(float px, float py, float x0, float y0, float x1, float y1)
{
    float dx = x1 - x0, dy = y1 - y0;
    float len2 = dx * dx + dy * dy;
    float t = len2 > 0 ? std::clamp(((px - x0) * dx + (py - y0) * dy) / len2, 0.0f, 1.0f) : 0.0f;
    return std::hypot(px - (x0 + t * dx), py - (y0 + t * dy));
}

void Canvas::fillPolygon(const std::vector<float>& xy, const Rgba& c)
{
    size_t n = xy.size() / 2;
    fillDistance(
        [&xy, n](float px, float py) {
            float best = 1e9f;
            bool inside = false;
            for (size_t i = 0, j = n - 1; i < n; j = i++) {
                float xi = xy[2 * i], yi = xy[2 * i + 1], xj = xy[2 * j], yj = xy[2 * j + 1];
                best = std::min(best, segmentDistance(px, py, xi, yi, xj, yj));
                if ((yi > py) != (yj > py) && px < (xj - xi) * (py - yi) / (yj - yi) + xi)
                    inside = !inside;
            }
            return inside ? -best : best;
        },
        [c](float, float) { return c; });
}

void Canvas::strokeLine(float x0, float y0, float x1, float y1, float width, const Rgba& c)
{
    fillDistance([=](float px, float py) { return segmentDistance(px, py, x0, y0, x1, y1) - width / 2; },
                 [c](float, float) { return c; });
}

void Canvas::strokeArc(float cx, float cy, float r, float from, float to, float width, const Rgba& c)
{
    // Angles in radians, measured clockwise from the positive x axis (screen coordinates).
    fillDistance(
        [=](float px, float py) {
            float a = std::atan2(py - cy, px - cx);
            while (a < from)
                a += 2 * float(M_PI);
            if (a <= to)
                return std::fabs(std::hypot(px - cx, py - cy) - r) - width / 2;
            float ex0 = cx + r * std::cos(from), ey0 = cy + r * std::sin(from);
            float ex1 = cx + r * std::cos(to), ey1 = cy + r * std::sin(to);
            return std::min(std::hypot(px - ex0, py - ey0), std::hypot(px - ex1, py - ey1)) - width / 2;
        },
        [c](float, float) { return c; });
}

void Canvas::draw(const Canvas& src, int x, int y)
{
    for (int j = 0; j < src.pixelHeight; ++j)
        for (int i = 0; i < src.pixelWidth; ++i)
            blend(x + i, y + j, src.at(i, j));
}

Canvas Canvas::crop(int x, int y, int w, int h) const
{
    Canvas out(w, h);
    for (int j = 0; j < h; ++j)
        for (int i = 0; i < w; ++i)
            if (x + i >= 0 && y + j >= 0 && x + i < pixelWidth && y + j < pixelHeight)
                out.at(i, j) = at(x + i, y + j);
    return out;
}

Canvas Canvas::scaled(int w, int h) const
{
    Canvas out(w, h);
    float sx = float(pixelWidth) / w, sy = float(pixelHeight) / h;
    for (int j = 0; j < h; ++j)
        for (int i = 0; i < w; ++i) {
            int x0 = int(i * sx), x1 = std::max(x0 + 1, int((i + 1) * sx));
            int y0 = int(j * sy), y1 = std::max(y0 + 1, int((j + 1) * sy));
            float r = 0, g = 0, b = 0, a = 0;
            int n = 0;
            for (int y = y0; y < std::min(y1, pixelHeight); ++y)
                for (int x = x0; x < std::min(x1, pixelWidth); ++x, ++n) {
                    const Rgba& p = at(x, y);
                    r += p.r * p.a, g += p.g * p.a, b += p.b * p.a, a += p.a;
                }
            if (a > 0)
                out.at(i, j) = Rgba{r / a, g / a, b / a, a / std::max(n, 1)};
        }
    return out;
}

Canvas Canvas::rotated90() const
{
    Canvas out(pixelHeight, pixelWidth);
    for (int y = 0; y < pixelHeight; ++y)
        for (int x = 0; x < pixelWidth; ++x)
            out.at(pixelHeight - 1 - y, x) = at(x, y);
    return out;
}

bool Canvas::operator==(const Canvas& o) const
{
    if (pixelWidth != o.pixelWidth || pixelHeight != o.pixelHeight)
        return false;
    for (size_t i = 0; i < pixels.size(); ++i) {
        const Rgba &a = pixels[i], &b = o.pixels[i];
        if (a.r != b.r || a.g != b.g || a.b != b.b || a.a != b.a)
            return false;
    }
    return true;
}

}  // namespace datagen
