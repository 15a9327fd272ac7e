// Canvas: an RGBA picture in floating point with the few drawing operations the art needs.
#pragma once

#include <cstdint>
#include <functional>
#include <vector>

namespace datagen {

struct Rgba {
    float r = 0, g = 0, b = 0, a = 0;
};

// 0xRRGGBB with full opacity.
Rgba rgb(uint32_t hex, float alpha = 1.0f);
Rgba mix(const Rgba& a, const Rgba& b, float t);
Rgba shade(const Rgba& c, float factor);  // factor > 1 lightens towards white, < 1 darkens

class Canvas {
public:
    Canvas() = default;
    Canvas(int width, int height);

    int width() const { return pixelWidth; }
    int height() const { return pixelHeight; }
    bool empty() const { return pixelWidth == 0 || pixelHeight == 0; }

    const Rgba& at(int x, int y) const { return pixels[size_t(y) * pixelWidth + x]; }
    Rgba& at(int x, int y) { return pixels[size_t(y) * pixelWidth + x]; }

    // Source-over blend of c with coverage 0..1 at (x, y); ignores points outside.
    void blend(int x, int y, const Rgba& c, float coverage = 1.0f);
    void fill(const Rgba& c);
    void fillRect(int x, int y, int w, int h, const Rgba& c);

    // Antialiased shapes: the colour function gets the pixel centre and returns its colour.
    using Shader = std::function<Rgba(float x, float y)>;
    void fillCircle(float cx, float cy, float r, const Shader& shader);
    void fillCircle(float cx, float cy, float r, const Rgba& c);
    void fillEllipse(float cx, float cy, float rx, float ry, const Rgba& c);
    void fillRoundRect(float x, float y, float w, float h, float radius, const Shader& shader);
    void fillRoundRect(float x, float y, float w, float h, float radius, const Rgba& c);
    void fillPolygon(const std::vector<float>& xy, const Rgba& c);
    void strokeArc(float cx, float cy, float r, float from, float to, float width, const Rgba& c);
    void strokeLine(float x0, float y0, float x1, float y1, float width, const Rgba& c);
    // Any shape given as a signed distance (negative inside), sampled with a one-pixel ramp.
    void fillDistance(const std::function<float(float x, float y)>& distance, const Shader& shader);

    void draw(const Canvas& src, int x, int y);  // source-over
    Canvas crop(int x, int y, int w, int h) const;
    Canvas scaled(int w, int h) const;  // box-filtered resize
    Canvas rotated90() const;           // clockwise

    bool operator==(const Canvas& o) const;

private:
    int pixelWidth = 0, pixelHeight = 0;
    std::vector<Rgba> pixels;
};

}  // namespace datagen
