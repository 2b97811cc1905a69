// SPDX-FileCopyrightText: 2026 The TicTacToe developers
// SPDX-License-Identifier: GPL-3.0-or-later
//
// paint-icon ICON.svg SIZE OUT.png
//
// Paints the icon's SVG at SIZE x SIZE pixels, so that every PNG in the icon
// theme comes from the one hand-written SVG without an SVG renderer at build
// time. The icon is a few filled rects, which is all this understands.
#include <QColor>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QPainter>
#include <QRectF>
#include <QXmlStreamReader>

#include <cstdio>
#include <vector>

namespace {
struct Rect
{
    QRectF area;
    QColor color;
};

double number(const QXmlStreamAttributes &attributes, const QString &name)
{
    return attributes.value(name).toDouble();
}

// Reads the viewBox and the rects. Any other element is refused, so an icon
// that outgrows this painter fails the build instead of losing its parts.
bool readIcon(const QString &path, QSizeF &box, std::vector<Rect> &rects)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return false;
    QXmlStreamReader xml(&file);
    while (!xml.atEnd()) {
        if (xml.readNext() != QXmlStreamReader::StartElement)
            continue;
        const QXmlStreamAttributes attributes = xml.attributes();
        if (xml.name() == QLatin1String("svg")) {
            const QStringList view = attributes.value(QLatin1String("viewBox"))
                                         .toString()
                                         .split(QLatin1Char(' '), Qt::SkipEmptyParts);
            if (view.size() != 4)
                return false;
            box = QSizeF(view[2].toDouble(), view[3].toDouble());
        } else if (xml.name() == QLatin1String("rect")) {
            QColor color(attributes.value(QLatin1String("fill")).toString());
            rects.push_back({QRectF(number(attributes, QStringLiteral("x")),
                                 number(attributes, QStringLiteral("y")),
                                 number(attributes, QStringLiteral("width")),
                                 number(attributes, QStringLiteral("height"))),
                color.isValid() ? color : QColor(Qt::black)});
        } else {
            std::fprintf(stderr, "paint-icon: cannot paint <%s>\n",
                xml.name().toString().toLocal8Bit().constData());
            return false;
        }
    }
    return !xml.hasError() && !box.isEmpty() && !rects.empty();
}
} // namespace

int main(int argc, char *argv[])
{
    if (argc != 4) {
        std::fputs("usage: paint-icon ICON.svg SIZE OUT.png\n", stderr);
        return 2;
    }
    const QString svg = QString::fromLocal8Bit(argv[1]);
    const int size = QByteArray(argv[2]).toInt();
    const QString out = QString::fromLocal8Bit(argv[3]);

    QSizeF box;
    std::vector<Rect> rects;
    if (!readIcon(svg, box, rects) || size <= 0) {
        std::fprintf(stderr, "paint-icon: cannot read %s\n", argv[1]);
        return 1;
    }

    QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.scale(size / box.width(), size / box.height());
    for (const Rect &rect : rects)
        painter.fillRect(rect.area, rect.color);
    painter.end();

    QDir().mkpath(QFileInfo(out).absolutePath());
    if (!image.convertToFormat(QImage::Format_ARGB32).save(out, "PNG")) {
        std::fprintf(stderr, "paint-icon: cannot write %s\n", argv[3]);
        return 1;
    }
    return 0;
}
