// Makes the two bitmaps in this folder, reproducibly:
//   bar.bmp   732 x 62, 24 bits per pixel: a light-blue bar (166, 202, 240) with rounded
//             ends inside a pure-red surround 6 to 7 pixels wide (red is the strip's colour key).
//   icon.bmp  16 x 16, 16 colours: the main window's icon.
// Usage: makeresources DIR          writes both files into DIR
//        makeresources --check DIR  exits 1 if the files in DIR differ from what it makes

#include <cstdint>
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

Bytes makeIcon()
{
    // The 16 colours of the classic palette; the picture is a word card: a navy frame,
    // a sky-blue face and three lines of "text".
    static const uint32_t palette[16] = {0x000000, 0x800000, 0x008000, 0x808000, 0x000080, 0x800080,
                                         0x008080, 0xC0C0C0, 0x808080, 0xFF0000, 0x00FF00, 0xFFFF00,
                                         0x0000FF, 0xFF00FF, 0x00FFFF, 0xFFFFFF};
    static const char *rows[16] = {
        "................", ".4444444444444..", ".4EEEEEEEEEEE48.", ".4EEEEEEEEEEE48.",
        ".4EE00000000EE48", ".4EEEEEEEEEEE48.", ".4EE000000EEEE48", ".4EEEEEEEEEEE48.",
        ".4EECCCCCCCCEE48", ".4EEEEEEEEEEE48.", ".4EECCCCCEEEEE48", ".4EEEEEEEEEEE48.",
        ".4444444444444.8", "..888888888888.8", "................", "................"};
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
            b.push_back(uint8_t(index(rows[row][x]) << 4 | index(rows[row][x + 1])));
    return b;
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
    const std::pair<const char *, Bytes> files[] = {{"bar.bmp", makeBar()}, {"icon.bmp", makeIcon()}};
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
        std::cout << "bar.bmp and icon.bmp are as makeresources makes them\n";
    return status;
}
