#pragma once

// What the tests on real display servers share: letting the server and Qt's event loop
// catch up, and what a window's backing store holds.

#include <QBackingStore>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QImage>
#include <QRegion>
#include <QWidget>

// Runs Qt's events until `done` says so or `milliseconds` have passed; returns `done`'s
// last answer.
template <class Condition>
bool RunEventsUntil(Condition done, int milliseconds) {
    QElapsedTimer timer;
    timer.start();
    while (!done() && timer.elapsed() < milliseconds)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    return done();
}

inline void RunEventsFor(int milliseconds) {
    RunEventsUntil([] { return false; }, milliseconds);
}

// The picture the backing store of window holds, read between a begin and an end of
// painting, when its paint device stands for the buffer it paints into.
inline QImage BackingStorePicture(QWidget* window) {
    QBackingStore* store = window->backingStore();
    store->beginPaint(QRegion());
    const QImage picture = static_cast<QImage*>(store->paintDevice())->copy();
    store->endPaint();
    return picture;
}
