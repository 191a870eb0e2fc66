#pragma once

// What the benchmarks of the real program share: the running game, and the main that
// gives them Qt, a settings store and runtime folder of the run's own, and no dialog.

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QFile>
#include <QTemporaryDir>
#include <QWidget>

#include <memory>

#include "shell/platform/seams.h"
#include "shell/rolvan_app.h"
#include "shell/rolvan_view.h"

// The running game on a board of columns x rows, its view's client area as asked for, the
// view focused, the ball rolling without pauses.
class BenchGame {
public:
    BenchGame(int columns, int rows, int clientWidth, int clientHeight) {
        m_app = std::make_unique<CRolvanApp>();
        m_app->SetRegistryKey("quendel");
        m_app->WriteProfileInt("Settings", "XGridSize", columns);
        m_app->WriteProfileInt("Settings", "YGridSize", rows);
        m_app->InitInstance();
        auto* frame = dynamic_cast<CFrameWnd*>(m_app->m_pMainWnd);
        view = dynamic_cast<CRolvanView*>(frame->GetActiveView());
        QWidget* window = frame->GetSafeHwnd();
        QWidget* client = view->GetSafeHwnd();
        for (int attempt = 0; attempt < 3 && client->size() != QSize(clientWidth, clientHeight);
             ++attempt) {
            const QSize extra = window->size() - client->size();
            window->resize(clientWidth + extra.width(), clientHeight + extra.height());
            QApplication::processEvents();
        }
        window->activateWindow();
        client->setFocus();
        QApplication::processEvents();
        view->ballDelay = 0;
    }
    ~BenchGame() {
        view = nullptr;
        m_app.reset();
    }

    CRolvanView* view = nullptr;

private:
    std::unique_ptr<CRolvanApp> m_app;
};

// Qt's offscreen platform unless the caller chose another; the benchmark neither reads
// nor changes the player's settings; any dialog or message box ends at once, as by Escape.
inline int RunUiBenchmarks(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QTemporaryDir configHome;
    if (configHome.isValid()) {
        qputenv("XDG_CONFIG_HOME", QFile::encodeName(configHome.path()));
    }
    QTemporaryDir runtimeDir;
    if (qEnvironmentVariableIsEmpty("XDG_RUNTIME_DIR") && runtimeDir.isValid()) {
        qputenv("XDG_RUNTIME_DIR", QFile::encodeName(runtimeDir.path()));
    }
    QApplication application(argc, argv);
    ScopedModalScript noDialogs{ModalScript{}};
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) {
        return 1;
    }
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
