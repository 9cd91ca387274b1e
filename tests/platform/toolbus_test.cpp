#include "toolbus.h"

#include <gtest/gtest.h>
#include <memory>
#include <vector>

namespace {

struct Recorder : ToolMessageTarget {
    std::vector<std::pair<int, intptr_t>> got;
    intptr_t ToolMessage(int code, intptr_t arg) override {
        got.emplace_back(code, arg);
        return code + 1;
    }
};

TEST(ToolBus, DeliversSynchronouslyToARegisteredWindow) {
    Recorder r;
    const WindowHandle h = r.Handle();
    EXPECT_NE(h, 0);
    EXPECT_EQ(r.Handle(), h);
    EXPECT_EQ(ToolBus::Send(h, 1100, 1), 1101);
    // Only the low word carries the code.
    ToolBus::Send(h, WM_TOOL_COMMAND, 0x10000 + 2000, 7);
    ASSERT_EQ(r.got.size(), 2u);
    EXPECT_EQ(r.got[1], (std::pair<int, intptr_t>{2000, 7}));
    EXPECT_EQ(ToolBus::Send(h, WM_TOOL_COMMAND + 1, 5, 5), 0);
    EXPECT_EQ(r.got.size(), 2u);
}

TEST(ToolBus, SendsNothingToHandleZeroOrAClosedWindow) {
    EXPECT_EQ(ToolBus::Send(0, 1100, 1), 0);
    auto r = std::make_unique<Recorder>();
    const WindowHandle h = r->Handle();
    EXPECT_TRUE(ToolBus::IsWindow(h));
    r.reset();
    EXPECT_FALSE(ToolBus::IsWindow(h));
    EXPECT_EQ(ToolBus::Send(h, 1100, 1), 0);
}

} // namespace
