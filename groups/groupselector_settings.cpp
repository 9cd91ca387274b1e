// The group selector's settings below its RegistryKey.
#include "groupselector.h"
#include "radiogroup.h"
#include "registry.h"
#include "windowplace.h"

#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QGroupBox>
#include <QLayout>
#include <QLineEdit>
#include <QRadioButton>
#include <QSpinBox>
#include <QSplitter>

namespace {
const QString kSystem = QStringLiteral("\\Parameter\\System");
const QString kFileHistory = QStringLiteral("\\Parameter\\Groups\\File history");
const QString kFindHistory = QStringLiteral("\\Parameter\\Groups\\Find history");
const QString kTests = QStringLiteral("\\Parameter\\t-Test,ANOVA,PTM");
const QString kSAM = QStringLiteral("\\Parameter\\SAM");
const QString kSurvival = QStringLiteral("\\Parameter\\Survival");
constexpr int kFindHistoryKept = 10;

// Values that are missing leave their control as it stands.
void ReadText(const RegKey& key, const QString& name, QLineEdit* edit) {
    if (const auto text = key.ReadString(name)) edit->setText(*text);
}
void ReadNumber(const RegKey& key, const QString& name, QSpinBox* spin) {
    if (const auto value = key.ReadInteger(name)) spin->setValue(*value);
}
} // namespace

void TdGroupSelector::ReadSettings() {
    if (RegistryKey.isEmpty() || !Registry::KeyExists(RegistryKey)) return;
    RegKey key;
    if (key.OpenKey(RegistryKey + kSystem, false)) {
        RestoreWindowPlace(*this, key.ReadInteger(QStringLiteral("Left"), 10),
                           key.ReadInteger(QStringLiteral("Top"), 10),
                           key.ReadInteger(QStringLiteral("Width"), 620),
                           key.ReadInteger(QStringLiteral("Height"), 460));
        conditionWidth_ = key.ReadInteger(QStringLiteral("Condition width"), 380);
    }
    if (key.OpenKey(RegistryKey + kFileHistory, false)) {
        for (int i = 1; i <= kGroupHistoryKept; ++i) {
            const QString file = key.ReadString(QStringLiteral("File-%1").arg(i), QString());
            if (!file.isEmpty()) Groups_CB_History->addItem(file);
        }
    }
    if (key.OpenKey(RegistryKey + kFindHistory, false)) {
        for (int i = 1; i <= kFindHistoryKept; ++i) {
            const QString text = key.ReadString(QString::number(i), QString());
            if (!text.isEmpty()) FindHistory << text;
        }
    }
    if ((Mode == 1 || Mode == 2 || Mode == 20) && key.OpenKey(RegistryKey + kTests, false)) {
        if (const auto estimation = key.ReadString(QStringLiteral("p-Value estimation"))) {
            const bool distribution = *estimation == QLatin1String("distribution");
            pValue_RB_Dist->setChecked(distribution);
            pValue_RB_Permutation->setChecked(!distribution);
        }
        ReadNumber(key, QStringLiteral("Permutation number"), tTest_SE_Perm);
        if (const auto correction = key.ReadString(QStringLiteral("MT-correction"))) {
            int item = 0;
            if (*correction == QLatin1String("Bonferroni")) item = 1;
            if (*correction == QLatin1String("adjusted Bonferroni")) item = 2;
            pValue_RG_MutlCorr->SetItemIndex(item);
        }
    }
    if ((Mode == 4 || Mode == 10 || Mode == 11) && key.OpenKey(RegistryKey + kSAM, false)) {
        if (const auto all = key.ReadString(QStringLiteral("All permutaions")))
            SAM_CB_PermAll->setChecked(*all == QLatin1String("yes"));
        ReadNumber(key, QStringLiteral("Permutaion cycles"), SAM_SE_Perm);
        if (const auto method = key.ReadString(QStringLiteral("S0 method"))) {
            const QStringList methods{QStringLiteral("Tusher"), QStringLiteral("Percentile"),
                                      QStringLiteral("constant")};
            if (methods.contains(*method)) SAM_RG_S0->SetItemIndex(methods.indexOf(*method));
        }
        ReadText(key, QStringLiteral("S0 percentile"), SAM_Edit_S0_Percentile);
        ReadText(key, QStringLiteral("S0 constant"), SAM_Edit_S0_Constant);
    }
    if (Mode >= 100 && Mode <= 104 && key.OpenKey(RegistryKey + kSurvival, false)) {
        ReadText(key, QStringLiteral("Survival time row"), KapMei_Edit_Row[1]);
        ReadText(key, QStringLiteral("Censored time row"), KapMei_Edit_Row[2]);
        ReadText(key, QStringLiteral("Censoring row"), KapMei_Edit_Row[3]);
        if (Mode >= 101) {
            ReadText(key, QStringLiteral("Scan1 - Average"), Survival_Edit_Average);
            ReadText(key, QStringLiteral("Scan1 - Confidence Interval"), Survival_Edit_CI);
            ReadNumber(key, QStringLiteral("Scan1 - Min groupsize"), Survival_SE_MinGroupSize);
        }
    }
}

void TdGroupSelector::ApplyConditionWidth() {
    if (conditionWidth_ < 0) return;
    // The splitter shares out anew whatever width it gets, so the box's width is set only once
    // the window has its final layout.
    QCoreApplication::sendPostedEvents(nullptr, QEvent::LayoutRequest);
    layout()->activate();
    const QList<int> sizes = Splitter_Groups->sizes();
    const int room = sizes.value(0) + sizes.value(1);
    const int width = std::max(conditionWidth_, Groups_GB_Conditions->minimumSizeHint().width());
    Splitter_Groups->setSizes({width, std::max(0, room - width)});
    conditionWidth_ = -1;
}

void TdGroupSelector::WriteSettings() {
    if (RegistryKey.isEmpty()) return;
    RegKey key;
    if (!key.OpenKey(RegistryKey, true)) return;
    WriteWindowAndFindHistory(key);
}

void TdGroupSelector::WriteWindowAndFindHistory(RegKey& key) {
    if (key.OpenKey(RegistryKey + kSystem, true)) {
        key.WriteInteger(QStringLiteral("Left"), x());
        key.WriteInteger(QStringLiteral("Top"), y());
        key.WriteInteger(QStringLiteral("Width"), width());
        key.WriteInteger(QStringLiteral("Height"), height());
        key.WriteInteger(QStringLiteral("Condition width"), Groups_GB_Conditions->width());
    }
    if (key.OpenKey(RegistryKey + kFindHistory, true)) {
        const int kept = std::min(static_cast<int>(FindHistory.size()), kFindHistoryKept);
        for (int i = 1; i <= kept; ++i) key.WriteString(QString::number(i), FindHistory[i - 1]);
    }
}

void TdGroupSelector::WriteRunSettings() {
    // A run writes below a key that exists already; it never creates the caller's key.
    if (RegistryKey.isEmpty() || !Registry::KeyExists(RegistryKey)) return;
    RegKey key;
    WriteWindowAndFindHistory(key);
    if (key.OpenKey(RegistryKey + kFileHistory, true))
        for (int i = 1; i <= Groups_CB_History->count(); ++i)
            key.WriteString(QStringLiteral("File-%1").arg(i), Groups_CB_History->itemText(i - 1));
    const auto item = [](const TRadioGroup* group, const QStringList& names) {
        return names.value(group->ItemIndex(), names.first());
    };
    if ((Mode == 1 || Mode == 2 || Mode == 20) && key.OpenKey(RegistryKey + kTests, true)) {
        key.WriteString(QStringLiteral("p-Value estimation"), pValue_RB_Dist->isChecked()
                                                                  ? QStringLiteral("distribution")
                                                                  : QStringLiteral("permutation"));
        key.WriteInteger(QStringLiteral("Permutation number"), tTest_SE_Perm->value());
        key.WriteString(
            QStringLiteral("MT-correction"),
            item(pValue_RG_MutlCorr, {QStringLiteral("none"), QStringLiteral("Bonferroni"),
                                      QStringLiteral("adjusted Bonferroni")}));
    }
    if (Mode == 4 && key.OpenKey(RegistryKey + kSAM, true)) {
        key.WriteString(QStringLiteral("All permutaions"),
                        SAM_CB_PermAll->isChecked() ? QStringLiteral("yes") : QStringLiteral("no"));
        key.WriteInteger(QStringLiteral("Permutaion cycles"), SAM_SE_Perm->value());
        key.WriteString(QStringLiteral("S0 method"),
                        item(SAM_RG_S0, {QStringLiteral("Tusher"), QStringLiteral("Percentile"),
                                         QStringLiteral("constant")}));
        key.WriteString(QStringLiteral("S0 percentile"), SAM_Edit_S0_Percentile->text());
        key.WriteString(QStringLiteral("S0 constant"), SAM_Edit_S0_Constant->text());
    }
    if (Mode >= 100 && Mode <= 104 && key.OpenKey(RegistryKey + kSurvival, true)) {
        key.WriteString(QStringLiteral("Survival time row"), KapMei_Edit_Row[1]->text());
        key.WriteString(QStringLiteral("Censored time row"), KapMei_Edit_Row[2]->text());
        key.WriteString(QStringLiteral("Censoring row"), KapMei_Edit_Row[3]->text());
        if (Mode >= 101) {
            key.WriteString(QStringLiteral("Scan1 - Average"), Survival_Edit_Average->text());
            key.WriteString(QStringLiteral("Scan1 - Confidence Interval"),
                            Survival_Edit_CI->text());
            key.WriteInteger(QStringLiteral("Scan1 - Min groupsize"),
                             Survival_SE_MinGroupSize->value());
        }
    }
}
