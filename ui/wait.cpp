#include "ui/wait.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEvent>
#include <QEventLoop>
#include <QThread>
#include <algorithm>

#include "platform/wait_hook.h"
#include "ui/board_view.h"

namespace {

constexpr int PAUSE_SLICE = 10;  // ms between two rounds of painting

class InputSwallower : public QObject {
protected:
    bool eventFilter(QObject*, QEvent* event) override {
        switch (event->type()) {
            case QEvent::ShortcutOverride:
                // Accepting it keeps the key from reaching a shortcut; the key itself follows.
                event->accept();
                return true;
            case QEvent::MouseButtonPress:
            case QEvent::MouseButtonRelease:
            case QEvent::MouseButtonDblClick:
            case QEvent::Wheel:
            case QEvent::KeyPress:
            case QEvent::KeyRelease:
            case QEvent::TouchBegin:
            case QEvent::TouchUpdate:
            case QEvent::TouchEnd:
            case QEvent::ContextMenu:
                return true;
            default:
                return false;
        }
    }
};

void ProcessEventsDroppingInput() {
    QCoreApplication* app = QCoreApplication::instance();
    if (!app) return;
    InputSwallower swallower;
    app->installEventFilter(&swallower);
    QCoreApplication::processEvents();
    app->removeEventFilter(&swallower);
}

void ProcessEventsExceptInput() {
    ApplyQueuedDrawing();  // the thinking display, then the paints it asked for
    // Input is dropped here rather than held back: Qt counts the window manager's request to
    // close a window as input, and holding it back would keep the window open until the
    // computer has moved. Input held back would be dropped after the move anyway.
    ProcessEventsDroppingInput();
    StopSearchIfClosing();
}

}  // namespace

void InstallWaitHook() {
    SetWaitHook(&ProcessEventsExceptInput);
}

void PauseMillis(int millis) {
    QElapsedTimer timer;
    timer.start();
    for (qint64 left = millis; left > 0; left = millis - timer.elapsed()) {
        ProcessEventsExceptInput();
        QThread::msleep(static_cast<unsigned long>(std::min<qint64>(left, PAUSE_SLICE)));
    }
}

void DiscardPendingInput() {
    ProcessEventsDroppingInput();
}
