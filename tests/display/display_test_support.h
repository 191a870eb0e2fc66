#pragma once

// What the tests on real display servers share: letting the server and Qt's event loop
// catch up.

#include <QCoreApplication>
#include <QElapsedTimer>

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
