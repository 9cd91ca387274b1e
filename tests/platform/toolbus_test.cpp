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

struct ListRecorder : Recorder, ListMessageTarget {
    std::vector<std::vector<int32_t>> lists;
    intptr_t ListMessage(int kind, WindowHandle sender, std::span<const int32_t> list) override {
        lists.emplace_back(list.begin(), list.end());
        lists.back().insert(lists.back().begin(), {kind, int32_t(sender)});
        return 9;
    }
};

TEST(ToolBus, ListsReachOnlyWindowsThatTakeThem) {
    ListRecorder taker;
    Recorder other;
    const std::vector<int32_t> list = {2, 4, 7};
    EXPECT_EQ(ToolBus::SendList(taker.Handle(), 1, 0x77, list), 9);
    ASSERT_EQ(taker.lists.size(), 1u);
    EXPECT_EQ(taker.lists[0], (std::vector<int32_t>{1, 0x77, 2, 4, 7}));
    EXPECT_EQ(ToolBus::SendList(other.Handle(), 1, 0x77, list), 0);
    EXPECT_EQ(ToolBus::SendList(0, 1, 0x77, list), 0);
    const WindowHandle gone = [] {
        ListRecorder r;
        return r.Handle();
    }();
    EXPECT_EQ(ToolBus::SendList(gone, 1, 0x77, list), 0);
}

} // namespace
