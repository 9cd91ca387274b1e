// The dot chart's settings under "JX_DotChart" at the store's root: window place and the
// preference controls (which apply to groups only when the user changes them).
#include "cloudplot.h"

#include "registry.h"
#include "windowplace.h"

#include <QCheckBox>
#include <QComboBox>
#include <QSignalBlocker>
#include <QSpinBox>

namespace {
const QString kKey = QStringLiteral("JX_DotChart");

QString YesNo(const QCheckBox* box) {
    return box->isChecked() ? QStringLiteral("yes") : QStringLiteral("no");
}

void ReadYesNo(const RegKey& key, const QString& name, const QString& fallback, QCheckBox* box) {
    const QSignalBlocker block(box);
    box->setChecked(key.ReadString(name, fallback) == QLatin1String("yes"));
}

void ReadSpin(const RegKey& key, const QString& name, int fallback, QSpinBox* spin) {
    const QSignalBlocker block(spin);
    spin->setValue(key.ReadInteger(name, fallback));
}
} // namespace

void TCloudPlot::ReadSettings() {
    if (!Registry::KeyExists(kKey)) return;
    RegKey key;
    if (!key.OpenKey(kKey, false)) return;
    setGeometry(PlaceOnScreen(key.ReadInteger(QStringLiteral("Left"), 10),
                              key.ReadInteger(QStringLiteral("Top"), 10),
                              key.ReadInteger(QStringLiteral("Width"), 620),
                              key.ReadInteger(QStringLiteral("Height"), 460)));
    ReadSpin(key, QStringLiteral("Points per line"), 3, Pref_PPL_SE);
    {
        const QSignalBlocker block(Pref_Symbol_CB);
        Pref_Symbol_CB->setCurrentText(
            key.ReadString(QStringLiteral("Symbol"), QStringLiteral("Rectangle")));
    }
    ReadSpin(key, QStringLiteral("Symbol size"), 5, Pref_Size_SE);
    ReadSpin(key, QStringLiteral("Symbol pen width"), 1, Pref_PenWidth_SE);
    ReadSpin(key, QStringLiteral("Group seperator"), 0, Pref_GroupSep_SE);
    ReadSpin(key, QStringLiteral("Group distance"), 20, Pref_GroupDist_SE);
    ReadYesNo(key, QStringLiteral("Show mean"), QStringLiteral("yes"), CB_Mean);
    ReadYesNo(key, QStringLiteral("Show mean sdev"), QStringLiteral("no"), CB_MeanSDev);
    ReadYesNo(key, QStringLiteral("Show median"), QStringLiteral("no"), CB_Median);
    ReadYesNo(key, QStringLiteral("Show median sdev"), QStringLiteral("no"), CB_MedianSDev);
    ReadYesNo(key, QStringLiteral("Show box"), QStringLiteral("no"), CB_Box);
    ReadYesNo(key, QStringLiteral("Show Whisker"), QStringLiteral("no"), CB_Whisker);
    // Read a second time as the stored files expect: a missing value now means "no".
    ReadYesNo(key, QStringLiteral("Show mean"), QStringLiteral("no"), CB_Mean);
}

void TCloudPlot::WriteSettings() {
    RegKey key;
    if (!key.OpenKey(kKey, true)) return;
    const QRect g = geometry();
    key.WriteInteger(QStringLiteral("Left"), g.left());
    key.WriteInteger(QStringLiteral("Top"), g.top());
    key.WriteInteger(QStringLiteral("Width"), g.width());
    key.WriteInteger(QStringLiteral("Height"), g.height());
    key.WriteInteger(QStringLiteral("Points per line"), Pref_PPL_SE->value());
    key.WriteString(QStringLiteral("Symbol"), Pref_Symbol_CB->currentText());
    key.WriteInteger(QStringLiteral("Symbol size"), Pref_Size_SE->value());
    key.WriteInteger(QStringLiteral("Symbol pen width"), Pref_PenWidth_SE->value());
    key.WriteInteger(QStringLiteral("Group seperator"), Pref_GroupSep_SE->value());
    key.WriteInteger(QStringLiteral("Group distance"), Pref_GroupDist_SE->value());
    key.WriteString(QStringLiteral("Show mean"), YesNo(CB_Mean));
    key.WriteString(QStringLiteral("Show mean sdev"), YesNo(CB_MeanSDev));
    key.WriteString(QStringLiteral("Show median"), YesNo(CB_Median));
    key.WriteString(QStringLiteral("Show median sdev"), YesNo(CB_MedianSDev));
    key.WriteString(QStringLiteral("Show box"), YesNo(CB_Box));
    key.WriteString(QStringLiteral("Show Whisker"), YesNo(CB_Whisker));
    key.WriteString(QStringLiteral("Show mean"), YesNo(CB_Mean));
}
