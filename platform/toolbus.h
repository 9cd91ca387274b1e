// The private tool message (40000) between the program's windows: synchronous, addressed by a
// window handle. Handle 0 means "nobody"; nothing is delivered to it or to a window that is gone.
#pragma once

#include <cstdint>

constexpr int WM_TOOL_COMMAND = 40000;

using WindowHandle = intptr_t;

// A window that answers the tool message.
class ToolMessageTarget {
  public:
    virtual ~ToolMessageTarget();
    // Handles one command; the result goes back to the sender.
    virtual intptr_t ToolMessage(int code, intptr_t arg) = 0;
    // This target's handle, valid for its whole life.
    WindowHandle Handle();

  private:
    WindowHandle handle_ = 0;
};

namespace ToolBus {
// Delivers (code, arg) to the window at once and returns its answer; 0 when the handle is 0, the
// window is gone or the message is not the tool message.
intptr_t Send(WindowHandle target, int message, int code, intptr_t arg);
inline intptr_t Send(WindowHandle target, int code, intptr_t arg) {
    return Send(target, WM_TOOL_COMMAND, code, arg);
}
bool IsWindow(WindowHandle handle);
} // namespace ToolBus
