#include "system.h"

#include <QApplication>
#include <QDesktopServices>
#include <QFileInfo>
#include <QGuiApplication>
#include <QProcess>
#include <QUrl>
#include <chrono>
#include <utility>

namespace {
std::optional<bool> ctrlOverride, shiftOverride;
std::function<bool(const QString&)>& ShellHook() {
    static std::function<bool(const QString&)> hook;
    return hook;
}
std::function<void()>& BeepHook() {
    static std::function<void()> hook;
    return hook;
}
RestartHook& StartHook() {
    static RestartHook hook;
    return hook;
}
} // namespace

uint32_t GetTickCount() {
    using namespace std::chrono;
    return static_cast<uint32_t>(
        duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count());
}

bool CtrlDown() {
    if (ctrlOverride) return *ctrlOverride;
    return QGuiApplication::queryKeyboardModifiers().testFlag(Qt::ControlModifier);
}

bool ShiftDown() {
    if (shiftOverride) return *shiftOverride;
    return QGuiApplication::queryKeyboardModifiers().testFlag(Qt::ShiftModifier);
}

void SetModifierOverride(std::optional<bool> ctrl, std::optional<bool> shift) {
    ctrlOverride = ctrl;
    shiftOverride = shift;
}

bool ShellOpen(const QString& target) {
    if (ShellHook()) return ShellHook()(target);
    const QUrl url =
        QFileInfo::exists(target) ? QUrl::fromLocalFile(target) : QUrl::fromUserInput(target);
    return QDesktopServices::openUrl(url);
}

void SetShellOpenHook(std::function<bool(const QString&)> hook) {
    ShellHook() = std::move(hook);
}

void Beep() {
    if (BeepHook())
        BeepHook()();
    else
        QApplication::beep();
}

std::function<void()> SetBeepHook(std::function<void()> hook) {
    return std::exchange(BeepHook(), std::move(hook));
}

bool RestartProgram(const QString& program, const QStringList& args) {
    if (StartHook()) return StartHook()(program, args);
    if (!QProcess::startDetached(program, args)) return false;
    QCoreApplication::quit();
    return true;
}

RestartHook SetRestartHook(RestartHook hook) {
    return std::exchange(StartHook(), std::move(hook));
}
