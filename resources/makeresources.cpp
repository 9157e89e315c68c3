// Makes the pictures in this folder, reproducibly:
//   bar.bmp          732 x 62, 24 bits per pixel: a light-blue bar (166, 202, 240) with rounded
//                    ends inside a pure-red surround 6 to 7 pixels wide (red is the strip's colour key).
//   icon.bmp         16 x 16, 16 colours: the main window's icon, a word card.
//   appicon-N.png    the menu and dock icon, N x N RGBA for N = 16 to 256: the same word card,
//                    on a transparent background; at 16 pixels it is icon.bmp's pixels.
// Every byte comes from this file (the PNG encoder included), so the output never changes with
// the libraries installed.
// Usage: makeresources DIR          writes the files into DIR
//        makeresources --check DIR  exits 1 if the files in DIR differ from what it makes

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstdlib>
#include <cstdio>
#include <fstream>
#include <iostream>
#include <iterator>
#include <string>
#include <vector>

namespace {

using Bytes = std::vector<uint8_t>;

void put16(Bytes &b, uint32_t v) { b.push_back(v & 0xFF); b.push_back((v >> 8) & 0xFF); }
void put32(Bytes &b, uint32_t v) { put16(b, v & 0xFFFF); put16(b, v >> 16); }

Bytes header(int width, int height, int bits, int paletteSize, uint32_t dataSize)
{
    Bytes b;
    const uint32_t offset = 14 + 40 + 4 * paletteSize;
    b.push_back('B');
    b.push_back('M');
    put32(b, offset + dataSize);
    put32(b, 0);
    put32(b, offset);
    put32(b, 40);
    put32(b, uint32_t(width));
    put32(b, uint32_t(height));
    put16(b, 1);
    put16(b, uint32_t(bits));
    put32(b, 0); // uncompressed
    put32(b, dataSize);
    put32(b, 2835); // 72 dpi
    put32(b, 2835);
    put32(b, uint32_t(paletteSize));
    put32(b, 0);
    return b;
}

// Inside the bar: a rectangle whose ends are fully rounded.
bool insideBar(int x, int y)
{
    const double left = 7, right = 725, top = 6, bottom = 56; // pixel edges
    const double r = (bottom - top) / 2;
    const double px = x + 0.5, py = y + 0.5;
    if (px < left || px > right || py < top || py > bottom)
        return false;
    double cx = px;
    if (px < left + r)
        cx = left + r;
    else if (px > right - r)
        cx = right - r;
    const double dx = px - cx, dy = py - (top + r);
    return dx * dx + dy * dy <= r * r;
}

Bytes makeBar()
{
    const int w = 732, h = 62, stride = w * 3; // 2196, already a multiple of 4
    Bytes b = header(w, h, 24, 0, uint32_t(stride * h));
    for (int row = h - 1; row >= 0; --row) { // bottom-up
        for (int x = 0; x < w; ++x) {
            const bool bar = insideBar(x, row);
            b.push_back(bar ? 240 : 0); // blue, green, red
            b.push_back(bar ? 202 : 0);
            b.push_back(bar ? 166 : 255);
        }
    }
    return b;
}

// The window icon, row by row from the top, in the classic 16-colour palette (hex digits);
// '.' is the background. A word card: a navy frame whose right edge steps out at the lines,
// a cyan face, two black and two blue lines of "text", a grey shadow.
const char *const iconRows[16] = {
    "................", ".4444444444444..", ".4EEEEEEEEEEE48.", ".4EEEEEEEEEEE48.",
    ".4EE00000000EE48", ".4EEEEEEEEEEE48.", ".4EE000000EEEE48", ".4EEEEEEEEEEE48.",
    ".4EECCCCCCCCEE48", ".4EEEEEEEEEEE48.", ".4EECCCCCEEEEE48", ".4EEEEEEEEEEE48.",
    ".4444444444444.8", "..888888888888.8", "................", "................"};
const uint32_t palette[16] = {0x000000, 0x800000, 0x008000, 0x808000, 0x000080, 0x800080,
                              0x008080, 0xC0C0C0, 0x808080, 0xFF0000, 0x00FF00, 0xFFFF00,
                              0x0000FF, 0xFF00FF, 0x00FFFF, 0xFFFFFF};

Bytes makeIcon()
{
    Bytes b = header(16, 16, 4, 16, 16 * 8);
    for (uint32_t rgb : palette) {
        b.push_back(rgb & 0xFF);
        b.push_back((rgb >> 8) & 0xFF);
        b.push_back((rgb >> 16) & 0xFF);
        b.push_back(0);
    }
    auto index = [](char c) -> uint8_t {
        if (c == '.')
            return 15; // white
        return uint8_t(c <= '9' ? c - '0' : c - 'A' + 10);
    };
    for (int row = 15; row >= 0; --row)
        for (int x = 0; x < 16; x += 2)
            b.push_back(uint8_t(index(iconRows[row][x]) << 4 | index(iconRows[row][x + 1])));
    return b;
}

// ---- PNG: RGBA, 8 bits a channel, one zlib stream of fixed-Huffman deflate with LZ77 matches.

uint32_t crc32(const Bytes &data)
{
    static const std::array<uint32_t, 256> table = [] {
        std::array<uint32_t, 256> t{};
        for (uint32_t n = 0; n < 256; ++n) {
            uint32_t c = n;
            for (int k = 0; k < 8; ++k)
                c = (c & 1) ? 0xEDB88320u ^ (c >> 1) : c >> 1;
            t[n] = c;
        }
        return t;
    }();
    uint32_t c = 0xFFFFFFFFu;
    for (uint8_t byte : data)
        c = table[(c ^ byte) & 0xFF] ^ (c >> 8);
    return c ^ 0xFFFFFFFFu;
}

uint32_t adler32(const Bytes &data)
{
    uint32_t a = 1, b = 0;
    for (uint8_t byte : data) {
        a = (a + byte) % 65521;
        b = (b + a) % 65521;
    }
    return b << 16 | a;
}

void putBigEndian32(Bytes &b, uint32_t v)
{
    for (int shift = 24; shift >= 0; shift -= 8)
        b.push_back(uint8_t(v >> shift));
}

// Deflate packs values from the least significant bit of each byte up; Huffman codes go in
// from their most significant bit.
class BitWriter
{
public:
    explicit BitWriter(Bytes &out) : out(out) {}
    void bits(uint32_t value, int count)
    {
        for (int i = 0; i < count; ++i)
            put((value >> i) & 1);
    }
    void code(uint32_t value, int length)
    {
        for (int i = length - 1; i >= 0; --i)
            put((value >> i) & 1);
    }
    void flush()
    {
        if (used > 0)
            out.push_back(pending);
        pending = 0;
        used = 0;
    }

private:
    void put(uint32_t bit)
    {
        pending = uint8_t(pending | bit << used);
        if (++used == 8)
            flush();
    }
    Bytes &out;
    uint8_t pending = 0;
    int used = 0;
};

// The fixed literal/length code of RFC 1951, 3.2.6.
void literalOrLength(BitWriter &w, int symbol)
{
    if (symbol <= 143)
        w.code(0x30 + symbol, 8);
    else if (symbol <= 255)
        w.code(0x190 + symbol - 144, 9);
    else if (symbol <= 279)
        w.code(symbol - 256, 7);
    else
        w.code(0xC0 + symbol - 280, 8);
}

Bytes deflate(const Bytes &data)
{
    static const uint16_t lengthBase[29] = {3,  4,  5,  6,  7,  8,  9,  10, 11,  13,  15,  17,  19,  23, 27,
                                            31, 35, 43, 51, 59, 67, 83, 99, 115, 131, 163, 195, 227, 258};
    static const uint8_t lengthExtra[29] = {0, 0, 0, 0, 0, 0, 0, 0, 1, 1, 1, 1, 2, 2, 2,
                                            2, 3, 3, 3, 3, 4, 4, 4, 4, 5, 5, 5, 5, 0};
    static const uint16_t distanceBase[30] = {1,    2,    3,    4,    5,    7,     9,     13,    17,  25,
                                              33,   49,   65,   97,   129,  193,   257,   385,   513, 769,
                                              1025, 1537, 2049, 3073, 4097, 6145, 8193, 12289, 16385, 24577};
    static const uint8_t distanceExtra[30] = {0, 0, 0, 0, 1, 1, 2, 2,  3,  3,  4,  4,  5,  5,  6,
                                              6, 7, 7, 8, 8, 9, 9, 10, 10, 11, 11, 12, 12, 13, 13};
    constexpr int window = 32768, minLength = 3, maxLength = 258, maxChain = 128;

    Bytes out;
    BitWriter w(out);
    w.bits(1, 1); // the last block
    w.bits(1, 2); // fixed Huffman codes
    const int size = int(data.size());
    std::vector<int> head(1 << 15, -1), previous(data.size(), -1);
    auto hash = [&](int i) { return (data[i] << 10 ^ data[i + 1] << 5 ^ data[i + 2]) & 0x7FFF; };
    auto remember = [&](int i) {
        if (i + minLength <= size) {
            previous[i] = head[hash(i)];
            head[hash(i)] = i;
        }
    };
    for (int i = 0; i < size;) {
        int bestLength = 0, bestDistance = 0;
        if (i + minLength <= size) {
            const int limit = std::min(maxLength, size - i);
            int chain = maxChain;
            for (int j = head[hash(i)]; j >= 0 && i - j <= window && chain-- > 0; j = previous[j]) {
                int length = 0;
                while (length < limit && data[j + length] == data[i + length])
                    ++length;
                if (length > bestLength) {
                    bestLength = length;
                    bestDistance = i - j;
                    if (length == limit)
                        break;
                }
            }
        }
        if (bestLength >= minLength) {
            int k = 28;
            while (lengthBase[k] > bestLength)
                --k;
            literalOrLength(w, 257 + k);
            w.bits(bestLength - lengthBase[k], lengthExtra[k]);
            int d = 29;
            while (distanceBase[d] > bestDistance)
                --d;
            w.code(d, 5);
            w.bits(bestDistance - distanceBase[d], distanceExtra[d]);
            for (int k = 0; k < bestLength; ++k)
                remember(i + k);
            i += bestLength;
        } else {
            literalOrLength(w, data[i]);
            remember(i);
            ++i;
        }
    }
    literalOrLength(w, 256); // end of block
    w.flush();
    return out;
}

// Each row gets the PNG filter whose output has the smallest sum of magnitudes.
Bytes filterRows(const Bytes &rgba, int width, int height)
{
    const int stride = width * 4;
    Bytes out;
    Bytes best, candidate(static_cast<size_t>(stride));
    for (int y = 0; y < height; ++y) {
        const uint8_t *row = &rgba[size_t(y) * stride];
        const uint8_t *up = y > 0 ? row - stride : nullptr;
        long bestCost = -1;
        int bestFilter = 0;
        for (int filter = 0; filter <= 4; ++filter) {
            long cost = 0;
            for (int i = 0; i < stride; ++i) {
                const int a = i >= 4 ? row[i - 4] : 0, b = up ? up[i] : 0, c = up && i >= 4 ? up[i - 4] : 0;
                int predictor = 0;
                switch (filter) {
                case 1: predictor = a; break;
                case 2: predictor = b; break;
                case 3: predictor = (a + b) / 2; break;
                case 4: {
                    const int p = a + b - c, pa = std::abs(p - a), pb = std::abs(p - b), pc = std::abs(p - c);
                    predictor = pa <= pb && pa <= pc ? a : pb <= pc ? b : c;
                    break;
                }
                }
                candidate[i] = uint8_t(row[i] - predictor);
                cost += std::abs(int(int8_t(candidate[i])));
            }
            if (bestCost < 0 || cost < bestCost) {
                bestCost = cost;
                bestFilter = filter;
                best = candidate;
            }
        }
        out.push_back(uint8_t(bestFilter));
        out.insert(out.end(), best.begin(), best.end());
    }
    return out;
}

void putChunk(Bytes &png, const char *type, const Bytes &data)
{
    putBigEndian32(png, uint32_t(data.size()));
    Bytes typed(type, type + 4);
    typed.insert(typed.end(), data.begin(), data.end());
    png.insert(png.end(), typed.begin(), typed.end());
    putBigEndian32(png, crc32(typed));
}

Bytes encodePng(const Bytes &rgba, int width, int height)
{
    Bytes png = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    Bytes ihdr;
    putBigEndian32(ihdr, uint32_t(width));
    putBigEndian32(ihdr, uint32_t(height));
    ihdr.insert(ihdr.end(), {8, 6, 0, 0, 0}); // 8 bits, RGBA, deflate, standard filters, no interlace
    putChunk(png, "IHDR", ihdr);
    const Bytes raw = filterRows(rgba, width, height);
    Bytes zlib = {0x78, 0x01};
    const Bytes compressed = deflate(raw);
    zlib.insert(zlib.end(), compressed.begin(), compressed.end());
    putBigEndian32(zlib, adler32(raw));
    putChunk(png, "IDAT", zlib);
    putChunk(png, "IEND", {});
    return png;
}

// ---- The menu and dock icon.

struct Rgba {
    uint8_t r, g, b, a;
};

// The 16-pixel icon: the window icon's pixels, its background transparent.
Bytes smallAppIcon()
{
    Bytes rgba;
    for (const char *row : iconRows) {
        for (int x = 0; x < 16; ++x) {
            if (row[x] == '.') {
                rgba.insert(rgba.end(), {0, 0, 0, 0});
                continue;
            }
            const uint32_t rgb = palette[row[x] <= '9' ? row[x] - '0' : row[x] - 'A' + 10];
            rgba.insert(rgba.end(), {uint8_t(rgb >> 16), uint8_t(rgb >> 8), uint8_t(rgb), 255});
        }
    }
    return rgba;
}

// Larger icons: the same card drawn from shapes on a design grid of 1024 units a side (64 to
// one pixel of the window icon), sampled 8 x 8 times a pixel. All arithmetic is on integers:
// a coordinate is kept in "fine" units, 2 * 8 * size of them to a design unit, in which the
// centre of sample j of pixel x lies at (2 * (8x + j) + 1) * 1024.
class CardPainter
{
public:
    explicit CardPainter(int size) : size(size) {}

    Bytes paint() const
    {
        const std::vector<Shape> shapes = layout();
        Bytes rgba;
        rgba.reserve(size_t(size) * size * 4);
        for (int y = 0; y < size; ++y) {
            for (int x = 0; x < size; ++x) {
                uint64_t r = 0, g = 0, b = 0, a = 0;
                for (int sy = 0; sy < samples; ++sy) {
                    for (int sx = 0; sx < samples; ++sx) {
                        const int64_t fx = (2 * int64_t(x * samples + sx) + 1) * 1024;
                        const int64_t fy = (2 * int64_t(y * samples + sy) + 1) * 1024;
                        for (auto shape = shapes.rbegin(); shape != shapes.rend(); ++shape) {
                            if (shape->contains(fx, fy)) { // the topmost shape here, premultiplied
                                r += uint64_t(shape->colour.r) * shape->colour.a;
                                g += uint64_t(shape->colour.g) * shape->colour.a;
                                b += uint64_t(shape->colour.b) * shape->colour.a;
                                a += shape->colour.a;
                                break;
                            }
                        }
                    }
                }
                const uint64_t n = samples * samples;
                auto unpremultiply = [a](uint64_t c) { return a ? uint8_t((c + a / 2) / a) : uint8_t(0); };
                rgba.insert(rgba.end(), {unpremultiply(r), unpremultiply(g), unpremultiply(b), uint8_t((a + n / 2) / n)});
            }
        }
        return rgba;
    }

private:
    static constexpr int samples = 8;

    struct Shape {
        int64_t left, top, right, bottom, radius;
        Rgba colour;
        bool contains(int64_t x, int64_t y) const
        {
            if (x < left || x >= right || y < top || y >= bottom)
                return false;
            const int64_t dx = x - std::clamp(x, left + radius, right - radius);
            const int64_t dy = y - std::clamp(y, top + radius, bottom - radius);
            return dx * dx + dy * dy <= radius * radius;
        }
    };

    // A design length in fine units, as it falls.
    int64_t exact(int design) const { return int64_t(design) * 2 * samples * size; }
    // A design coordinate moved to the nearest pixel edge, so that edges stay sharp.
    int64_t snapped(int design) const { return pixels((int64_t(design) * size * 2 + 1024) / 2048); }
    int64_t pixels(int64_t n) const { return n * 2 * samples * 1024; }

    std::vector<Shape> layout() const
    {
        static constexpr Rgba navy{0, 0, 128, 255}, cyan{0, 255, 255, 255}, black{0, 0, 0, 255},
            blue{0, 0, 255, 255}, shadow{0, 0, 0, 96};
        const int64_t frame = std::max(pixels(1), snapped(48));
        const int64_t radius = exact(40);
        const int64_t offset = std::max(pixels(1), snapped(48));
        // The card sits three quarters of a window-icon pixel lower than there, centring it with its shadow.
        const int down = 48;
        const int64_t left = snapped(64), top = snapped(64 + down), right = snapped(896), bottom = snapped(832 + down);
        const int64_t tabRight = snapped(944);

        struct Line {
            int row, end;
            Rgba colour;
        };
        const Line lines[4] = {{4, 768, black}, {6, 640, black}, {8, 768, blue}, {10, 576, blue}};

        std::vector<Shape> card, text;
        card.push_back({left, top, right, bottom, radius, navy});
        for (const Line &line : lines) {
            const int64_t lineTop = snapped(line.row * 64 + 8 + down);
            const int64_t lineBottom = std::max(lineTop + pixels(1), snapped(line.row * 64 + 56 + down));
            const int64_t tabTop = snapped(line.row * 64 + down), tabBottom = snapped(line.row * 64 + 64 + down);
            card.push_back({right - frame, tabTop, tabRight, tabBottom, (tabBottom - tabTop) / 2, navy});
            text.push_back({snapped(256), lineTop, snapped(line.end), lineBottom, (lineBottom - lineTop) / 2,
                            line.colour});
        }
        std::vector<Shape> shapes;
        for (Shape s : card) { // the shadow first, under everything
            s.left += offset;
            s.right += offset;
            s.top += offset;
            s.bottom += offset;
            s.colour = shadow;
            shapes.push_back(s);
        }
        shapes.insert(shapes.end(), card.begin(), card.end());
        shapes.push_back({left + frame, top + frame, right - frame, bottom - frame, std::max<int64_t>(0, radius - frame), cyan});
        shapes.insert(shapes.end(), text.begin(), text.end());
        return shapes;
    }

    int size;
};

const int appIconSizes[] = {16, 22, 24, 32, 48, 64, 128, 256};

Bytes makeAppIcon(int size)
{
    return encodePng(size == 16 ? smallAppIcon() : CardPainter(size).paint(), size, size);
}

Bytes readFile(const std::string &path)
{
    std::ifstream in(path, std::ios::binary);
    return Bytes(std::istreambuf_iterator<char>(in), {});
}

} // namespace

int main(int argc, char **argv)
{
    const bool check = argc == 3 && std::string(argv[1]) == "--check";
    if (argc != 2 && !check) {
        std::cerr << "usage: makeresources [--check] DIR\n";
        return 2;
    }
    const std::string dir = argv[argc - 1];
    std::vector<std::pair<std::string, Bytes>> files = {{"bar.bmp", makeBar()}, {"icon.bmp", makeIcon()}};
    for (int size : appIconSizes)
        files.emplace_back("appicon-" + std::to_string(size) + ".png", makeAppIcon(size));
    int status = 0;
    for (const auto &[name, bytes] : files) {
        const std::string path = dir + "/" + name;
        if (check) {
            if (readFile(path) != bytes) {
                std::cerr << path << " differs from what makeresources makes\n";
                status = 1;
            }
        } else {
            std::ofstream out(path, std::ios::binary | std::ios::trunc);
            out.write(reinterpret_cast<const char *>(bytes.data()), std::streamsize(bytes.size()));
        }
    }
    if (check && status == 0)
        std::cout << "the " << files.size() << " pictures are as makeresources makes them\n";
    return status;
}
