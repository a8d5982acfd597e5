#include "gui/app/TabIcons.h"

#include <QIconEngine>
#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

namespace {

class TabIconEngine final : public QIconEngine {
public:
    explicit TabIconEngine(TabPicture picture)
        : m_picture(picture) {}

    QIconEngine* clone() const override { return new TabIconEngine(m_picture); }

    QPixmap pixmap(const QSize& size, QIcon::Mode mode, QIcon::State state) override {
        QPixmap pixmap(size);
        pixmap.fill(Qt::transparent);
        QPainter painter(&pixmap);
        paint(&painter, QRect(QPoint(0, 0), size), mode, state);
        return pixmap;
    }

    QPixmap scaledPixmap(const QSize& size, QIcon::Mode mode, QIcon::State state,
                         qreal scale) override {
        QPixmap pixmap = this->pixmap(size * scale, mode, state);
        pixmap.setDevicePixelRatio(scale);
        return pixmap;
    }

    void paint(QPainter* painter, const QRect& rect, QIcon::Mode mode, QIcon::State) override {
        painter->save();
        painter->setRenderHint(QPainter::Antialiasing);
        painter->translate(rect.topLeft());
        painter->scale(rect.width() / 16.0, rect.height() / 16.0);
        const bool disabled = mode == QIcon::Disabled;
        const auto colour = [disabled](QRgb rgb) {
            const QColor c(rgb);
            return disabled ? QColor(qGray(rgb), qGray(rgb), qGray(rgb), 140) : c;
        };
        const QPen outline(colour(0x3b4a5e), 1.0);
        switch (m_picture) {
        case TabPicture::Photos: // a photo with a mountain and a sun
            painter->setPen(outline);
            painter->setBrush(colour(0xffffff));
            painter->drawRect(QRectF(1.5, 3.5, 13, 10));
            painter->setPen(Qt::NoPen);
            painter->setBrush(colour(0x6fa8dc));
            painter->drawRect(QRectF(2.5, 4.5, 11, 8));
            painter->setBrush(colour(0x3d8b37));
            painter->drawPolygon(
                QPolygonF({{2.5, 12.5}, {6.5, 7.5}, {9.5, 10.5}, {11, 9}, {13.5, 12.5}}));
            painter->setBrush(colour(0xf6c342));
            painter->drawEllipse(QPointF(11, 6.5), 1.3, 1.3);
            break;
        case TabPicture::MainPage: { // a house
            QPainterPath house;
            house.moveTo(8, 1.5);
            house.lineTo(14.5, 7.5);
            house.lineTo(12.5, 7.5);
            house.lineTo(12.5, 14.5);
            house.lineTo(3.5, 14.5);
            house.lineTo(3.5, 7.5);
            house.lineTo(1.5, 7.5);
            house.closeSubpath();
            painter->setPen(outline);
            painter->setBrush(colour(0x4f81bd));
            painter->drawPath(house);
            painter->setBrush(colour(0xffffff));
            painter->drawRect(QRectF(6.5, 9.5, 3, 5));
            break;
        }
        case TabPicture::AlbumPages: // a page of thumbnails
            painter->setPen(outline);
            painter->setBrush(colour(0xffffff));
            painter->drawRect(QRectF(1.5, 1.5, 13, 13));
            painter->setPen(Qt::NoPen);
            painter->setBrush(colour(0x6fa8dc));
            for (int row = 0; row < 3; ++row)
                for (int column = 0; column < 3; ++column)
                    painter->drawRect(QRectF(3 + column * 4, 3 + row * 4, 3, 3));
            break;
        case TabPicture::Backgrounds: // overlapping colour swatches
            painter->setPen(outline);
            painter->setBrush(colour(0xe06666));
            painter->drawRect(QRectF(1.5, 1.5, 8, 8));
            painter->setBrush(colour(0xf6c342));
            painter->drawRect(QRectF(4.5, 4.5, 8, 8));
            painter->setBrush(colour(0x6fa8dc));
            painter->drawRect(QRectF(7.5, 7.5, 7, 7));
            break;
        case TabPicture::ModernPages: // a monitor with a phone before it
            painter->setPen(outline);
            painter->setBrush(colour(0x6fa8dc));
            painter->drawRect(QRectF(0.5, 2.5, 12, 8.5));
            painter->drawLine(QPointF(6.5, 11), QPointF(6.5, 13.5));
            painter->drawLine(QPointF(4, 13.5), QPointF(9, 13.5));
            painter->setBrush(colour(0xffffff));
            painter->drawRoundedRect(QRectF(9.5, 6.5, 6, 9), 1, 1);
            painter->setPen(Qt::NoPen);
            painter->setBrush(colour(0xf6c342));
            painter->drawRect(QRectF(10.5, 8, 4, 5));
            break;
        }
        painter->restore();
    }

private:
    TabPicture m_picture;
};

} // namespace

QIcon tabIcon(TabPicture picture) {
    return QIcon(new TabIconEngine(picture));
}
