// Makes the pictures in this folder:
//   bar.bmp          732 x 62: a light-blue bar (166, 202, 240) with round ends inside a pure-red
//                    surround 6 to 7 pixels wide (red is the strip's colour key).
//   icon.bmp         16 x 16, 16 colours: the main window's icon, a word card.
//   appicon-N.png    the menu and dock icon, N x N with transparency for N = 16 to 256: the same
//                    word card; at 16 pixels it is icon.bmp's pixels on a transparent background.
// and, at build time, the Windows program's icon and the setup program's picture:
//   FILE.ico         the menu icon at 16, 24, 32, 48, 64, 128 and 256 pixels, each as Windows
//                    keeps it in a program: 32-bit colour with transparency, the largest as PNG.
//   FILE.bmp         164 x 314, 24-bit: the picture on the setup program's welcome and finish
//                    pages, the menu icon at 128 pixels on the bar's light blue.
// Usage: makeresources DIR             writes the pictures into DIR
//        makeresources --check DIR     exits 1 if a picture in DIR shows other pixels than it makes
//        makeresources --ico FILE      writes the Windows icon
//        makeresources --wizard FILE   writes the setup program's picture

#include <QBuffer>
#include <QFile>
#include <QImage>
#include <QPainter>
#include <QtEndian>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <iostream>
#include <string>
#include <utility>
#include <vector>

namespace {

const QRgb red = qRgb(255, 0, 0), skyBlue = qRgb(166, 202, 240);

// The bar: a rectangle with fully round ends, pixel edges 7 to 725 across and 6 to 56 down; a
// pixel belongs to it when its centre lies inside. Each row is filled from its left to its right end.
QImage makeBar()
{
    QImage bar(732, 62, QImage::Format_RGB32);
    bar.fill(red);
    const double left = 7, right = 725, top = 6, bottom = 56, radius = (bottom - top) / 2;
    QPainter painter(&bar);
    for (int y = 0; y < bar.height(); ++y) {
        const double dy = y + 0.5 - (top + radius);
        if (std::abs(dy) > radius)
            continue;
        const double reach = std::sqrt(radius * radius - dy * dy); // from a circle's centre
        const int from = int(std::ceil(left + radius - reach - 0.5));
        const int to = int(std::floor(right - radius + reach - 0.5)); // the last pixel
        painter.fillRect(QRect(from, y, to - from + 1, 1), QColor(skyBlue));
    }
    return bar;
}

// The window icon in the 16 standard colours, a row a line: '.' white, else the colour's index.
const char *const iconRows[16] = {
    "................", ".4444444444444..", ".4EEEEEEEEEEE48.", ".4EEEEEEEEEEE48.",
    ".4EE00000000EE48", ".4EEEEEEEEEEE48.", ".4EE000000EEEE48", ".4EEEEEEEEEEE48.",
    ".4EECCCCCCCCEE48", ".4EEEEEEEEEEE48.", ".4EECCCCCEEEEE48", ".4EEEEEEEEEEE48.",
    ".4444444444444.8", "..888888888888.8", "................", "................"};
const QRgb standardColours[16] = {0x000000, 0x800000, 0x008000, 0x808000, 0x000080, 0x800080,
                                  0x008080, 0xC0C0C0, 0x808080, 0xFF0000, 0x00FF00, 0xFFFF00,
                                  0x0000FF, 0xFF00FF, 0x00FFFF, 0xFFFFFF};

QImage makeIcon()
{
    QImage icon(16, 16, QImage::Format_Indexed8);
    QList<QRgb> colours;
    for (QRgb c : standardColours)
        colours.append(c | 0xFF000000u);
    icon.setColorTable(colours);
    for (int y = 0; y < 16; ++y)
        for (int x = 0; x < 16; ++x) {
            const char c = iconRows[y][x];
            icon.setPixel(x, y, c == '.' ? 15 : c <= '9' ? c - '0' : c - 'A' + 10);
        }
    return icon;
}

// The larger menu icons: the window icon's word card drawn from its shapes on a design grid of
// 1024 units a side (64 to a pixel of the window icon), its edges on whole pixels so they stay
// sharp, and smoothed by 8 x 8 samples a pixel. QPainter fills each shape on a picture 8 times
// as large, where a sample is a pixel that belongs to the shape when its centre lies inside;
// each pixel of the icon is then the mean of its samples, weighted by their opacity.
class CardPainter
{
public:
    explicit CardPainter(int size) : m_size(size) {}

    QImage paint() const
    {
        QImage samples(m_size * samplesPerPixel, m_size * samplesPerPixel, QImage::Format_ARGB32);
        samples.fill(Qt::transparent);
        QPainter painter(&samples);
        painter.setCompositionMode(QPainter::CompositionMode_Source); // the topmost shape's colour
        for (const Shape &shape : layout())
            for (int y = 0; y < samples.height(); ++y)
                if (const auto [from, to] = shape.samplesInRow(y); from <= to)
                    painter.fillRect(QRect(from, y, to - from + 1, 1), shape.colour);
        painter.end();

        QImage icon(m_size, m_size, QImage::Format_ARGB32);
        for (int y = 0; y < m_size; ++y)
            for (int x = 0; x < m_size; ++x) {
                int64_t r = 0, g = 0, b = 0, a = 0;
                for (int sy = 0; sy < samplesPerPixel; ++sy)
                    for (int sx = 0; sx < samplesPerPixel; ++sx) {
                        const QRgb s = samples.pixel(x * samplesPerPixel + sx, y * samplesPerPixel + sy);
                        r += qRed(s) * qAlpha(s);
                        g += qGreen(s) * qAlpha(s);
                        b += qBlue(s) * qAlpha(s);
                        a += qAlpha(s);
                    }
                const int64_t n = samplesPerPixel * samplesPerPixel;
                auto mean = [a](int64_t c) { return a ? int((c + a / 2) / a) : 0; };
                icon.setPixel(x, y, qRgba(mean(r), mean(g), mean(b), int((a + n / 2) / n)));
            }
        return icon;
    }

private:
    static constexpr int samplesPerPixel = 8;
    // Lengths are kept in whole "fine" units, 2 * samplesPerPixel * 1024 to a pixel, in which
    // the centre of sample k lies at (2k + 1) * 1024.
    static constexpr int64_t sampleCentre(int k) { return (2 * int64_t(k) + 1) * 1024; }

    // A rectangle with round corners of the given radius, in fine units.
    struct Shape {
        int64_t left, top, right, bottom, radius;
        QColor colour;

        // The first and last sample of row y whose centre lies inside (first > last: none).
        std::pair<int, int> samplesInRow(int y) const
        {
            const int64_t cy = sampleCentre(y);
            if (cy < top || cy >= bottom)
                return {1, 0};
            const int64_t dy = cy - std::clamp(cy, top + radius, bottom - radius);
            if (dy * dy > radius * radius)
                return {1, 0};
            int64_t reach = int64_t(std::sqrt(double(radius * radius - dy * dy))); // from a corner's centre
            while (reach * reach > radius * radius - dy * dy)
                --reach;
            while ((reach + 1) * (reach + 1) <= radius * radius - dy * dy)
                ++reach;
            const int64_t from = std::max(left, left + radius - reach);
            const int64_t to = std::min(right - 1, right - radius + reach); // the last fine unit inside
            // The samples whose centre lies in [from, to] (every coordinate here is positive).
            const int first = int((from - 1024 + 2047) / 2048), last = int((to - 1024) / 2048);
            return {first, last};
        }
    };

    // A design length in fine units, as it falls.
    int64_t exact(int design) const { return int64_t(design) * 2 * samplesPerPixel * m_size; }
    // A design coordinate moved to the nearest pixel edge.
    int64_t snapped(int design) const { return pixels((int64_t(design) * m_size * 2 + 1024) / 2048); }
    static int64_t pixels(int64_t n) { return n * 2 * samplesPerPixel * 1024; }

    // The shapes from the bottom up: the card's shadow, the card (a navy outline with a tab
    // beside each line of text), its cyan face, the four lines of text.
    std::vector<Shape> layout() const
    {
        const QColor navy(0, 0, 128), cyan(0, 255, 255), shadow(0, 0, 0, 96);
        const int64_t frame = std::max(pixels(1), snapped(48));
        const int64_t radius = exact(40);
        const int64_t offset = std::max(pixels(1), snapped(48)); // of the shadow
        const int down = 48; // the card a little lower than in the window icon, centring it with its shadow
        const int64_t left = snapped(64), top = snapped(64 + down), right = snapped(896), bottom = snapped(832 + down);
        const int64_t tabRight = snapped(944);
        struct Line {
            int row, end;
            QColor colour;
        };
        const Line lines[4] = {{4, 768, Qt::black}, {6, 640, Qt::black}, {8, 768, Qt::blue}, {10, 576, Qt::blue}};

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
        for (Shape s : card)
            shapes.push_back({s.left + offset, s.top + offset, s.right + offset, s.bottom + offset, s.radius, shadow});
        shapes.insert(shapes.end(), card.begin(), card.end());
        shapes.push_back({left + frame, top + frame, right - frame, bottom - frame, std::max<int64_t>(0, radius - frame), cyan});
        shapes.insert(shapes.end(), text.begin(), text.end());
        return shapes;
    }

    int m_size;
};

// The menu icon: at 16 pixels the window icon itself, larger the card from its shapes.
QImage makeAppIcon(int size)
{
    if (size > 16)
        return CardPainter(size).paint();
    QImage icon = makeIcon().convertToFormat(QImage::Format_ARGB32);
    for (int y = 0; y < 16; ++y)
        for (int x = 0; x < 16; ++x)
            if (icon.pixel(x, y) == qRgb(255, 255, 255))
                icon.setPixel(x, y, qRgba(0, 0, 0, 0));
    return icon;
}

const int appIconSizes[] = {16, 22, 24, 32, 48, 64, 128, 256};
// The sizes Windows shows a program's icon at (22 is a Linux desktop's size alone).
const int windowsIconSizes[] = {16, 24, 32, 48, 64, 128, 256};

void append16(QByteArray &out, quint16 value)
{
    value = qToLittleEndian(value);
    out.append(reinterpret_cast<const char *>(&value), sizeof value);
}

void append32(QByteArray &out, quint32 value)
{
    value = qToLittleEndian(value);
    out.append(reinterpret_cast<const char *>(&value), sizeof value);
}

// One image of an icon file: below 256 pixels a device-independent bitmap of twice the height
// (the colour rows, then the mask rows, both from the bottom up; the mask marks the fully
// transparent pixels), at 256 pixels a PNG, which Windows reads there and which is far smaller.
QByteArray iconImage(const QImage &image)
{
    QByteArray out;
    if (image.width() >= 256) {
        QBuffer buffer(&out);
        buffer.open(QIODevice::WriteOnly);
        image.save(&buffer, "PNG");
        return out;
    }
    const QImage argb = image.convertToFormat(QImage::Format_ARGB32);
    const int width = argb.width(), height = argb.height();
    const int maskStride = (width + 31) / 32 * 4;
    append32(out, 40); // BITMAPINFOHEADER
    append32(out, quint32(width));
    append32(out, quint32(height * 2));
    append16(out, 1);  // planes
    append16(out, 32); // bits per pixel
    append32(out, 0);  // no compression
    append32(out, quint32(width * height * 4 + maskStride * height));
    append32(out, 0);
    append32(out, 0);
    append32(out, 0);
    append32(out, 0);
    for (int y = height - 1; y >= 0; --y)
        for (int x = 0; x < width; ++x) {
            const QRgb p = argb.pixel(x, y);
            out.append(char(qBlue(p))).append(char(qGreen(p))).append(char(qRed(p))).append(char(qAlpha(p)));
        }
    for (int y = height - 1; y >= 0; --y) {
        QByteArray row(maskStride, '\0');
        for (int x = 0; x < width; ++x)
            if (qAlpha(argb.pixel(x, y)) == 0)
                row[x / 8] = char(row[x / 8] | (0x80 >> (x % 8)));
        out.append(row);
    }
    return out;
}

// An icon file: its header, a directory entry for each image, the images.
QByteArray makeWindowsIcon()
{
    std::vector<std::pair<int, QByteArray>> images;
    for (int size : windowsIconSizes)
        images.emplace_back(size, iconImage(makeAppIcon(size)));
    QByteArray out;
    append16(out, 0);
    append16(out, 1); // an icon, not a cursor
    append16(out, quint16(images.size()));
    quint32 offset = quint32(6 + 16 * images.size());
    for (const auto &[size, data] : images) {
        out.append(char(size & 0xFF)).append(char(size & 0xFF)); // 0 stands for 256
        out.append('\0').append('\0');                            // no palette, reserved
        append16(out, 1);
        append16(out, 32);
        append32(out, quint32(data.size()));
        append32(out, offset);
        offset += quint32(data.size());
    }
    for (const auto &image : images)
        out.append(image.second);
    return out;
}

// The picture on the left of the setup program's welcome and finish pages, at the size NSIS's
// Modern UI shows it: the menu icon, a third of the way down, on the bar's light blue.
QImage makeWizardPicture()
{
    QImage picture(164, 314, QImage::Format_RGB888);
    picture.fill(skyBlue);
    QPainter painter(&picture);
    painter.drawImage((picture.width() - 128) / 2, 72, makeAppIcon(128));
    return picture;
}

} // namespace

int main(int argc, char **argv)
{
    if (argc == 3 && std::string(argv[1]) == "--ico") {
        QFile file(QString::fromLocal8Bit(argv[2]));
        if (!file.open(QIODevice::WriteOnly) || file.write(makeWindowsIcon()) < 0 || !file.flush()) {
            std::cerr << argv[2] << ": cannot write\n";
            return 1;
        }
        return 0;
    }
    if (argc == 3 && std::string(argv[1]) == "--wizard") {
        if (!makeWizardPicture().save(QString::fromLocal8Bit(argv[2]), "BMP")) {
            std::cerr << argv[2] << ": cannot write\n";
            return 1;
        }
        return 0;
    }
    const bool check = argc == 3 && std::string(argv[1]) == "--check";
    if (argc != 2 && !check) {
        std::cerr << "usage: makeresources [--check] DIR | makeresources --ico FILE | makeresources --wizard FILE\n";
        return 2;
    }
    const QString dir = QString::fromLocal8Bit(argv[argc - 1]);
    std::vector<std::pair<QString, QImage>> files = {{QStringLiteral("bar.bmp"), makeBar()},
                                                      {QStringLiteral("icon.bmp"), makeIcon()}};
    for (int size : appIconSizes)
        files.emplace_back(QStringLiteral("appicon-%1.png").arg(size), makeAppIcon(size));
    int status = 0;
    for (const auto &[name, image] : files) {
        const QString path = dir + u'/' + name;
        if (check) {
            const QImage existing(path);
            if (existing.convertToFormat(QImage::Format_ARGB32) != image.convertToFormat(QImage::Format_ARGB32)) {
                std::cerr << qPrintable(path) << " shows other pixels than makeresources makes\n";
                status = 1;
            }
        } else if (!image.save(path)) {
            std::cerr << qPrintable(path) << ": cannot write\n";
            status = 1;
        }
    }
    if (check && status == 0)
        std::cout << "the " << files.size() << " pictures are as makeresources makes them\n";
    return status;
}
