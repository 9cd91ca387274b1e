#include "registry.h"

#include <gtest/gtest.h>

namespace {

const QString kBase = QStringLiteral("software\\JX-Quorbel-Test\\");

class RegistryTest : public ::testing::Test {
  protected:
    void SetUp() override { Registry::DeleteKey(kBase); }
    void TearDown() override { Registry::DeleteKey(kBase); }
};

TEST_F(RegistryTest, ValueNamesMatchWithoutRegardToCase) {
    RegKey key;
    ASSERT_TRUE(key.OpenKey(kBase, true));
    key.WriteInteger(QStringLiteral("Window left"), 33);
    EXPECT_EQ(key.ReadInteger(QStringLiteral("Window Left"), 10), 33);
    key.WriteInteger(QStringLiteral("WINDOW LEFT"), 44);
    EXPECT_EQ(key.ReadInteger(QStringLiteral("window left"), 10), 44);
    EXPECT_EQ(key.ValueNames().size(), 1);
}

TEST_F(RegistryTest, OpeningWithoutCreationLeavesMissingKeysMissing) {
    RegKey key;
    EXPECT_FALSE(Registry::KeyExists(kBase));
    EXPECT_FALSE(key.OpenKey(kBase + QStringLiteral("Find gene history\\"), false));
    EXPECT_FALSE(key.IsOpen());
    EXPECT_FALSE(Registry::KeyExists(kBase));
    ASSERT_TRUE(key.OpenKey(kBase + QStringLiteral("Expression matrix\\"), true));
    EXPECT_TRUE(Registry::KeyExists(kBase));
    EXPECT_TRUE(Registry::KeyExists(QStringLiteral("SOFTWARE/jx-quorbel-test/expression MATRIX")));
    EXPECT_TRUE(key.ValueNames().isEmpty());
}

TEST_F(RegistryTest, TypedReadsFallBackOnTheirDefault) {
    RegKey key;
    ASSERT_TRUE(key.OpenKey(kBase, true));
    key.WriteString(QStringLiteral("Text"), QStringLiteral("12"));
    key.WriteInteger(QStringLiteral("Number"), 7);
    EXPECT_EQ(key.ReadInteger(QStringLiteral("Text"), -1), -1);
    EXPECT_EQ(key.ReadString(QStringLiteral("Number"), QStringLiteral("d")), QStringLiteral("d"));
    EXPECT_EQ(key.ReadInteger(QStringLiteral("Missing"), 5), 5);
    EXPECT_FALSE(key.ReadString(QStringLiteral("Missing")).has_value());
}

TEST_F(RegistryTest, StringsRoundTripExactly) {
    const QString spec = QStringLiteral("/data/ideogram;2,1,2,3,6,7,8,9,4");
    const QString odd = QStringLiteral("a=b; \"c\", d\\e\ttab [x]");
    {
        RegKey key;
        ASSERT_TRUE(key.OpenKey(kBase, true));
        key.WriteString(QStringLiteral("Ideogram data file"), spec);
        key.WriteString(QStringLiteral("Odd"), odd);
        key.WriteString(QStringLiteral("Empty"), QString());
        key.CloseKey();
    }
    // A second store on the same file sees what the first wrote.
    const QString where = Registry::Location();
    Registry::SetLocation(where + QStringLiteral(".other"));
    Registry::SetLocation(where);
    RegKey key;
    ASSERT_TRUE(key.OpenKey(kBase, false));
    EXPECT_EQ(key.ReadString(QStringLiteral("ideogram data file"), {}), spec);
    EXPECT_EQ(key.ReadString(QStringLiteral("odd"), {}), odd);
    EXPECT_EQ(key.ReadString(QStringLiteral("Empty"), QStringLiteral("x")), QString());
}

TEST_F(RegistryTest, DeletingAKeyRemovesItsValuesAndSubkeys) {
    RegKey key;
    ASSERT_TRUE(key.OpenKey(kBase + QStringLiteral("History\\Inner"), true));
    key.WriteString(QStringLiteral("1"), QStringLiteral("x"));
    ASSERT_TRUE(key.OpenKey(kBase, false));
    key.WriteString(QStringLiteral("Keep"), QStringLiteral("y"));
    EXPECT_TRUE(Registry::DeleteKey(kBase + QStringLiteral("history")));
    EXPECT_FALSE(Registry::KeyExists(kBase + QStringLiteral("History\\Inner")));
    EXPECT_FALSE(Registry::DeleteKey(kBase + QStringLiteral("history")));
    ASSERT_TRUE(key.OpenKey(kBase, false));
    EXPECT_EQ(key.ReadString(QStringLiteral("Keep"), {}), QStringLiteral("y"));
}

} // namespace
