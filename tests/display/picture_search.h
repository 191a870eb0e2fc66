#pragma once

// Finding a window's picture in a picture of the whole screen: where a desktop put a window,
// for desktops that tell a test the size of a window but not its place.

#include <QImage>
#include <QRect>

#include <algorithm>
#include <cstdlib>
#include <optional>
#include <vector>

// The part of picture that is fully opaque: a window without the shadow around it.
inline QRect OpaquePart(const QImage& picture) {
    QRect part;
    for (int y = 0; y < picture.height(); ++y) {
        for (int x = 0; x < picture.width(); ++x) {
            if (qAlpha(picture.pixel(x, y)) == 255)
                part |= QRect(x, y, 1, 1);
        }
    }
    return part;
}

// How many of samples, placed at (left, top), match screen (32 bits a pixel): each colour
// channel within 2; -1 after more than allowedMisses do not.
struct PictureSample {
    int x, y;
    QRgb colour;
};
inline int MatchingSamples(const QImage& screen, int left, int top,
                           const std::vector<PictureSample>& samples, int allowedMisses) {
    int matches = 0;
    int misses = 0;
    for (const PictureSample& sample : samples) {
        const QRgb seen =
            reinterpret_cast<const QRgb*>(screen.constScanLine(top + sample.y))[left + sample.x];
        if (std::abs(qRed(seen) - qRed(sample.colour)) <= 2 &&
            std::abs(qGreen(seen) - qGreen(sample.colour)) <= 2 &&
            std::abs(qBlue(seen) - qBlue(sample.colour)) <= 2) {
            ++matches;
        } else if (++misses > allowedMisses) {
            return -1;
        }
    }
    return matches;
}

// The opaque pixels of window on a grid of step pixels, placed relative to part's corner.
inline std::vector<PictureSample> GridSamples(const QImage& window, const QRect& part, int step) {
    std::vector<PictureSample> samples;
    for (int y = part.top(); y <= part.bottom(); y += step) {
        for (int x = part.left(); x <= part.right(); x += step) {
            const QRgb colour = window.pixel(x, y);
            if (qAlpha(colour) == 255)
                samples.push_back({x - part.left(), y - part.top(), colour});
        }
    }
    return samples;
}

// Where the opaque part of window (ARGB) stands in screen. Something may stand over a part
// of it (a notification, a dialog over the game), so a place passes with a fifth of the
// pixels compared in disagreement: a coarse grid picks the candidates, a fine one (every
// 5th pixel) the best of them, and every pixel the best place around that. Plain areas alone
// cannot pass for the window: the grids cross its text and edges too.
inline std::optional<QRect> FindPicture(const QImage& anyScreen, const QImage& window) {
    const QImage screen = anyScreen.convertToFormat(QImage::Format_RGB32);
    const QRect part = OpaquePart(window);
    if (part.isEmpty() || part.width() > screen.width() || part.height() > screen.height())
        return std::nullopt;
    const std::vector<PictureSample> coarse =
        GridSamples(window, part, std::max(1, std::min(part.width(), part.height()) / 8));
    const std::vector<PictureSample> fine = GridSamples(window, part, 5);
    std::optional<QRect> best;
    int bestMatches = 0;
    for (int top = 0; top + part.height() <= screen.height(); ++top) {
        for (int left = 0; left + part.width() <= screen.width(); ++left) {
            if (MatchingSamples(screen, left, top, coarse, static_cast<int>(coarse.size()) / 5) < 0)
                continue;
            const int matches =
                MatchingSamples(screen, left, top, fine, static_cast<int>(fine.size()) / 5);
            if (matches > bestMatches) {
                bestMatches = matches;
                best = QRect(left, top, part.width(), part.height());
            }
        }
    }
    if (!best)
        return best;
    // Plain areas and a cover can leave a place a few pixels off as good on the fine grid:
    // every pixel decides among the places around it.
    const std::vector<PictureSample> every = GridSamples(window, part, 1);
    const QRect found = *best;
    bestMatches = 0;
    for (int top = std::max(0, found.top() - 5);
         top <= std::min(screen.height() - part.height(), found.top() + 5); ++top) {
        for (int left = std::max(0, found.left() - 5);
             left <= std::min(screen.width() - part.width(), found.left() + 5); ++left) {
            const int matches =
                MatchingSamples(screen, left, top, every, static_cast<int>(every.size()));
            if (matches > bestMatches) {
                bestMatches = matches;
                best = QRect(left, top, part.width(), part.height());
            }
        }
    }
    return best;
}
