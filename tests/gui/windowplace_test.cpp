// Stored window places from another screen or a hand edit: every window opens on the screen.
#include "cloudplot.h"
#include "groupselector.h"
#include "guitest.h"
#include "mainglobals.h"
#include "mainwindow.h"
#include "profileeditor.h"
#include "registry.h"
#include "scat3d.h"
#include "scatterview.h"
#include "tableeditor.h"

#include <QAction>
#include <QGuiApplication>
#include <QScreen>
#include <climits>
#include <gtest/gtest.h>

namespace {

const QString kBase = QStringLiteral("software\\JX-Quorbel\\");
const QString kViewers = QStringLiteral("software\\PlaceTest");

struct Place {
    int left, top, width, height;
};

void StorePlace(const QString& path, const QString& prefix, const Place& p) {
    RegKey key;
    ASSERT_TRUE(key.OpenKey(path, true));
    key.WriteInteger(prefix + QStringLiteral("Left"), p.left);
    key.WriteInteger(prefix + QStringLiteral("Top"), p.top);
    key.WriteInteger(prefix + QStringLiteral("Width"), p.width);
    key.WriteInteger(prefix + QStringLiteral("Height"), p.height);
}

// Inside the screen, and no larger unless its controls need more room than the screen has.
void ExpectOnScreen(const QWidget& w, const char* name) {
    const QRect area = QGuiApplication::primaryScreen()->availableGeometry();
    const QSize least = w.minimumSizeHint().expandedTo(w.minimumSize());
    EXPECT_TRUE(area.contains(w.pos())) << name << " at " << w.x() << "," << w.y();
    EXPECT_LE(w.width(), std::max(area.width(), least.width())) << name;
    EXPECT_LE(w.height(), std::max(area.height(), least.height())) << name;
}

TEST(WindowPlace, StoredPlacesOffTheScreenOpenEveryWindowOnIt) {
    for (const Place& p :
         {Place{-100000, -100000, 100000, 100000}, Place{INT_MIN, INT_MIN, INT_MAX, INT_MAX}}) {
        Registry::DeleteKey(kBase);
        StorePlace(kBase, QStringLiteral("Window "), p);
        StorePlace(kBase + QStringLiteral("DetailViewer1"), QStringLiteral("Window "), p);
        StorePlace(kBase + QStringLiteral("CGH-Tool\\Parameter\\System"), {}, p);
        StorePlace(kViewers + QStringLiteral("\\Table editor\\System"), {}, p);
        StorePlace(kViewers + QStringLiteral("\\Profile editor\\System"), {}, p);
        StorePlace(kViewers + QStringLiteral("\\2-D_Scatterplot"), {}, p);
        StorePlace(kViewers + QStringLiteral("\\3-D"), {}, p);
        StorePlace(QStringLiteral("JX_DotChart"), {}, p);

        TfQuorbelView w;
        w.show();
        ExpectOnScreen(w, "main window");
        w.TB_DetailViewClick();
        ExpectOnScreen(*DetailViewer, "detail viewer");
        w.POM_CGH_Tool->trigger();
        ExpectOnScreen(*w.CGHTool, "CGH view tool");
        TfTableEditor table;
        table.RegistryKey = kViewers;
        table.show();
        ExpectOnScreen(table, "table editor");
        TfPatternTemplate profile;
        profile.RegistryKey = kViewers;
        profile.SetChannelCount(1);
        profile.show();
        ExpectOnScreen(profile, "profile editor");
        TfScatterView scatter;
        scatter.RegistryKey = kViewers;
        scatter.show();
        ExpectOnScreen(scatter, "scatter view");
        TScatPlot_3D plot;
        plot.RegistryKey = kViewers + QStringLiteral("\\3-D");
        plot.show();
        ExpectOnScreen(plot, "3-D plot");
        TCloudPlot chart;
        chart.show();
        ExpectOnScreen(chart, "dot chart");
    }
    Registry::DeleteKey(kBase);
    Registry::DeleteKey(kViewers);
    Registry::DeleteKey(QStringLiteral("JX_DotChart"));
}

} // namespace
