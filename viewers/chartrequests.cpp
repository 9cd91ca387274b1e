#include "chartrequests.h"

#include "cloudplot.h"
#include "imageview.h"

#include <QCheckBox>
#include <QSignalBlocker>
#include <QSpinBox>

TCloudPlot* ShowDotChart(QWidget* parent, const DotChartRequest& request) {
    auto* chart = new TCloudPlot(parent);
    chart->CB_Symbols->setChecked(false);
    chart->CB_Mean->setChecked(false);
    chart->Pref_MajorDiv_CB->setChecked(false);
    chart->CB_Bar->setChecked(true);
    {
        const QSignalBlocker block(chart->Pref_PPL_SE); // the control only, as stored settings
        chart->Pref_PPL_SE->setValue(7);
    }
    chart->setWindowTitle(request.Caption);
    chart->show();
    chart->Title = request.Title;
    for (const DotChartRequest::Group& g : request.Groups) {
        if (!PasteSingleGroup(chart->Data, 0, g.Value.toStdString(), g.Name.toStdString())) break;
        chart->Data.Groups[chart->Data.GroupCount].PointsPerLine = 7.0f;
    }
    ComputeGroupStats(chart->Data);
    chart->Refresh1Click();
    return chart;
}

TImageView* ShowPicture(QWidget* parent, const PictureRequest& request) {
    auto* view = new TImageView(parent);
    view->show();
    view->SetPicture(request.Picture);
    view->setWindowTitle(request.Caption);
    view->ApplyZoom(request.ZoomLevel);
    return view;
}
