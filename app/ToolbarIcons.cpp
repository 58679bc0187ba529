#include "ToolbarIcons.h"

#include <QApplication>
#include <QIconEngine>
#include <QPainter>
#include <QStyle>
#include <QStyleOption>
#include <QPainterPath>
#include <QPixmap>
#include <QPolygon>

namespace {

constexpr int kWidth = 16;
constexpr int kHeight = 15;

void DrawPage(QPainter& p, int left, int top, int right, int bottom) {
    const QPolygon page({{left, top}, {right - 3, top}, {right, top + 3}, {right, bottom}, {left, bottom}});
    p.setPen(Qt::black);
    p.setBrush(Qt::white);
    p.drawPolygon(page);
    p.drawPolyline(QPolygon({{right - 3, top}, {right - 3, top + 3}, {right, top + 3}}));
}

void DrawLines(QPainter& p, int left, int right, int top, int bottom) {
    p.setPen(QColor(0, 0, 128));
    for (int y = top; y <= bottom; y += 2) p.drawLine(left, y, right, y);
}

void DrawNew(QPainter& p) { DrawPage(p, 3, 0, 12, 14); }

void DrawOpen(QPainter& p) {
    p.setPen(Qt::black);
    p.setBrush(QColor(255, 255, 0));
    p.drawPolygon(QPolygon({{0, 4}, {1, 3}, {5, 3}, {6, 4}, {11, 4}, {11, 13}, {0, 13}}));
    p.setBrush(QColor(128, 128, 0));
    p.drawPolygon(QPolygon({{2, 7}, {15, 7}, {12, 13}, {0, 13}}));
}

void DrawSave(QPainter& p) {
    p.setPen(Qt::black);
    p.setBrush(QColor(0, 0, 128));
    p.drawRect(1, 0, 13, 13);
    p.setBrush(Qt::white);
    p.drawRect(3, 0, 9, 6);
    p.setBrush(QColor(192, 192, 192));
    p.drawRect(4, 9, 7, 4);
    p.fillRect(8, 10, 2, 2, QColor(0, 0, 128));
}

void DrawCut(QPainter& p) {
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(QColor(0, 0, 128), 1.5));
    p.setBrush(Qt::NoBrush);
    p.drawEllipse(QRectF(1.5, 9.5, 4, 4));
    p.drawEllipse(QRectF(10.5, 9.5, 4, 4));
    p.setPen(QPen(Qt::black, 1.2));
    p.drawLine(QPointF(5, 10), QPointF(11, 0.5));
    p.drawLine(QPointF(11, 10), QPointF(5, 0.5));
}

void DrawCopy(QPainter& p) {
    DrawPage(p, 0, 0, 9, 10);
    DrawPage(p, 6, 4, 15, 14);
    DrawLines(p, 8, 13, 8, 12);
}

void DrawPaste(QPainter& p) {
    p.setPen(Qt::black);
    p.setBrush(QColor(128, 64, 0));
    p.drawRect(0, 1, 10, 13);
    p.setBrush(QColor(192, 192, 192));
    p.drawRect(3, 0, 4, 2);
    DrawPage(p, 6, 5, 15, 14);
    DrawLines(p, 8, 13, 9, 12);
}

void DrawPrint(QPainter& p) {
    DrawPage(p, 4, 0, 12, 7);
    p.setPen(Qt::black);
    p.setBrush(QColor(192, 192, 192));
    p.drawRect(0, 6, 15, 6);
    p.setBrush(Qt::white);
    p.drawRect(3, 10, 9, 4);
    p.fillRect(12, 8, 2, 1, QColor(0, 160, 0));
}

void DrawAbout(QPainter& p) {
    QFont font = p.font();
    font.setBold(true);
    font.setPixelSize(14);
    p.setFont(font);
    p.setPen(QColor(0, 0, 160));
    p.drawText(QRect(0, 0, kWidth, kHeight), Qt::AlignCenter, QStringLiteral("?"));
}

void DrawValidate(QPainter& p) {
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(QColor(0, 128, 0), 2.6, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    QPainterPath tick;
    tick.moveTo(2, 8);
    tick.lineTo(6, 12);
    tick.lineTo(14, 2);
    p.drawPath(tick);
}

void DrawGlyph(QPainter& p, ToolbarGlyph glyph) {
    switch (glyph) {
    case ToolbarGlyph::New:
        DrawNew(p);
        break;
    case ToolbarGlyph::Open:
        DrawOpen(p);
        break;
    case ToolbarGlyph::Save:
        DrawSave(p);
        break;
    case ToolbarGlyph::Cut:
        DrawCut(p);
        break;
    case ToolbarGlyph::Copy:
        DrawCopy(p);
        break;
    case ToolbarGlyph::Paste:
        DrawPaste(p);
        break;
    case ToolbarGlyph::Print:
        DrawPrint(p);
        break;
    case ToolbarGlyph::About:
        DrawAbout(p);
        break;
    case ToolbarGlyph::Validate:
        DrawValidate(p);
        break;
    }
}

// The glyphs are drawn on a 16 by 15 grid and painted anew at whatever size and scale
// factor a button asks for, so they stay sharp where a stored picture would blur.
class GlyphIconEngine : public QIconEngine {
public:
    explicit GlyphIconEngine(ToolbarGlyph glyph) : glyph(glyph) {}

    void paint(QPainter* painter, const QRect& rect, QIcon::Mode mode, QIcon::State state) override {
        const qreal scale = painter->device() ? painter->device()->devicePixelRatioF() : 1.0;
        const QPixmap picture = scaledPixmap(rect.size(), mode, state, scale);
        painter->drawPixmap(rect, picture);
    }

    QPixmap pixmap(const QSize& size, QIcon::Mode mode, QIcon::State state) override {
        return scaledPixmap(size, mode, state, 1.0);
    }

    QPixmap scaledPixmap(const QSize& size, QIcon::Mode mode, QIcon::State, qreal scale) override {
        QPixmap picture(size * scale);
        picture.fill(Qt::transparent);
        {
            QPainter painter(&picture);
            painter.scale(picture.width() / static_cast<qreal>(kWidth), picture.height() / static_cast<qreal>(kHeight));
            DrawGlyph(painter, glyph);
        }
        if (mode != QIcon::Normal && mode != QIcon::Active) {
            QStyleOption option;
            picture = QApplication::style()->generatedIconPixmap(mode, picture, &option);
        }
        picture.setDevicePixelRatio(scale);
        return picture;
    }

    QList<QSize> availableSizes(QIcon::Mode, QIcon::State) override { return {QSize(kWidth, kHeight)}; }

    QIconEngine* clone() const override { return new GlyphIconEngine(glyph); }

private:
    ToolbarGlyph glyph;
};

}  // namespace

QIcon ToolbarIcon(ToolbarGlyph glyph) { return QIcon(new GlyphIconEngine(glyph)); }

QIcon ApplicationIcon() {
    QPixmap pixmap(32, 32);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(Qt::black, 1));
    painter.setBrush(Qt::white);
    painter.drawPolygon(QPolygon({{5, 1}, {21, 1}, {27, 7}, {27, 30}, {5, 30}}));
    QFont font = painter.font();
    font.setBold(true);
    font.setPixelSize(20);
    painter.setFont(font);
    painter.setPen(QColor(0, 0, 160));
    painter.drawText(QRect(5, 5, 22, 25), Qt::AlignCenter, QStringLiteral("C"));
    painter.end();
    return QIcon(pixmap);
}
