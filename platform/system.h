// Small services of the operating system: tick counter, modifier keys, shell open.
#pragma once

#include <QString>
#include <QStringList>
#include <cstdint>
#include <functional>
#include <optional>

// Milliseconds since an arbitrary start, for elapsed times.
uint32_t GetTickCount();

// Held modifier keys, left or right alike.
bool CtrlDown();
bool ShiftDown();
// Tests fix the modifier state; std::nullopt returns to the real keyboard.
void SetModifierOverride(std::optional<bool> ctrl, std::optional<bool> shift);

// Opens a URL or document with its registered program; false when that failed.
bool ShellOpen(const QString& target);
// Tests receive the target instead of the desktop; an empty function removes the hook.
void SetShellOpenHook(std::function<bool(const QString&)> hook);

// The system's short warning sound (MessageBeep); tests count beeps through the hook.
void Beep();
// Replaces the sound with the hook (an empty function restores it); returns the hook replaced.
std::function<void()> SetBeepHook(std::function<void()> hook);

// Starts `program` detached with `args` and ends this program's event loop; false (the loop goes
// on) when it could not be started.
bool RestartProgram(const QString& program, const QStringList& args);
// Tests receive the start instead; an empty function removes the hook. Returns the hook replaced.
using RestartHook = std::function<bool(const QString&, const QStringList&)>;
RestartHook SetRestartHook(RestartHook hook);
