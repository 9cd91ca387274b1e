// The control window's four tabs. The bars and boxes answer valueChanged and toggled, so values
// set from code send too; `Updating` holds back the ones that must not echo a push from the plot.
#include "sp3dctrl.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QSlider>
#include <QSpinBox>
#include <QToolButton>
#include <QVBoxLayout>

namespace {
QSlider* Bar(int min, int max, int value) {
    auto* bar = new QSlider(Qt::Horizontal);
    bar->setRange(min, max);
    bar->setValue(value);
    return bar;
}

QSpinBox* Spin(int min, int max, int step, int value) {
    auto* spin = new QSpinBox;
    spin->setRange(min, max);
    spin->setSingleStep(step);
    spin->setValue(value);
    return spin;
}

// Codes of dimensions 1..6 below their hundred: X 0, Y 1, Z 2, Size 5, Color 6, Marker 9.
constexpr int kDimensionCode[7] = {0, 0, 1, 2, 5, 6, 9};

QString DimensionName(int d) {
    static const char* const names[7] = {"",     "X-Axes", "Y-Axes", "Z-axes",
                                         "Size", "Color",  "Marker"};
    return QString::fromLatin1(names[d]);
}
} // namespace

QWidget* TSC3D_Controls::BuildRotateTab() {
    auto* tab = new QWidget;
    auto* rotate = new QGroupBox(QStringLiteral("Rotate"));
    auto* grid = new QGridLayout(rotate);
    const QString axes[3] = {QStringLiteral("X"), QStringLiteral("Y"), QStringLiteral("Z")};
    grid->addWidget(new QLabel(QStringLiteral("AutoRotate")), 0, 2);
    for (int a = 0; a < 3; ++a) {
        TB_Angle[a] = Bar(0, 360, 0);
        SB_AutoRot[a] = new QToolButton;
        SB_AutoRot[a]->setText(axes[a]);
        SB_AutoRot[a]->setCheckable(true);
        grid->addWidget(new QLabel(axes[a]), a + 1, 0);
        grid->addWidget(TB_Angle[a], a + 1, 1);
        grid->addWidget(SB_AutoRot[a], a + 1, 2);
        connect(TB_Angle[a], &QSlider::valueChanged, this, [this, a](int v) {
            if (!Updating) Send(100 + a, v);
        });
        connect(SB_AutoRot[a], &QToolButton::toggled, this, [this, a](bool down) {
            if (!Updating) Send(121 + a, down ? 1 : 0);
        });
    }
    SE_AutoRotSpeed = Spin(1, 1000, 5, 100);
    SE_AutoRotAngle = Spin(0, 360, 5, 0);
    grid->addWidget(new QLabel(QStringLiteral("Speed")), 4, 0);
    grid->addWidget(SE_AutoRotSpeed, 4, 1);
    grid->addWidget(new QLabel(QStringLiteral("Angle")), 5, 0);
    grid->addWidget(SE_AutoRotAngle, 5, 1);
    connect(SE_AutoRotSpeed, &QSpinBox::valueChanged, this, [this](int v) { Send(130, v); });
    connect(SE_AutoRotAngle, &QSpinBox::valueChanged, this, [this](int v) { Send(131, v); });

    auto* move = new QGroupBox(QStringLiteral("Move"));
    auto* moveGrid = new QGridLayout(move);
    TB_XPos = Bar(-500, 500, 0);
    TB_YPos = Bar(-500, 500, 0);
    moveGrid->addWidget(new QLabel(QStringLiteral("X")), 0, 0);
    moveGrid->addWidget(TB_XPos, 0, 1);
    moveGrid->addWidget(new QLabel(QStringLiteral("Y")), 1, 0);
    moveGrid->addWidget(TB_YPos, 1, 1);
    connect(TB_XPos, &QSlider::valueChanged, this, [this](int v) {
        if (!Updating) Send(105, v);
    });
    connect(TB_YPos, &QSlider::valueChanged, this, [this](int v) {
        if (!Updating) Send(106, v);
    });

    auto* tilde = new QGroupBox(QStringLiteral("Tilde"));
    auto* tildeLayout = new QVBoxLayout(tilde);
    TB_Tilde = Bar(-200, 200, 50);
    tildeLayout->addWidget(TB_Tilde);
    connect(TB_Tilde, &QSlider::valueChanged, this, [this](int v) {
        if (!Updating) Send(109, v);
    });

    Button_ResetRotPos = new QPushButton(QStringLiteral("&Reset"));
    connect(Button_ResetRotPos, &QPushButton::clicked, this, [this] { Button_ResetRotPosClick(); });
    auto* layout = new QVBoxLayout(tab);
    layout->addWidget(rotate);
    layout->addWidget(move);
    layout->addWidget(tilde);
    layout->addWidget(Button_ResetRotPos, 0, Qt::AlignLeft);
    layout->addStretch(1);
    return tab;
}

QWidget* TSC3D_Controls::BuildScaleTab() {
    auto* tab = new QWidget;
    auto* zoom = new QGroupBox(QStringLiteral("Zoom"));
    auto* grid = new QGridLayout(zoom);
    const QString heads[] = {QString(),
                             QString(),
                             QStringLiteral("Zoom"),
                             QString(),
                             QStringLiteral("Min"),
                             QString(),
                             QStringLiteral("Max"),
                             QString(),
                             QStringLiteral("Log")};
    for (int c = 0; c < 9; ++c)
        if (!heads[c].isEmpty()) grid->addWidget(new QLabel(heads[c]), 0, c);
    for (int d = 1; d <= 6; ++d) {
        TB_Zoom[d] = Bar(0, 500, 100);
        TB_Min[d] = Bar(0, 100, 0);
        TB_Max[d] = Bar(0, 100, 100);
        CB_LinLog[d] = new QCheckBox;
        L_Name[d] = new QLabel;
        L_Zoom[d] = new QLabel;
        L_Min[d] = new QLabel;
        L_Max[d] = new QLabel;
        for (QLabel* l : {L_Zoom[d], L_Min[d], L_Max[d]})
            l->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        grid->addWidget(new QLabel(DimensionName(d)), d, 0);
        grid->addWidget(L_Name[d], d, 1);
        grid->addWidget(TB_Zoom[d], d, 2);
        grid->addWidget(L_Zoom[d], d, 3);
        grid->addWidget(TB_Min[d], d, 4);
        grid->addWidget(L_Min[d], d, 5);
        grid->addWidget(TB_Max[d], d, 6);
        grid->addWidget(L_Max[d], d, 7);
        grid->addWidget(CB_LinLog[d], d, 8);
        const int code = kDimensionCode[d];
        connect(TB_Zoom[d], &QSlider::valueChanged, this, [this, code](int v) {
            if (!Updating) Send(200 + code, v);
        });
        connect(TB_Min[d], &QSlider::valueChanged, this, [this, code](int v) {
            if (!Updating) Send(300 + code, v);
        });
        connect(TB_Max[d], &QSlider::valueChanged, this, [this, code](int v) {
            if (!Updating) Send(400 + code, v);
        });
        connect(CB_LinLog[d], &QCheckBox::toggled, this,
                [this, d](bool on) { Send(1000 + d, on ? 1 : 0); });
    }
    Button_ResetScale = new QPushButton(QStringLiteral("&Reset thresholds"));
    Button_ResetZoom = new QPushButton(QStringLiteral("Reset Zoom"));
    connect(Button_ResetScale, &QPushButton::clicked, this, [this] { Button_ResetScaleClick(); });
    connect(Button_ResetZoom, &QPushButton::clicked, this, [this] { Button_ResetZoomClick(); });
    grid->addWidget(Button_ResetScale, 7, 4, 1, 2);
    grid->addWidget(Button_ResetZoom, 7, 2, 1, 2);

    auto* sets = new QGroupBox(QStringLiteral("Data set"));
    auto* setGrid = new QGridLayout(sets);
    for (int k = 1; k <= 18; ++k) {
        CB_Set[k] = new QCheckBox(QString::number(k));
        setGrid->addWidget(CB_Set[k], (k - 1) / 9, (k - 1) % 9);
        connect(CB_Set[k], &QCheckBox::toggled, this, [this, k](bool on) {
            Send(500 + k, on ? 1 : 0);
            if (!Updating) Send(0, 0);
        });
    }
    Button_All = new QPushButton(QStringLiteral("All"));
    Button_None = new QPushButton(QStringLiteral("None"));
    connect(Button_All, &QPushButton::clicked, this, [this] { Button_AllNoneClick(true); });
    connect(Button_None, &QPushButton::clicked, this, [this] { Button_AllNoneClick(false); });
    setGrid->addWidget(Button_All, 0, 9);
    setGrid->addWidget(Button_None, 1, 9);

    auto* layout = new QVBoxLayout(tab);
    layout->addWidget(zoom);
    layout->addWidget(sets);
    layout->addStretch(1);
    return tab;
}

QWidget* TSC3D_Controls::BuildArrangeTab() {
    auto* tab = new QWidget;
    auto* grid = new QGridLayout(tab);
    for (int d = 1; d <= 6; ++d) {
        Edit_AS[d] = new QLineEdit;
        Edit_AS[d]->setReadOnly(true); // typing changes nothing; the list chooses
        Edit_AS[d]->installEventFilter(this);
        grid->addWidget(new QLabel(DimensionName(d)), d - 1, 0);
        grid->addWidget(Edit_AS[d], d - 1, 1);
    }
    List_ASSeries = new QListWidget;
    grid->addWidget(List_ASSeries, 0, 2, 7, 1);
    grid->setRowStretch(6, 1);
    connect(List_ASSeries, &QListWidget::itemClicked, this,
            [this](QListWidgetItem* item) { List_ASSeriesClick(List_ASSeries->row(item)); });
    return tab;
}

QWidget* TSC3D_Controls::BuildGateTab() {
    auto* tab = new QWidget;
    List_Gate = new QListWidget;
    Edit_NewGate = new QLineEdit;
    Button_SetGate = new QPushButton(QStringLiteral("Present thresholds -> gate"));
    connect(Button_SetGate, &QPushButton::clicked, this, [this] { Button_SetGateClick(); });

    // Combining gates has no action yet.
    auto* combine = new QGroupBox(QStringLiteral("Combine gates"));
    auto* grid = new QGridLayout(combine);
    grid->addWidget(new QLineEdit, 0, 0);
    grid->addWidget(new QCheckBox(QStringLiteral("Not")), 0, 1);
    grid->addWidget(new QLineEdit, 1, 0);
    grid->addWidget(new QCheckBox(QStringLiteral("Not")), 1, 1);
    auto* ops = new QHBoxLayout;
    for (const QString& op : {QStringLiteral("And"), QStringLiteral("Or"), QStringLiteral("Xor")})
        ops->addWidget(new QPushButton(op));
    grid->addLayout(ops, 2, 0, 1, 2);
    grid->addWidget(new QLineEdit, 3, 0);

    auto* layout = new QGridLayout(tab);
    layout->addWidget(List_Gate, 0, 0, 4, 1);
    layout->addWidget(new QLabel(QStringLiteral("New gate")), 0, 1);
    layout->addWidget(Edit_NewGate, 1, 1);
    layout->addWidget(Button_SetGate, 2, 1);
    layout->addWidget(combine, 3, 1);
    return tab;
}
