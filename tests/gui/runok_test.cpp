#include "guitest.h"
#include "radiogroup.h"
#include "registry.h"
#include "selectortest.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QTabWidget>
#include <QTableWidget>
#include <QTest>

namespace {

const QString kKey = QStringLiteral("software\\RunOKTest");

TEST(RunOK, ModeZeroHandsBackTheGroupsAndClosesByTheButtonsTag) {
    MessageCapture boxes;
    for (QPushButton* TdGroupSelector::*button :
         {&TdGroupSelector::BitBtn_OK, &TdGroupSelector::BBB_RunAnalysis}) {
        auto d = Selector(0, 3);
        d->show();
        Assign(*d, 1, {1, 3});
        Assign(*d, 2, {2});
        QTest::mouseClick((*d).*button, Qt::LeftButton);
        EXPECT_EQ(d->ResultCode, Tag((*d).*button));
        EXPECT_FALSE(d->isVisible());
        EXPECT_EQ(d->GroupCount, 2);
        EXPECT_EQ(d->GroupMembers[1], QStringLiteral("1,3"));
        EXPECT_EQ(d->GroupMembers[2], QStringLiteral("2"));
    }

    // An empty last group keeps the window open without a word; an empty first one does not.
    auto refused = Selector(0, 3);
    refused->show();
    Assign(*refused, 1, {1});
    refused->BB_RunOK(refused->BitBtn_OK);
    EXPECT_TRUE(refused->isVisible());
    EXPECT_EQ(refused->ResultCode, -1);
    Assign(*refused, 3, {1}); // "none"
    Assign(*refused, 2, {2});
    refused->BB_RunOK(refused->BitBtn_OK);
    EXPECT_FALSE(refused->isVisible());
    EXPECT_EQ(refused->GroupMembers[1], QString());
    EXPECT_EQ(refused->GroupMembers[2], QStringLiteral("2"));

    // The expression tool closes on either button with group 3 empty.
    auto tool = Selector(2001, 3, false);
    tool->GroupCount = 3;
    tool->show();
    tool->BB_RunOK(tool->BBB_RunAnalysis);
    EXPECT_FALSE(tool->isVisible());
    EXPECT_EQ(tool->ResultCode, 1);

    // Mode 20 joins its groups into one; mode 210 names a group per pair of factor levels.
    auto response = Selector(20, 3);
    response->ParametersChecked = 1;
    SetGroups(*response, 2);
    Assign(*response, 1, {1});
    Assign(*response, 2, {2, 3});
    response->BB_RunOK(response->BitBtn_OK);
    EXPECT_EQ(response->GroupMembers[1], QStringLiteral("1,2,3"));
    EXPECT_EQ(response->GroupCount, 1);
    EXPECT_EQ(response->ResultCode, 0);

    auto twoFactor = Selector(210, 4, false);
    twoFactor->GroupCount = 3;
    twoFactor->Factors_SE_Number->setValue(5);
    twoFactor->FormShow();
    Assign(*twoFactor, 15, {2});
    Assign(*twoFactor, 6, {4});
    twoFactor->BB_RunOK(twoFactor->BitBtn_OK);
    EXPECT_EQ(twoFactor->ResultCode, 0);
    EXPECT_EQ(twoFactor->GroupMembers[15], QStringLiteral("2"));
    EXPECT_EQ(twoFactor->GroupMembers[6], QStringLiteral("4"));
    EXPECT_EQ(twoFactor->GroupMembers[1], QString());
    EXPECT_TRUE(boxes.shown.empty());
}

TEST(RunOK, TheViewToolSendsEveryMarkAndStaysOpen) {
    ToolMessageRecorder map;
    auto d = Selector(2000, 3, false);
    d->OwnerHandle = map.Handle();
    d->ResultCode = 7;
    d->show();
    map.got.clear();
    Mark(*d, {2});
    d->BB_RunOK(d->BitBtn_OK);
    EXPECT_EQ(map.got, (std::vector<std::pair<int, intptr_t>>{
                           {3001, 10}, {3001, 21}, {3001, 30}, {3000, 0}}));
    EXPECT_TRUE(d->isVisible());
    EXPECT_EQ(d->ResultCode, 7);
    EXPECT_EQ(d->ConditionActive[2], 1);

    d->OwnerHandle = 0;
    map.got.clear();
    d->BB_RunOK(d->BitBtn_OK);
    EXPECT_TRUE(map.got.empty());
}

TEST(RunOK, PairedModesListTheValidPairs) {
    auto d = Selector(5, 4);
    d->Pairs_SG->setRowCount(6);
    const char* rows[][2] = {{"1: c1", "3: c3"}, {"2", "0"}, {"4", "4"}, {"", "2"}, {"9", "1"}};
    for (int r = 1; r <= 5; ++r)
        for (int c = 1; c <= 2; ++c)
            d->Pairs_SG->setItem(r, c, new QTableWidgetItem(QLatin1String(rows[r - 1][c - 1])));
    d->BB_RunOK(d->BitBtn_OK);
    EXPECT_EQ(d->GroupMembers[1], QStringLiteral(",1"));
    EXPECT_EQ(d->GroupMembers[2], QStringLiteral(",3"));
    EXPECT_EQ(d->ResultCode, 0);
}

TEST(RunOK, ParametersAreLookedAtOnceAndEndInTheResultSlots) {
    MessageCapture boxes;
    auto tTest = Selector(1, 3, false);
    tTest->GroupCount = 1;
    tTest->MessageCaption = QStringLiteral("Caller");
    tTest->show();
    tTest->BB_RunOK(tTest->BitBtn_OK);
    ASSERT_EQ(boxes.shown.size(), 1u);
    EXPECT_EQ(boxes.shown[0].text, QStringLiteral("Please check and adjust parameters"));
    EXPECT_EQ(boxes.shown[0].caption, QStringLiteral("Caller"));
    EXPECT_EQ(boxes.shown[0].icon, MsgIcon::Warning);
    EXPECT_EQ(tTest->PageControl1->currentWidget(), tTest->TS_Parameter);
    EXPECT_TRUE(tTest->isVisible());
    tTest->pValue_RB_Permutation->setChecked(true);
    tTest->TTest_MultiComb_RG->SetItemIndex(1);
    tTest->TTest_MultiMode_RG->SetItemIndex(1);
    tTest->BB_RunOK(tTest->BBB_RunAnalysis);
    EXPECT_EQ(boxes.shown.size(), 1u);
    EXPECT_FALSE(tTest->isVisible());
    EXPECT_EQ(tTest->GroupMembers[1], QStringLiteral("1,2,3"));
    EXPECT_EQ(tTest->RunParam1, 2);
    EXPECT_EQ(tTest->RunParam4, 21);
    EXPECT_EQ(tTest->RunParam6, 1);
    EXPECT_EQ(tTest->RunValue1, -1.0f); // "mean"
    auto fixedMean = Selector(1, 3, false);
    fixedMean->GroupCount = 1;
    fixedMean->FormShow();
    fixedMean->ParametersChecked = 1;
    fixedMean->tTest_CB_Mean->setEditText(QStringLiteral("0.5x"));
    fixedMean->BB_RunOK(fixedMean->BitBtn_OK);
    EXPECT_EQ(fixedMean->RunValue1, 0.5f);

    auto kMeans = Selector(300, 3);
    kMeans->PageControl1->setCurrentWidget(kMeans->TS_Parameter); // looked at
    kMeans->KMM_CB_CentComp->setCurrentIndex(1);                  // "Meidan"
    kMeans->KMM_CB_Metric->setCurrentIndex(2);                    // "Dot product"
    kMeans->BB_RunOK(kMeans->BitBtn_OK);
    EXPECT_EQ(kMeans->ResultCode, 0);
    EXPECT_EQ(kMeans->RunParam4, 2);
    EXPECT_EQ(kMeans->RunParam5, 3);
    EXPECT_EQ(kMeans->RunParam7, 1);

    auto pca = Selector(310, 3);
    pca->PCA_Edit_MaxIter->setText(QStringLiteral("-5"));
    pca->PCA_Edit_EVRatio->setText(QStringLiteral("150"));
    pca->PCA_Edit_Acc->setText(QStringLiteral("-0.1"));
    pca->BB_RunOK(pca->BitBtn_OK);
    EXPECT_EQ(pca->RunParam3, 1000);
    EXPECT_EQ(pca->RunParam2, 100);
    EXPECT_EQ(pca->RunValue2, 0.0f);
    EXPECT_EQ(boxes.shown.size(), 1u);
}

class RunSettings : public ::testing::Test {
  protected:
    void SetUp() override { Registry::DeleteKey(kKey); }
    void TearDown() override { Registry::DeleteKey(kKey); }
};

TEST_F(RunSettings, WrittenBelowAnExistingKeyAndReadBackByTheNextShow) {
    MessageCapture boxes;
    auto missing = Selector(1, 3, false);
    missing->RegistryKey = kKey;
    missing->FormShow();
    missing->BB_RunOK(missing->BitBtn_OK); // refused for the parameters: nothing closes
    EXPECT_FALSE(Registry::KeyExists(kKey));

    RegKey key;
    ASSERT_TRUE(key.OpenKey(kKey, true));
    auto d = Selector(1, 3, false);
    d->RegistryKey = kKey;
    d->GroupCount = 1;
    d->FormShow();
    for (const char* file : {"/g/a.tgl", "/g/b.tgl", "/g/c.tgl"})
        d->Groups_CB_History->addItem(QLatin1String(file));
    for (int i = 1; i <= 12; ++i) d->FindHistory << QStringLiteral("find %1").arg(i);
    d->pValue_RB_Permutation->setChecked(true);
    d->tTest_SE_Perm->setValue(500);
    d->pValue_RG_MutlCorr->SetItemIndex(2);
    d->BB_RunOK(d->BitBtn_OK);
    ASSERT_TRUE(key.OpenKey(kKey + QStringLiteral("\\Parameter\\Groups\\File history"), false));
    EXPECT_EQ(key.ValueNames().size(), 3);
    EXPECT_EQ(key.ReadString(QStringLiteral("File-3"), QString()), QStringLiteral("/g/c.tgl"));
    ASSERT_TRUE(key.OpenKey(kKey + QStringLiteral("\\Parameter\\Groups\\Find history"), false));
    EXPECT_EQ(key.ValueNames().size(), 10);
    EXPECT_EQ(key.ReadString(QStringLiteral("10"), QString()), QStringLiteral("find 10"));
    ASSERT_TRUE(key.OpenKey(kKey + QStringLiteral("\\Parameter\\t-Test,ANOVA,PTM"), false));
    EXPECT_EQ(key.ReadString(QStringLiteral("MT-correction"), QString()),
              QStringLiteral("adjusted Bonferroni"));
    EXPECT_TRUE(key.OpenKey(kKey + QStringLiteral("\\Parameter\\System"), false));

    auto next = Selector(2, 3, false);
    next->RegistryKey = kKey;
    next->FormShow();
    EXPECT_TRUE(next->pValue_RB_Permutation->isChecked());
    EXPECT_EQ(next->tTest_SE_Perm->value(), 500);
    EXPECT_EQ(next->pValue_RG_MutlCorr->ItemIndex(), 2);
    EXPECT_EQ(next->Groups_CB_History->count(), 3);

    // Only mode 4 of the SAM modes writes their key.
    auto sam = Selector(10, 3);
    sam->RegistryKey = kKey;
    sam->BB_RunOK(sam->BitBtn_OK);
    EXPECT_FALSE(Registry::KeyExists(kKey + QStringLiteral("\\Parameter\\SAM")));
    auto sam4 = Selector(4, 3);
    sam4->RegistryKey = kKey;
    Assign(*sam4, 2, {1});
    sam4->BB_RunOK(sam4->BitBtn_OK);
    ASSERT_TRUE(key.OpenKey(kKey + QStringLiteral("\\Parameter\\SAM"), false));
    EXPECT_EQ(key.ReadString(QStringLiteral("All permutaions"), QString()), QStringLiteral("no"));
}

} // namespace
