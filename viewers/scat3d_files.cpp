// The 3D plot's files and exchange: series text files and pasted series, printing, the clipboard
// picture, the JPEG picture, demo data, colours and the information box.
#include "scat3d.h"

#include "dialoghooks.h"
#include "jpegwrite.h"
#include "random.h"
#include "seriestext.h"

#include <QClipboard>
#include <QFile>
#include <QGuiApplication>
#include <QPainter>
#include <QPrinter>
#include <cmath>

namespace {
const QString kLoadCaption = QStringLiteral("3D-Scatterplot");
const QString kTextFilter = QStringLiteral("Tab separated text (*.txt)");

// Puts column c of `read` into record k (values moved, not copied) on dimension k.
void StoreColumn(tPlotWindowSeries& w, int k, SeriesColumns& read, int c, const std::string& name) {
    tPlotSeries& s = PlotSeries[k];
    s.Values.swap(read.Values[c]);
    std::vector<float>().swap(read.Values[c]);
    s.Count = read.Lines;
    s.Name = name;
    w.DimSeries[k] = k;
    UpdateSeriesRange3D(w, k);
}

void StoreSix(tPlotWindowSeries& w, SeriesColumns& read) {
    for (int k = 1; k <= kDimensions; ++k)
        StoreColumn(w, k, read, k - 1, "Pasted " + std::to_string(k));
    w.PointCount = read.Lines;
}

QString ClipboardText() {
    return QGuiApplication::clipboard()->text();
}

// The whole file is read before the table changes, so a failed read leaves it as it was.
bool ReadOrTell(QWidget* parent, const QString& fileName, int columns, SeriesColumns& out) {
    int err = 0;
    if (ReadSeriesFile(QFile::encodeName(fileName).toStdString(), columns, out, err)) return true;
    ShowMessage(parent,
                QStringLiteral("Could not open ") + fileName + QStringLiteral("\nI/O-error=") +
                    QString::number(err),
                kLoadCaption, MsgIcon::Stop);
    return false;
}
} // namespace

void TScatPlot_3D::Load6SeriesClick() {
    const QString name = AskFileName(this, {FileDialogKind::Open,
                                            QStringLiteral("3D-Scatterplot - Load 6 data series"),
                                            QString(), kTextFilter});
    if (!name.isEmpty()) LoadSixSeries(name);
}

void TScatPlot_3D::LoadSixSeries(const QString& fileName) {
    SeriesColumns read;
    if (!ReadOrTell(this, fileName, kDimensions, read)) return;
    StoreSix(Series, read);
    RedrawAllPlots();
}

void TScatPlot_3D::LoadSingleSeries(int k, const QString& fileName) {
    if (k < 1 || k > kDimensions) return;
    QString name = fileName;
    if (name.isEmpty())
        name = AskFileName(this, {FileDialogKind::Open,
                                  QStringLiteral("3D-Scatterplot - Load single data series"),
                                  QString(), kTextFilter});
    SeriesColumns read;
    if (name.isEmpty() || !ReadOrTell(this, name, 1, read)) return;
    StoreColumn(Series, k, read, 0, name.toStdString());
    Series.PointCount = PlotSeries[k].Count;
}

void TScatPlot_3D::PasteSeries(int k) {
    static const char* const names[kDimensions] = {"Pasted X",    "Pasted Y",     "Pasted Z",
                                                   "Pasted Size", "Pasted Color", "Pasted Marker"};
    const QString text = ClipboardText();
    if (k < 1 || k > kDimensions || text.isEmpty()) return; // no text: nothing is stored
    SeriesColumns read = ReadSeriesText(text.toStdString(), 1, SeriesLineLimit(text.size(), 1));
    StoreColumn(Series, k, read, 0, names[k - 1]);
    Series.PointCount = PlotSeries[k].Count;
}

void TScatPlot_3D::PasteAllSixClick() {
    const QString text = ClipboardText();
    if (text.isEmpty()) return;
    SeriesColumns read =
        ReadSeriesText(text.toStdString(), kDimensions, SeriesLineLimit(text.size(), kDimensions));
    StoreSix(Series, read);
    RedrawAllPlots();
}

void TScatPlot_3D::PrintSetupClick() {
    AskPageSetup(this, Printer());
}

void TScatPlot_3D::PrintClick() {
    if (!AskPrint(this, Printer())) return;
    const QImage picture = ScenePicture();
    QPainter painter(&Printer());
    const QRect page = painter.viewport();
    const QSize fitted = picture.size().scaled(page.size(), Qt::KeepAspectRatio);
    painter.drawImage(QRect(page.topLeft(), fitted), picture);
}

void TScatPlot_3D::Edit_CopyImageClick() {
    QGuiApplication::clipboard()->setImage(ScenePicture());
}

void TScatPlot_3D::SaveJpegClick() {
    const QString name =
        AskFileName(this, {FileDialogKind::Save, QString(), QStringLiteral("3D_ScatPlot.jpg"),
                           QStringLiteral("JPeg image (*.jpg)")});
    if (!name.isEmpty()) SaveJpeg(name);
}

void TScatPlot_3D::SaveJpeg(const QString& fileName) {
    QString error;
    if (!::SaveJpeg(ScenePicture(), fileName, 90, error))
        ShowMessage(this,
                    QStringLiteral("Could not save ") + fileName + QStringLiteral("\n") + error,
                    kLoadCaption, MsgIcon::Stop);
}

void TScatPlot_3D::PositiveRandomDataClick() {
    static constexpr double factors[10] = {1.557, 1.557, 3.141, 3.141, 4.155,
                                           4.514, 6.355, 6.314, 7.615, 7.614};
    std::vector<float> values(10000);
    for (int k = 1; k <= 10; ++k) {
        for (float& v : values) {
            const double x = RandomUnit() * factors[k - 1];
            v = static_cast<float>(65535 * (k % 2 ? std::sin(x) : std::cos(x)));
        }
        AddSeries(Series, k, "Data" + std::to_string(k), values);
        UpdateSeriesRange3D(Series, k);
    }
}

void TScatPlot_3D::Pref_BackgroundClick() {
    if (const auto c = AskColor(this, ToQColor(View.Background))) {
        View.Background = FromQColor(*c);
        RedrawAllPlots();
    }
}

void TScatPlot_3D::Pref_AxesClick() {
    if (const auto c = AskColor(this, ToQColor(View.AxesColour))) {
        View.AxesColour = FromQColor(*c);
        RedrawAllPlots();
    }
}

void TScatPlot_3D::Pref_ColorDataClick(int scheme) {
    View.ColourScheme = scheme;
    ApplyColorScheme(View.Palette, scheme);
    RedrawAllPlots();
}

void TScatPlot_3D::InfoClick() {
    ShowMessage(this, QStringLiteral("3D Scatter plot V 1.3a\nfrom 03.12.2008"), ProductWord,
                MsgIcon::Information);
}
