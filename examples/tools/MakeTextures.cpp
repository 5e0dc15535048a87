// Writes the example scenes' textures: a wooden table, a series of landscape photos and a
// series of numbered tiles, all drawn procedurally, so that the examples carry no images
// taken from elsewhere. Deterministic: the same files on every run.
//
//   dravik-make-textures [output folder]     (default: textures)

#include <IL/il.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

namespace {

struct Colour {
    double r, g, b;
};

Colour mix(Colour a, Colour b, double t) {
    t = std::clamp(t, 0.0, 1.0);
    return {a.r + (b.r - a.r) * t, a.g + (b.g - a.g) * t, a.b + (b.b - a.b) * t};
}

Colour scaled(Colour c, double f) { return {c.r * f, c.g * f, c.b * f}; }

// An RGB picture, top row first.
class Picture {
public:
    Picture(int width, int height) : width(width), height(height), pixels(std::size_t(width) * height * 3) {}

    void set(int x, int y, Colour c) {
        if (x < 0 || y < 0 || x >= width || y >= height) return;
        std::uint8_t* p = &pixels[(std::size_t(y) * width + x) * 3];
        p[0] = channel(c.r);
        p[1] = channel(c.g);
        p[2] = channel(c.b);
    }

    void fillRect(int x0, int y0, int w, int h, Colour c) {
        for (int y = y0; y < y0 + h; ++y)
            for (int x = x0; x < x0 + w; ++x) set(x, y, c);
    }

    bool save(const std::string& path) const {
        ILuint image = 0;
        ilGenImages(1, &image);
        ilBindImage(image);
        ilTexImage(width, height, 1, 3, IL_RGB, IL_UNSIGNED_BYTE, const_cast<std::uint8_t*>(pixels.data()));
        ilRegisterOrigin(IL_ORIGIN_UPPER_LEFT);
        const bool saved = ilSave(IL_PNG, path.c_str());
        ilDeleteImages(1, &image);
        return saved;
    }

    const int width;
    const int height;

private:
    static std::uint8_t channel(double v) { return static_cast<std::uint8_t>(std::lround(std::clamp(v, 0.0, 1.0) * 255.0)); }
    std::vector<std::uint8_t> pixels;
};

// Smooth value noise in [0, 1] from a hashed lattice.
double lattice(int x, int y) {
    std::uint32_t h = static_cast<std::uint32_t>(x) * 374761393u + static_cast<std::uint32_t>(y) * 668265263u;
    h = (h ^ (h >> 13)) * 1274126177u;
    return ((h ^ (h >> 16)) & 0xffff) / 65535.0;
}

double noise(double x, double y) {
    const int ix = static_cast<int>(std::floor(x)), iy = static_cast<int>(std::floor(y));
    const double fx = x - ix, fy = y - iy;
    const double sx = fx * fx * (3 - 2 * fx), sy = fy * fy * (3 - 2 * fy);
    const double top = lattice(ix, iy) + (lattice(ix + 1, iy) - lattice(ix, iy)) * sx;
    const double bottom = lattice(ix, iy + 1) + (lattice(ix + 1, iy + 1) - lattice(ix, iy + 1)) * sx;
    return top + (bottom - top) * sy;
}

double fractalNoise(double x, double y) {
    double sum = 0, amplitude = 0.5;
    for (int octave = 0; octave < 4; ++octave, x *= 2, y *= 2, amplitude *= 0.5) sum += amplitude * noise(x, y);
    return sum / 0.9375;
}

// Planks of oak running across the table, with grain and dark seams.
Picture table() {
    Picture p(512, 384);
    const Colour light{0.62, 0.42, 0.24}, dark{0.36, 0.22, 0.11};
    const int plank = 48;
    for (int y = 0; y < p.height; ++y) {
        const int row = y / plank;
        for (int x = 0; x < p.width; ++x) {
            const double offset = row * 37.0;
            const double grain = std::sin((y + 10 * fractalNoise((x + offset * 9) * 0.01, y * 0.05)) * 0.7 +
                                          fractalNoise(x * 0.003 + offset, row) * 12);
            Colour c = mix(dark, light, 0.55 + 0.3 * grain + 0.15 * (lattice(row, 3) - 0.5));
            if (y % plank < 2 || (x + row * 173) % 400 < 2) c = scaled(dark, 0.6);
            p.set(x, y, c);
        }
    }
    return p;
}

struct Landscape {
    Colour skyTop, skyHorizon, sun, farHills, nearHills, ground;
    double sunX, sunY, sunRadius;
};

// A framed photo: sky above, a sun or moon, two ranges of hills and the ground below, so
// that it is plain which way is up.
Picture photo(const Landscape& l, int seed) {
    Picture p(256, 192);
    const int frame = 8;
    const double horizon = 0.62 * p.height;
    for (int y = 0; y < p.height; ++y) {
        for (int x = 0; x < p.width; ++x) {
            Colour c = mix(l.skyTop, l.skyHorizon, y / horizon);
            const double dx = x - l.sunX * p.width, dy = y - l.sunY * p.height;
            const double d = std::sqrt(dx * dx + dy * dy);
            if (d < l.sunRadius) c = l.sun;
            else if (d < l.sunRadius * 2.2) c = mix(mix(c, l.sun, 0.35), c, (d - l.sunRadius) / (l.sunRadius * 1.2));
            const double far = horizon - 10 - 90 * (fractalNoise(x * 0.015 + seed, seed * 3.1) - 0.2);
            const double near = horizon - 4 - 45 * (fractalNoise(x * 0.025 + seed * 5, seed * 1.7) - 0.2);
            if (y > far) c = mix(l.farHills, l.skyHorizon, 0.25 - (y - far) * 0.004);
            if (y > near) c = l.nearHills;
            if (y > horizon) c = mix(l.ground, scaled(l.ground, 0.6), (y - horizon) / (p.height - horizon));
            p.set(x, y, c);
        }
    }
    const Colour white{0.97, 0.96, 0.92};
    p.fillRect(0, 0, p.width, frame, white);
    p.fillRect(0, p.height - frame, p.width, frame, white);
    p.fillRect(0, 0, frame, p.height, white);
    p.fillRect(p.width - frame, 0, frame, p.height, white);
    return p;
}

std::vector<Landscape> landscapes() {
    return {
        {{0.25, 0.50, 0.85}, {0.70, 0.85, 0.97}, {1.00, 0.95, 0.70}, {0.35, 0.55, 0.45}, {0.20, 0.45, 0.22}, {0.35, 0.62, 0.25}, 0.75, 0.22, 14},
        {{0.35, 0.20, 0.45}, {0.98, 0.60, 0.30}, {1.00, 0.80, 0.40}, {0.45, 0.25, 0.35}, {0.25, 0.12, 0.20}, {0.30, 0.18, 0.15}, 0.35, 0.50, 18},
        {{0.02, 0.03, 0.12}, {0.10, 0.15, 0.35}, {0.92, 0.92, 0.85}, {0.10, 0.12, 0.22}, {0.05, 0.06, 0.12}, {0.08, 0.10, 0.14}, 0.22, 0.20, 11},
        {{0.55, 0.70, 0.90}, {0.88, 0.92, 0.98}, {1.00, 1.00, 0.90}, {0.80, 0.84, 0.90}, {0.92, 0.94, 0.97}, {0.96, 0.97, 0.99}, 0.60, 0.18, 12},
        {{0.30, 0.55, 0.90}, {0.95, 0.85, 0.65}, {1.00, 0.98, 0.80}, {0.80, 0.55, 0.30}, {0.90, 0.68, 0.38}, {0.93, 0.78, 0.50}, 0.15, 0.16, 16},
        {{0.20, 0.45, 0.75}, {0.65, 0.82, 0.92}, {1.00, 0.90, 0.60}, {0.30, 0.45, 0.55}, {0.10, 0.35, 0.55}, {0.08, 0.30, 0.52}, 0.82, 0.30, 13},
    };
}

// Digits 0-9 in a 5 x 7 bitmap font, one row per byte, the high bit of 5 on the left.
constexpr std::array<std::array<std::uint8_t, 7>, 10> kDigits = {{
    {0x0E, 0x11, 0x13, 0x15, 0x19, 0x11, 0x0E}, {0x04, 0x0C, 0x04, 0x04, 0x04, 0x04, 0x0E},
    {0x0E, 0x11, 0x01, 0x02, 0x04, 0x08, 0x1F}, {0x1F, 0x02, 0x04, 0x02, 0x01, 0x11, 0x0E},
    {0x02, 0x06, 0x0A, 0x12, 0x1F, 0x02, 0x02}, {0x1F, 0x10, 0x1E, 0x01, 0x01, 0x11, 0x0E},
    {0x06, 0x08, 0x10, 0x1E, 0x11, 0x11, 0x0E}, {0x1F, 0x01, 0x02, 0x04, 0x08, 0x08, 0x08},
    {0x0E, 0x11, 0x11, 0x0E, 0x11, 0x11, 0x0E}, {0x0E, 0x11, 0x11, 0x0F, 0x01, 0x02, 0x0C},
}};

void drawNumber(Picture& p, int number, int cell, Colour ink, Colour shadow) {
    const std::string text = std::to_string(number);
    const int textWidth = static_cast<int>(text.size()) * 6 * cell - cell;
    const int left = (p.width - textWidth) / 2, top = (p.height - 7 * cell) / 2;
    for (int pass = 0; pass < 2; ++pass) {
        const int shift = pass == 0 ? cell / 2 : 0;
        for (std::size_t i = 0; i < text.size(); ++i)
            for (int row = 0; row < 7; ++row)
                for (int column = 0; column < 5; ++column)
                    if (kDigits[text[i] - '0'][row] & (0x10 >> column))
                        p.fillRect(left + static_cast<int>(i) * 6 * cell + column * cell + shift,
                                   top + row * cell + shift, cell, cell, pass == 0 ? shadow : ink);
    }
}

// A tile in a colour of the hue wheel with its number; lighter at the top edge.
Picture tile(int number, int count) {
    Picture p(128, 128);
    const double hue = 6.0 * (number - 1) / count;
    const double r = std::clamp(std::fabs(hue - 3) - 1, 0.0, 1.0);
    const double g = std::clamp(2 - std::fabs(hue - 2), 0.0, 1.0);
    const double b = std::clamp(2 - std::fabs(hue - 4), 0.0, 1.0);
    const Colour base{0.25 + 0.6 * r, 0.25 + 0.6 * g, 0.25 + 0.6 * b};
    for (int y = 0; y < p.height; ++y)
        for (int x = 0; x < p.width; ++x) {
            const bool edge = x < 6 || y < 6 || x >= p.width - 6 || y >= p.height - 6;
            p.set(x, y, edge ? scaled(base, 0.55) : mix(scaled(base, 1.15), scaled(base, 0.85), y / 128.0));
        }
    drawNumber(p, number, number < 10 ? 9 : 7, {0.98, 0.98, 0.96}, scaled(base, 0.4));
    return p;
}

std::string seriesName(const std::string& folder, const std::string& stem, int index) {
    char digits[16];
    std::snprintf(digits, sizeof digits, "%04d", index);
    return folder + "/" + stem + digits + ".png";
}

}  // namespace

int main(int argc, char** argv) {
    const std::string folder = argc > 1 ? argv[1] : "textures";
    std::filesystem::create_directories(folder);
    ilInit();
    ilEnable(IL_FILE_OVERWRITE);

    bool saved = table().save(folder + "/table.png");
    const std::vector<Landscape> views = landscapes();
    for (std::size_t i = 0; i < views.size(); ++i)
        saved &= photo(views[i], static_cast<int>(i) + 1).save(seriesName(folder, "photo", static_cast<int>(i) + 1));
    const int tiles = 12;
    for (int i = 1; i <= tiles; ++i) saved &= tile(i, tiles).save(seriesName(folder, "tile", i));
    if (!saved) {
        std::fprintf(stderr, "dravik-make-textures: cannot write into %s\n", folder.c_str());
        return 1;
    }
    return 0;
}
