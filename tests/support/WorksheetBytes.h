// Helpers for tests that write worksheet and name-field containers by hand:
// little-endian lengths, ASCII/byte text blocks and small JPEG pictures.
// Builds bytes only; never reads or writes through the file layer.
#pragma once

#include <QBuffer>
#include <QByteArray>
#include <QImage>
#include <QImageWriter>
#include <QList>
#include <cstdint>
#include <optional>

namespace wsbytes
{

inline QByteArray le32(int32_t v)
{
    const uint32_t u = uint32_t(v);
    QByteArray b;
    b.append(char(u & 0xFF))
        .append(char((u >> 8) & 0xFF))
        .append(char((u >> 16) & 0xFF))
        .append(char(u >> 24));
    return b;
}

// A text block given as raw bytes: each line followed by CR LF.
inline QByteArray lines(const QList<QByteArray> &ls)
{
    QByteArray b;
    for (const QByteArray &l : ls)
        b += l + "\r\n";
    return b;
}

inline QByteArray withLength(const QByteArray &block)
{
    return le32(int32_t(block.size())) + block;
}

inline QByteArray jpeg(int w, int h, QRgb colour)
{
    QImage img(w, h, QImage::Format_RGB32);
    img.fill(colour);
    QByteArray out;
    QBuffer buf(&out);
    buf.open(QIODevice::WriteOnly);
    QImageWriter writer(&buf, "jpeg");
    writer.write(img);
    return out;
}

struct Container {
    QList<QByteArray> header{"Tavenor,Print Header", "0.6", "", "0", "0"};
    int32_t pages = 1;
    QList<QByteArray> objects;  // object lines after the two block lines
    QList<QByteArray> pictures; // JPEG bytes; empty = empty entry
    std::optional<int32_t> colour = 255;
    std::optional<QList<QByteArray>> printer =
        QList<QByteArray>{"Tavenor Print,PrinterSetting", "0.6", "---", "9", "1", "210", "297"};

    QByteArray bytes() const
    {
        QByteArray b = withLength(lines(header));
        b += le32(pages);
        QList<QByteArray> obj{"Tavenor,Print AData", "0.6"};
        obj += objects;
        b += withLength(lines(obj));
        b += le32(int32_t(pictures.size()));
        for (const QByteArray &p : pictures)
            b += withLength(p);
        if (colour)
            b += le32(*colour);
        if (printer)
            b += withLength(lines(*printer));
        return b;
    }
};

// An object line of `fields` fields: the given leading pieces, the rest empty,
// each followed by ",".
inline QByteArray objectLine(const QList<QByteArray> &leading, int fields)
{
    QByteArray b;
    for (int i = 0; i < fields; ++i)
        b += (i < leading.size() ? leading[i] : QByteArray()) + ",";
    return b;
}

} // namespace wsbytes
