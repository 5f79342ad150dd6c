#include "platform/glyphs.h"

#include <QFile>
#include <QImage>
#include <QPainter>
#include <QPainterPath>
#include <QRawFont>
#include <QTransform>
#include <cmath>

namespace platform {
namespace {

// Outlines are flattened at this pixel size, then scaled down to the em.
constexpr double kOutlinePixels = 64.0;

bool openFont(const std::string& file, double pixelSize, QRawFont& font, std::string& error) {
    if (!QFile::exists(QString::fromStdString(file))) {
        error = "Unable to create font: the font file " + file + " is missing.";
        return false;
    }
    font.loadFromFile(QString::fromStdString(file), pixelSize, QFont::PreferNoHinting);
    if (!font.isValid()) {
        error = "Unable to create font: the font file " + file + " cannot be read.";
        return false;
    }
    return true;
}

quint32 glyphFor(const QRawFont& font, int code) {
    if (code < 32 || code == 127) return 0;  // control codes have no glyph
    QChar ch(static_cast<char16_t>(code));
    QList<quint32> idx = font.glyphIndexesForString(QString(ch));
    return idx.isEmpty() ? 0 : idx.first();
}

double advanceOf(const QRawFont& font, quint32 glyph) {
    QList<QPointF> adv = font.advancesForGlyphIndexes(QList<quint32>{glyph});
    return adv.isEmpty() ? 0.0 : adv.first().x();
}

}  // namespace

std::string FontFileFor(const std::string& face, int weight) {
    const bool bold = weight >= 600;
    const std::string liberation = "/usr/share/fonts/truetype/liberation/";
    if (face == "Arial") return liberation + (bold ? "LiberationSans-Bold.ttf" : "LiberationSans-Regular.ttf");
    if (face == "Times New Roman")
        return liberation + (bold ? "LiberationSerif-Bold.ttf" : "LiberationSerif-Regular.ttf");
    return std::string("/usr/share/fonts/truetype/dejavu/") + (bold ? "DejaVuSans-Bold.ttf" : "DejaVuSans.ttf");
}

bool ReadOutlineGlyphs(const std::string& fontFile, bool italic, std::array<GlyphOutline, 128>& out,
                       std::string& error) {
    QRawFont font;
    if (!openFont(fontFile, kOutlinePixels, font, error)) return false;
    // Qt's paths run y downwards; the em is 1 with y up. Italic is a slant.
    QTransform toEm = QTransform::fromScale(1.0 / kOutlinePixels, -1.0 / kOutlinePixels);
    if (italic) toEm = toEm * QTransform(1, 0, 0.2, 1, 0, 0);
    for (int code = 0; code < 128; ++code) {
        GlyphOutline& g = out[static_cast<std::size_t>(code)];
        g = {};
        quint32 glyph = glyphFor(font, code);
        if (code >= 32 && code != 127) g.advance = advanceOf(font, glyph) / kOutlinePixels;
        if (glyph == 0) continue;
        const QPainterPath path = font.pathForGlyph(glyph);
        for (const QPolygonF& poly : path.toSubpathPolygons(toEm)) {
            std::vector<GlyphPoint> contour;
            contour.reserve(static_cast<std::size_t>(poly.size()));
            for (const QPointF& p : poly) {
                if (!contour.empty() && contour.back().x == p.x() && contour.back().y == p.y()) continue;
                contour.push_back({p.x(), p.y()});
            }
            // Subpaths come back closed; the tessellator wants each point once.
            if (contour.size() > 1 && contour.front().x == contour.back().x && contour.front().y == contour.back().y)
                contour.pop_back();
            if (contour.size() >= 3) g.contours.push_back(std::move(contour));
        }
    }
    return true;
}

bool ReadBitmapGlyphs(const std::string& fontFile, int pixelHeight, std::array<GlyphBitmap, 128>& out,
                      std::string& error) {
    QRawFont font;
    if (!openFont(fontFile, pixelHeight, font, error)) return false;
    const int ascent = static_cast<int>(std::ceil(font.ascent()));
    const int descent = static_cast<int>(std::ceil(font.descent()));
    const int height = ascent + descent;
    for (int code = 0; code < 128; ++code) {
        GlyphBitmap& g = out[static_cast<std::size_t>(code)];
        g = {};
        quint32 glyph = glyphFor(font, code);
        if (code < 32 || code == 127) continue;
        g.advance = std::round(advanceOf(font, glyph));
        QRectF box = font.boundingRect(glyph);
        // A margin of one pixel around the glyph's box catches stray edges.
        const int left = static_cast<int>(std::floor(box.left())) - 1;
        const int width = std::max(1, static_cast<int>(std::ceil(box.right())) - left + 1);
        QImage img(width, height, QImage::Format_Grayscale8);
        img.fill(255);
        {
            QPainter p(&img);
            p.setRenderHint(QPainter::Antialiasing, true);
            QPainterPath path = font.pathForGlyph(glyph);
            p.fillPath(path.translated(-left, ascent), Qt::black);
        }
        g.width = width;
        g.height = height;
        g.xorig = -left;
        g.yorig = descent;
        const int stride = (width + 7) / 8;
        g.bits.assign(static_cast<std::size_t>(stride * height), 0);
        for (int row = 0; row < height; ++row) {
            const uchar* line = img.constScanLine(height - 1 - row);  // bottom row first
            for (int x = 0; x < width; ++x)
                if (line[x] < 128) g.bits[static_cast<std::size_t>(row * stride + x / 8)] |= static_cast<unsigned char>(0x80 >> (x % 8));
        }
    }
    return true;
}

}  // namespace platform
