#pragma once

#include <QMap>
#include <QPixmap>
#include <QSize>
#include <QString>

#include <memory>

class QSvgRenderer;

namespace zvx::gui {

// The 54 card pictures (faces 1..52 by card code, 53 the red back, 54 the blue back) at any size. Faces and
// backs are rendered from an SVG deck by element id, once per picture and pixel size; without the deck file
// the program draws its own cards (corner index and pips) and backs, so a card is never blank.
class TCardImage {
public:
    // The deck the table uses, from the Debian package gnome-cards-data.
    static QString DefaultDeckPath();

    explicit TCardImage(const QString& deckPath = DefaultDeckPath());
    ~TCardImage();

    // The one picture holder of the program.
    static TCardImage& Shared();

    // A picture at a size in device pixels. The logical size of a card is 71 x 96.
    QPixmap Picture(int number, QSize pixels);
    bool FromDeck() const { return renderer_ != nullptr; }
    // Element id of a face in the deck: "spade_1", "heart_king".
    static QString ElementId(int number);
    int CachedPictures() const { return static_cast<int>(cache_.size()); }

private:
    QPixmap Render(int number, QSize pixels) const;
    QPixmap DrawFace(int number, QSize pixels) const;
    QPixmap DrawBack(int number, QSize pixels) const;

    std::unique_ptr<QSvgRenderer> renderer_;
    QMap<quint64, QPixmap> cache_;
};

inline constexpr int CardPictureWidth = 71;
inline constexpr int CardPictureHeight = 96;

} // namespace zvx::gui
