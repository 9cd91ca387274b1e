// The private tool message (40000) between the program's windows, and the typed lists that the
// scatter viewers exchange beside it: both synchronous, addressed by a window handle. Handle 0
// means "nobody"; nothing is delivered to it or to a window that is gone.
#pragma once

#include <cstdint>
#include <span>

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

// A window that also takes lists: a kind, the sender's handle and 32-bit integers. The list is
// the sender's, readable only during the call and exactly `list.size()` long.
class ListMessageTarget {
  public:
    virtual ~ListMessageTarget();
    virtual intptr_t ListMessage(int kind, WindowHandle sender, std::span<const int32_t> list) = 0;
};

namespace ToolBus {
// Delivers (code, arg) to the window at once and returns its answer; 0 when the handle is 0, the
// window is gone or the message is not the tool message.
intptr_t Send(WindowHandle target, int message, int code, intptr_t arg);
inline intptr_t Send(WindowHandle target, int code, intptr_t arg) {
    return Send(target, WM_TOOL_COMMAND, code, arg);
}
// Delivers a list to the window at once when it takes lists; 0 when it is not delivered.
intptr_t SendList(WindowHandle target, int kind, WindowHandle sender,
                  std::span<const int32_t> list);
bool IsWindow(WindowHandle handle);
} // namespace ToolBus
