#include "ui/wait.h"

#include <QCoreApplication>
#include <QEventLoop>

#include "platform/wait_hook.h"

namespace {

void ProcessEventsExceptInput() {
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

}  // namespace

void InstallWaitHook() {
    SetWaitHook(&ProcessEventsExceptInput);
}
