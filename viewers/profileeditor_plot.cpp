// The profile editor's plot: painting, the mouse and the presets that redraw it.
#include "profileeditor.h"

#include "numbers.h"
#include "profilemodel.h"
#include "system.h"

#include <QComboBox>
#include <QLabel>
#include <QPainter>
#include <QPalette>

ProfileLayout TfPatternTemplate::Layout() const {
    return LayoutProfile(PaintBox1->size(), channelCount_, LabelHeight, ValueLimit, GridStep);
}

void TfPatternTemplate::PaintBox1Paint(QPainter& painter, QSize size) {
    const ProfileLayout layout =
        LayoutProfile(size, channelCount_, LabelHeight, ValueLimit, GridStep);
    ChannelStep = static_cast<float>(layout.ChannelStep);
    ValueScale = static_cast<float>(layout.ValueScale);
    // The labels change far less often than the plot: a drag repaints only the plot over them.
    const LayerKey key{size, channelCount_, LabelRow, LabelHeight, ValueLimit, GridStep};
    if (!(key == layerKey_)) {
        const qreal ratio = PaintBox1->devicePixelRatioF();
        labelLayer_ = QImage(size * ratio, QImage::Format_RGB32);
        labelLayer_.setDevicePixelRatio(ratio);
        labelLayer_.fill(palette().color(QPalette::Window));
        QPainter layer(&labelLayer_);
        layer.setFont(font());
        DrawProfileLabels(layer, size, layout, channelCount_,
                          [this](int32_t c) { return ChannelLabel(c, LabelRow); });
        layerKey_ = key;
    }
    painter.drawImage(0, 0, labelLayer_);
    if (channelCount_ > 0)
        DrawProfile(painter, layout, {ProfileValues, ChannelSelected, ChannelGroup});
}

void TfPatternTemplate::RepaintPlot() {
    PaintBox1->update(Layout().Plot);
}

void TfPatternTemplate::RescaleAndRepaint() {
    const ProfileScale scale = ProfileRescale(ProfileValues);
    ValueLimit = scale.ValueLimit;
    GridStep = scale.GridStep;
    PaintBox1->update();
}

void TfPatternTemplate::ShowChannelStatus(int32_t c) {
    CurrentValue = ProfileValues[static_cast<size_t>(c)];
    StatusPanel[0]->setText(
        QStringLiteral("%1; %2").arg(c).arg(QString::fromStdString(FormatFixed(CurrentValue, 2))));
}

void TfPatternTemplate::PB1MouseDown(int x, int y) {
    Q_UNUSED(y);
    const ProfileLayout layout = Layout();
    if (channelCount_ < 1 || !layout.Drawable()) return;
    const int32_t c = ProfileChannelAt(x, layout.ChannelStep, channelCount_);
    GrabbedChannel = c;
    ShowChannelStatus(c);
    const bool ctrl = CtrlDown(), shift = ShiftDown();
    const ProfileClick how = aHeld_          ? ProfileClick::All
                             : shift && ctrl ? ProfileClick::Group
                             : ctrl          ? ProfileClick::Add
                             : shift         ? ProfileClick::Range
                                             : ProfileClick::Only;
    ProfileSelectChannel(ChannelSelected, ChannelGroup, c, how);
    RepaintPlot();
}

void TfPatternTemplate::PB1MouseMove(int x, int y) {
    Q_UNUSED(x);
    const ProfileLayout layout = Layout();
    if (GrabbedChannel < 1 || GrabbedChannel > channelCount_ || !layout.Drawable()) return;
    const double d = layout.ValueAt(y) - ProfileValues[static_cast<size_t>(GrabbedChannel)];
    ProfileShiftSelected(ProfileValues, ChannelSelected, d);
    RepaintPlot();
    ShowChannelStatus(GrabbedChannel);
}

void TfPatternTemplate::PB1MouseUp() {
    GrabbedChannel = 0;
}

void TfPatternTemplate::ToolButton5Click() {
    ProfileFillConstant(ProfileValues, 1.0f);
    PaintBox1->update();
}

void TfPatternTemplate::ToolButton7Click() {
    ProfileFillConstant(ProfileValues, -1.0f);
    PaintBox1->update();
}

void TfPatternTemplate::ToolButton9Click() {
    Profiles_Set(10);
}

void TfPatternTemplate::ToolButton10Click() {
    Profiles_Set(11);
}

void TfPatternTemplate::ToolButton11Click() {
    Profiles_Set(20);
}

void TfPatternTemplate::ToolButton12Click() {
    Profiles_Set(21);
}

void TfPatternTemplate::ToolButton14Click() {
    Profiles_Set(100);
}

void TfPatternTemplate::ToolButton15Click() {
    Profiles_Set(101);
}

void TfPatternTemplate::Profiles_Set(int tag) {
    switch (tag) {
    case 1:
        ProfileFillConstant(ProfileValues, 1.0f);
        break;
    case 2:
        ProfileFillConstant(ProfileValues, -1.0f);
        break;
    case 10:
        ProfileFillRamp(ProfileValues, 1.0f, 0.0f);
        break;
    case 11:
        ProfileFillRamp(ProfileValues, 1.0f, -1.0f);
        break;
    case 20:
        ProfileFillRamp(ProfileValues, -1.0f, 0.0f);
        break;
    case 21:
        ProfileFillRamp(ProfileValues, -1.0f, 1.0f);
        break;
    case 100:
        ProfileRotate(ProfileValues, ProfileDirection::Left);
        break;
    case 101:
        ProfileRotate(ProfileValues, ProfileDirection::Right);
        break;
    default:
        return;
    }
    RescaleAndRepaint();
}

void TfPatternTemplate::CNames_CBChange() {
    LabelRow = CNames_CB->currentIndex() + 1;
    LabelHeight = LongestLabelWidth(LabelRow);
    PaintBox1->update();
}
