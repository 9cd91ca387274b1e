// The view tools' pages: each control sends its command to the main window activated last.
#include "groupselector.h"
#include "radiogroup.h"
#include "system.h"
#include "toolglobals.h"
#include "viewtoolsteps.h"

#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>

namespace {
void Send(int code, int arg) {
    ToolBus::Send(MainWindowHandle, code, arg);
}

// A filter's four parameters go first, so the main window runs the filter (`run`) with them;
// "All" sends zeros.
void SendFilter(int run, bool filter, const QComboBox* first, const QComboBox* second) {
    Send(run + 1, filter ? LeadingInteger(first->currentText()) : 0);
    Send(run + 2, filter ? LeadingInteger(second->currentText()) : 0);
    Send(run + 3, 0);
    Send(run + 4, 0);
    Send(run, 0);
}
} // namespace

void TdGroupSelector::ConnectViewTool() {
    const auto onClick = [this](QPushButton* button, void (TdGroupSelector::*handler)(QObject*)) {
        connect(button, &QPushButton::clicked, this,
                [this, button, handler] { (this->*handler)(button); });
    };
    for (int k = 0; k < 3; ++k) {
        onClick(Widht_BB[k], &TdGroupSelector::Widht_BB1Click);
        onClick(Zoom_BB[k], &TdGroupSelector::Zoom_BB1Click);
        onClick(HeatMap_BB[k], &TdGroupSelector::HeatMap_SizeClick);
    }
    connect(RG_DataType, &TRadioGroup::itemClicked, this, [this] { RG_DataTypeClick(); });
    for (QPushButton* b :
         {CGH_BB_Show_BB_ShowSingleCGHProbes, CGH_BB_Show_Processed, CGH_BB_Show_Groups})
        onClick(b, &TdGroupSelector::CGH_BB_Show_ProcessedClick);
    connect(BB_ZTransform, &QPushButton::clicked, this, [this] { BB_ZTransformClick(); });
    connect(BB_InvertSign, &QPushButton::clicked, this, [this] { BB_InvertSignClick(); });
    connect(BB_Log10toLog2, &QPushButton::clicked, this, [this] { BB_Log10toLog2Click(); });
    connect(BB_Smooth, &QPushButton::clicked, this, [this] { BB_SmoothClick(); });
    onClick(FilterSig_BB_Filter, &TdGroupSelector::FilterSig_BB_FilterClick);
    onClick(FilterSig_BB_All, &TdGroupSelector::FilterSig_BB_FilterClick);
    onClick(FilterGeneCGH_BB_Filter, &TdGroupSelector::FilterGeneCGH_BB_FilterClick);
    connect(ExpMat_CB_Scale, &QComboBox::activated, this, [this] { ExpMat_CB_ScaleChange(); });
    connect(ExpMat_CB_Scale->lineEdit(), &QLineEdit::textEdited, this,
            [this] { ExpMat_CB_ScaleChange(); });
    connect(ExpMat_CB_GeneAnno, &QComboBox::activated, this,
            [this] { ExpMat_CB_GeneAnnoChange(); });
    connect(ExpMat_BB_ViewGeneAnno, &QPushButton::clicked, this,
            [this] { ExpMat_CBox_ViewGeneAnnoClick(); });
    for (QPushButton* b :
         {ExpMat_BB_MeanNormaliseGenes, ExpMat_BB_Log2Transform, ExpMat_BB_Log2Log10Transform})
        onClick(b, &TdGroupSelector::ExpMat_BB_AdjustClick);
}

void TdGroupSelector::Widht_BB1Click(QObject* sender) {
    const int step = WidthStep(CtrlDown(), ShiftDown());
    switch (Tag(sender)) {
    case -1:
        return Send(3010, step);
    case 0:
        return Send(3011, 50);
    case 1:
        return Send(3012, step);
    }
}

void TdGroupSelector::Zoom_BB1Click(QObject* sender) {
    const int step = ZoomStep(CtrlDown(), ShiftDown());
    switch (Tag(sender)) {
    case -1:
        return Send(3020, step);
    case 0:
        return Send(3021, 1);
    case 1:
        return Send(3022, step);
    }
}

void TdGroupSelector::RG_DataTypeClick() {
    Send(3030, RG_DataType->ItemIndex());
}

void TdGroupSelector::CGH_BB_Show_ProcessedClick(QObject* sender) {
    Send(3031, Tag(sender));
}

void TdGroupSelector::BB_ZTransformClick() {
    Send(1011, 1);
}

void TdGroupSelector::BB_InvertSignClick() {
    Send(1014, 1);
}

void TdGroupSelector::BB_Log10toLog2Click() {
    Send(1015, 1);
}

void TdGroupSelector::BB_SmoothClick() {
    const auto arg = SmoothArgument(SmoothType_RG->ItemIndex(), Smooth_CB->currentText());
    if (!arg) {
        Beep();
        return;
    }
    Send(3100, *arg);
}

void TdGroupSelector::FilterSig_BB_FilterClick(QObject* sender) {
    SendFilter(3040, Tag(sender) == 1, FilterSig_CB_WindowSize, FilterSig_CB_Matches);
}

void TdGroupSelector::FilterGeneCGH_BB_FilterClick(QObject* sender) {
    SendFilter(3050, Tag(sender) == 1, FilterGeneCGH_CB_Range, FilterGeneCGH_CB_ProbeNum);
}

void TdGroupSelector::HeatMap_SizeClick(QObject* sender) {
    Send(1000, HeatMapStep(CtrlDown(), ShiftDown()) * Tag(sender));
}

void TdGroupSelector::ExpMat_CB_ScaleChange() {
    Send(1001, ScaleArgument(ExpMat_CB_Scale->currentText()));
}

void TdGroupSelector::ExpMat_CB_GeneAnnoChange() {
    Send(1002, ExpMat_CB_GeneAnno->currentIndex() + 1);
}

void TdGroupSelector::ExpMat_CBox_ViewGeneAnnoClick() {
    Send(1003, 0);
}

void TdGroupSelector::ExpMat_BB_AdjustClick(QObject* sender) {
    Send(1004, Tag(sender));
}
