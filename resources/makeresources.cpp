// Makes the pictures in this folder:
//   bar.bmp          732 x 62: a light-blue bar (166, 202, 240) with round ends inside a pure-red
//                    surround 6 to 7 pixels wide (red is the strip's colour key).
//   icon.bmp         16 x 16, 16 colours: the main window's icon, a word card.
//   appicon-N.png    the menu and dock icon, N x N with transparency for N = 16 to 256: the same
//                    word card; at 16 pixels it is icon.bmp's pixels on a transparent background.
// Usage: makeresources DIR          writes the files into DIR
//        makeresources --check DIR  exits 1 if a picture in DIR shows other pixels than it makes

#include <QImage>
#include <QPainter>
#include <QPainterPath>

#include <algorithm>
#include <cmath>
#include <iostream>
#include <string>
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

// The menu icon: the window icon's word card drawn from its shapes on a design grid of 1024
// units a side (64 to a pixel of the window icon), edges on whole pixels so they stay sharp;
// at 16 pixels, the window icon itself.
QImage makeAppIcon(int size)
{
    if (size == 16) {
        QImage icon = makeIcon().convertToFormat(QImage::Format_ARGB32);
        for (int y = 0; y < 16; ++y)
            for (int x = 0; x < 16; ++x)
                if (icon.pixel(x, y) == qRgb(255, 255, 255))
                    icon.setPixel(x, y, qRgba(0, 0, 0, 0));
        return icon;
    }
    auto at = [size](int design) { return std::round(design * size / 1024.0); };
    const QColor navy(0, 0, 128), cyan(0, 255, 255), shadow(0, 0, 0, 96);
    const qreal frame = std::max(1.0, at(48)), radius = 40.0 * size / 1024;
    const int down = 48; // the card a little lower than in the window icon, centring it with its shadow
    const QRectF card(QPointF(at(64), at(64 + down)), QPointF(at(896), at(832 + down)));
    struct Line {
        int row, end;
        QColor colour;
    };
    const Line lines[4] = {{4, 768, Qt::black}, {6, 640, Qt::black}, {8, 768, Qt::blue}, {10, 576, Qt::blue}};

    // The card's outline with a tab beside each line of text.
    QPainterPath outline;
    outline.setFillRule(Qt::WindingFill);
    outline.addRoundedRect(card, radius, radius);
    for (const Line &line : lines) {
        const QRectF tab(QPointF(card.right() - frame, at(line.row * 64 + down)),
                         QPointF(at(944), at(line.row * 64 + 64 + down)));
        outline.addRoundedRect(tab, tab.height() / 2, tab.height() / 2);
    }

    QImage icon(size, size, QImage::Format_ARGB32_Premultiplied);
    icon.fill(Qt::transparent);
    QPainter painter(&icon);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(Qt::NoPen);
    painter.fillPath(outline.translated(frame, frame), shadow);
    painter.fillPath(outline, navy);
    const qreal inner = std::max(0.0, radius - frame);
    painter.setBrush(cyan);
    painter.drawRoundedRect(card.adjusted(frame, frame, -frame, -frame), inner, inner);
    for (const Line &line : lines) {
        const qreal top = at(line.row * 64 + 8 + down), bottom = std::max(top + 1, at(line.row * 64 + 56 + down));
        painter.setBrush(line.colour);
        painter.drawRoundedRect(QRectF(QPointF(at(256), top), QPointF(at(line.end), bottom)), (bottom - top) / 2,
                                (bottom - top) / 2);
    }
    painter.end();
    return icon.convertToFormat(QImage::Format_ARGB32);
}

const int appIconSizes[] = {16, 22, 24, 32, 48, 64, 128, 256};

} // namespace

int main(int argc, char **argv)
{
    const bool check = argc == 3 && std::string(argv[1]) == "--check";
    if (argc != 2 && !check) {
        std::cerr << "usage: makeresources [--check] DIR\n";
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
