#include "toolbus.h"

#include <unordered_map>

namespace {
std::unordered_map<WindowHandle, ToolMessageTarget*>& Targets() {
    static std::unordered_map<WindowHandle, ToolMessageTarget*> targets;
    return targets;
}
WindowHandle next = 0x1000;
} // namespace

ToolMessageTarget::~ToolMessageTarget() {
    if (handle_) Targets().erase(handle_);
}

WindowHandle ToolMessageTarget::Handle() {
    if (!handle_) {
        handle_ = next += 4;
        Targets()[handle_] = this;
    }
    return handle_;
}

intptr_t ToolBus::Send(WindowHandle target, int message, int code, intptr_t arg) {
    if (target == 0 || message != WM_TOOL_COMMAND) return 0;
    const auto it = Targets().find(target);
    if (it == Targets().end()) return 0;
    return it->second->ToolMessage(code & 0xFFFF, arg);
}

ListMessageTarget::~ListMessageTarget() = default;

intptr_t ToolBus::SendList(WindowHandle target, int kind, WindowHandle sender,
                           std::span<const int32_t> list) {
    if (target == 0) return 0;
    const auto it = Targets().find(target);
    if (it == Targets().end()) return 0;
    auto* receiver = dynamic_cast<ListMessageTarget*>(it->second);
    return receiver ? receiver->ListMessage(kind, sender, list) : 0;
}

bool ToolBus::IsWindow(WindowHandle handle) {
    return handle != 0 && Targets().count(handle) > 0;
}
