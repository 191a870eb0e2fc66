// Finding a window's picture on the screen, as the desktop tests find where a desktop put a
// dialog: over a busy screen, with a shadow around the window and a notification over part of
// it.

#include <QImage>
#include <QPainter>
#include <QRandomGenerator>

#include <gtest/gtest.h>

#include "display/picture_search.h"

namespace {

// A dialog-like picture: a plain face with a title bar, some text-like marks and buttons,
// inside a shadow whose alpha fades out over `shadow` pixels.
QImage WindowPicture(int width, int height, int shadow, quint32 seed) {
    QImage picture(width + 2 * shadow, height + 2 * shadow, QImage::Format_ARGB32);
    picture.fill(Qt::transparent);
    for (int ring = 0; ring < shadow; ++ring) {
        QPainter painter(&picture);
        painter.setPen(QColor(0, 0, 0, 20 + ring * 8));
        painter.drawRect(ring, ring, picture.width() - 2 * ring - 1,
                         picture.height() - 2 * ring - 1);
    }
    QPainter painter(&picture);
    const QRect face(shadow, shadow, width, height);
    painter.fillRect(face, QColor(0xef, 0xef, 0xef));
    painter.fillRect(QRect(face.left(), face.top(), width, 30), QColor(0xdd, 0xdd, 0xdd));
    QRandomGenerator random(seed);
    for (int mark = 0; mark < 40; ++mark) {
        const QRect rect(face.left() + random.bounded(width - 20),
                         face.top() + 30 + random.bounded(height - 40), 4 + random.bounded(16),
                         2 + random.bounded(8));
        painter.fillRect(rect, QColor::fromRgb(random.generate() | 0xff000000));
    }
    return picture;
}

// A screen of plain areas and noise, like a game board behind the dialogs.
QImage ScreenPicture(int width, int height, quint32 seed) {
    QImage screen(width, height, QImage::Format_RGB32);
    screen.fill(QColor(0x00, 0x80, 0x80));
    QPainter painter(&screen);
    QRandomGenerator random(seed);
    for (int square = 0; square < 300; ++square) {
        painter.fillRect(QRect(random.bounded(width), random.bounded(height), 30, 30),
                         QColor::fromRgb(random.generate() | 0xff000000));
    }
    return screen;
}

// The window put on the screen as a compositor would: its shadow blended, its face opaque.
void Put(QImage& screen, const QImage& window, QPoint at) {
    QPainter painter(&screen);
    painter.drawImage(at, window);
}

TEST(PictureSearch, FindsTheWindowsFaceWhereverItStands) {
    struct Case {
        int width, height, shadow;
        QPoint at;
        bool covered;
    };
    const Case cases[] = {
        {372, 217, 10, {443, 241}, false}, {465, 262, 0, {0, 0}, false},
        {379, 131, 12, {896, 664}, false}, {960, 613, 10, {159, 83}, true},
        {345, 121, 0, {468, 340}, true},
    };
    quint32 seed = 1;
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.width << "x" << c.height << " at " << c.at.x() << ","
                                        << c.at.y() << (c.covered ? ", covered" : ""));
        QImage screen = ScreenPicture(1280, 800, seed++);
        const QImage window = WindowPicture(c.width, c.height, c.shadow, seed++);
        Put(screen, window, c.at - QPoint(c.shadow, c.shadow));
        if (c.covered) {
            // A notification over a part of its top, as GNOME shows one.
            QPainter(&screen).fillRect(
                QRect(c.at.x() + c.width / 3, c.at.y(), c.width / 3, c.height / 5),
                QColor(0x30, 0x30, 0x30));
        }
        const std::optional<QRect> found = FindPicture(screen, window);
        ASSERT_TRUE(found.has_value());
        EXPECT_EQ(*found, QRect(c.at, QSize(c.width, c.height)));
    }
}

TEST(PictureSearch, AWindowThatIsNotOnTheScreenIsNotFound) {
    const QImage screen = ScreenPicture(640, 400, 7);
    EXPECT_FALSE(FindPicture(screen, WindowPicture(200, 120, 10, 8)).has_value());
    // Nor one larger than the screen, nor one without an opaque pixel.
    EXPECT_FALSE(FindPicture(screen, WindowPicture(700, 120, 0, 9)).has_value());
    QImage clear(50, 50, QImage::Format_ARGB32);
    clear.fill(Qt::transparent);
    EXPECT_FALSE(FindPicture(screen, clear).has_value());
}

}  // namespace
