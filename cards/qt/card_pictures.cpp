#include "cards/qt/card_pictures.h"

#include <QFile>
#include <QImage>
#include <QPainter>
#include <QPainterPath>
#include <QSvgRenderer>

#include <algorithm>
#include <array>
#include <utility>
#include <vector>

#include "cards/card.h"

namespace zvx::gui {

namespace {

constexpr std::array<const char*, 4> SuitIds = {"spade", "heart", "club", "diamond"};
constexpr std::array<const char*, 4> SuitSymbols = {"\u2660", "\u2665", "\u2663", "\u2666"};
constexpr std::array<const char*, 14> RankTexts = {"", "A", "2", "3", "4", "5", "6", "7", "8", "9", "10", "J", "Q", "K"};

// Pip positions of the program's own faces, as fractions of the card: three columns, seven rows.
using Pip = std::pair<double, double>;
const std::vector<Pip>& PipsOf(int rank) {
    static const std::array<std::vector<Pip>, 11> pips = {{
        {},
        {{0.5, 0.5}},
        {{0.5, 0.22}, {0.5, 0.78}},
        {{0.5, 0.22}, {0.5, 0.5}, {0.5, 0.78}},
        {{0.3, 0.22}, {0.7, 0.22}, {0.3, 0.78}, {0.7, 0.78}},
        {{0.3, 0.22}, {0.7, 0.22}, {0.5, 0.5}, {0.3, 0.78}, {0.7, 0.78}},
        {{0.3, 0.22}, {0.7, 0.22}, {0.3, 0.5}, {0.7, 0.5}, {0.3, 0.78}, {0.7, 0.78}},
        {{0.3, 0.22}, {0.7, 0.22}, {0.5, 0.36}, {0.3, 0.5}, {0.7, 0.5}, {0.3, 0.78}, {0.7, 0.78}},
        {{0.3, 0.22}, {0.7, 0.22}, {0.5, 0.36}, {0.3, 0.5}, {0.7, 0.5}, {0.5, 0.64}, {0.3, 0.78}, {0.7, 0.78}},
        {{0.3, 0.22}, {0.7, 0.22}, {0.3, 0.41}, {0.7, 0.41}, {0.5, 0.5}, {0.3, 0.59}, {0.7, 0.59}, {0.3, 0.78},
         {0.7, 0.78}},
        {{0.3, 0.22}, {0.7, 0.22}, {0.5, 0.31}, {0.3, 0.41}, {0.7, 0.41}, {0.3, 0.59}, {0.7, 0.59}, {0.5, 0.69},
         {0.3, 0.78}, {0.7, 0.78}},
    }};
    return pips[static_cast<std::size_t>(rank <= 10 ? rank : 0)];
}

quint64 CacheKey(int number, QSize pixels) {
    return (quint64(number) << 40) | (quint64(pixels.width()) << 20) | quint64(pixels.height());
}

QPainterPath CardOutline(QSizeF size) {
    QPainterPath path;
    const qreal radius = size.width() * 0.06;
    path.addRoundedRect(QRectF(QPointF(0.5, 0.5), size - QSizeF(1, 1)), radius, radius);
    return path;
}

} // namespace

QString TCardImage::DefaultDeckPath() { return "/usr/share/aisleriot/cards/anglo.svgz"; }

TCardImage::TCardImage(const QString& deckPath) {
    if (!QFile::exists(deckPath)) return;
    auto renderer = std::make_unique<QSvgRenderer>(deckPath);
    // A deck without the elements we draw is as good as none.
    if (renderer->isValid() && renderer->elementExists(ElementId(1)) && renderer->elementExists("back"))
        renderer_ = std::move(renderer);
}

TCardImage::~TCardImage() = default;

TCardImage& TCardImage::Shared() {
    static TCardImage holder;
    return holder;
}

QString TCardImage::ElementId(int number) {
    const int rank = CardRank(number);
    const QString rankId = rank == 11 ? "jack" : rank == 12 ? "queen" : rank == 13 ? "king" : QString::number(rank);
    return QString(SuitIds[static_cast<std::size_t>(CardSuit(number))]) + "_" + rankId;
}

QPixmap TCardImage::Picture(int number, QSize pixels) {
    if (pixels.width() < 1 || pixels.height() < 1) return {};
    const quint64 key = CacheKey(number, pixels);
    auto found = cache_.constFind(key);
    if (found != cache_.constEnd()) return *found;
    QPixmap picture = Render(number, pixels);
    cache_.insert(key, picture);
    return picture;
}

QPixmap TCardImage::Render(int number, QSize pixels) const {
    const bool back = number == RedBackPicture || number == BlueBackPicture;
    if (!renderer_) return back ? DrawBack(number, pixels) : DrawFace(number, pixels);
    QImage image(pixels, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    {
        QPainter painter(&image);
        painter.setRenderHint(QPainter::Antialiasing);
        painter.setRenderHint(QPainter::SmoothPixmapTransform);
        renderer_->render(&painter, back ? QString("back") : ElementId(number), QRectF(QPointF(0, 0), QSizeF(pixels)));
    }
    if (number == RedBackPicture) {
        // The deck has one back, in blue; the red one is the same pattern with red and blue swapped.
        image = std::move(image).rgbSwapped();
    }
    return QPixmap::fromImage(image);
}

QPixmap TCardImage::DrawFace(int number, QSize pixels) const {
    QPixmap picture(pixels);
    picture.fill(Qt::transparent);
    QPainter painter(&picture);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::TextAntialiasing);
    const QSizeF size(pixels);
    painter.setPen(QPen(Qt::black, 1));
    painter.setBrush(Qt::white);
    painter.drawPath(CardOutline(size));

    const int suit = CardSuit(number);
    const int rank = CardRank(number);
    const QColor ink = suit == 1 || suit == 3 ? QColor(200, 0, 0) : Qt::black;
    painter.setPen(ink);
    const QString symbol = QString::fromUtf8(SuitSymbols[static_cast<std::size_t>(suit)]);
    const QString index = QString::fromUtf8(RankTexts[static_cast<std::size_t>(rank)]);

    QFont font("DejaVu Sans");
    font.setBold(true);
    font.setPixelSize(std::max(6, int(size.height() * 0.15)));
    painter.setFont(font);
    const QRectF corner(size.width() * 0.03, size.height() * 0.02, size.width() * 0.22, size.height() * 0.16);
    painter.drawText(corner, Qt::AlignHCenter | Qt::AlignTop, index);
    painter.drawText(corner.translated(0, corner.height() * 0.85), Qt::AlignHCenter | Qt::AlignTop, symbol);
    painter.save();
    painter.translate(size.width(), size.height());
    painter.rotate(180);
    painter.drawText(corner, Qt::AlignHCenter | Qt::AlignTop, index);
    painter.drawText(corner.translated(0, corner.height() * 0.85), Qt::AlignHCenter | Qt::AlignTop, symbol);
    painter.restore();

    if (rank > 10) {
        // Court cards: a framed letter with the suit.
        const QRectF frame(size.width() * 0.25, size.height() * 0.2, size.width() * 0.5, size.height() * 0.6);
        painter.setBrush(Qt::NoBrush);
        painter.drawRect(frame);
        font.setPixelSize(std::max(8, int(size.height() * 0.3)));
        painter.setFont(font);
        painter.drawText(frame, Qt::AlignCenter, index + "\n" + symbol);
        return picture;
    }
    font.setBold(false);
    font.setPixelSize(std::max(6, int(size.height() * (rank == 1 ? 0.4 : 0.17))));
    painter.setFont(font);
    for (const auto& [fx, fy] : PipsOf(rank)) {
        const QPointF centre(size.width() * fx, size.height() * fy);
        const QRectF box(centre - QPointF(size.width() * 0.25, size.height() * 0.15), QSizeF(size.width() * 0.5, size.height() * 0.3));
        painter.drawText(box, Qt::AlignCenter, symbol);
    }
    return picture;
}

QPixmap TCardImage::DrawBack(int number, QSize pixels) const {
    QPixmap picture(pixels);
    picture.fill(Qt::transparent);
    QPainter painter(&picture);
    painter.setRenderHint(QPainter::Antialiasing);
    const QSizeF size(pixels);
    const QPainterPath outline = CardOutline(size);
    painter.setPen(QPen(Qt::black, 1));
    painter.setBrush(Qt::white);
    painter.drawPath(outline);
    const qreal margin = size.width() * 0.07;
    const QRectF field(QPointF(margin, margin), size - QSizeF(2 * margin, 2 * margin));
    painter.setClipRect(field);
    if (number == RedBackPicture) {
        // Red with a diagonal lattice.
        painter.fillRect(field, QColor(170, 0, 0));
        painter.setPen(QPen(QColor(255, 200, 200), std::max(1.0, size.width() / 60)));
        const qreal step = size.width() / 8;
        for (qreal d = -size.height(); d < size.width() + size.height(); d += step) {
            painter.drawLine(QPointF(d, 0), QPointF(d + size.height(), size.height()));
            painter.drawLine(QPointF(d, size.height()), QPointF(d + size.height(), 0));
        }
    } else {
        // Blue chequers.
        painter.fillRect(field, QColor(0, 0, 150));
        const qreal cell = size.width() / 10;
        for (int row = 0; row * cell < size.height(); ++row)
            for (int col = 0; col * cell < size.width(); ++col)
                if ((row + col) % 2 == 0) painter.fillRect(QRectF(col * cell, row * cell, cell, cell), QColor(90, 140, 255));
    }
    return picture;
}

} // namespace zvx::gui
