#include "windowregistry.h"

#include <QWidget>
#include <gtest/gtest.h>
#include <memory>

namespace {

struct Window : QWidget, ToolMessageTarget {
    intptr_t ToolMessage(int, intptr_t) override { return 0; }
};

TEST(WindowRegistry, FindsByClassNameOrCaptionInCreationOrderUntilDestroyed) {
    auto a = std::make_unique<Window>();
    auto b = std::make_unique<Window>();
    a->setWindowTitle(QStringLiteral("ScatterView 1"));
    b->setWindowTitle(QStringLiteral("Other"));
    WindowRegistry::Add(a.get(), a->Handle());
    WindowRegistry::Add(b.get(), b->Handle());
    auto found = WindowRegistry::Find(QStringLiteral("QWidget"), false);
    ASSERT_EQ(found.size(), 2u);
    EXPECT_EQ(found[0].handle, a->Handle());
    EXPECT_EQ(found[1].handle, b->Handle());
    found = WindowRegistry::Find(QStringLiteral("ScatterView"), false);
    ASSERT_EQ(found.size(), 1u);
    EXPECT_EQ(found[0].window, a.get());
    EXPECT_TRUE(WindowRegistry::Find(QStringLiteral("ScatterView"), true).empty());
    a->show();
    EXPECT_EQ(WindowRegistry::Find(QStringLiteral("ScatterView"), true).size(), 1u);
    a.reset();
    EXPECT_TRUE(WindowRegistry::Find(QStringLiteral("ScatterView"), false).empty());
    EXPECT_EQ(WindowRegistry::Find(QStringLiteral("QWidget"), false).size(), 1u);
}

} // namespace
