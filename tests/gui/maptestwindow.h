// A shown main window over a small hand-made ideogram, the shared records restored afterwards.
#pragma once

#include "bandlist.h"
#include "guitest.h"
#include "inputdialog.h"
#include "mainwindow.h"
#include "records.h"
#include "registry.h"

#include <QApplication>
#include <QComboBox>
#include <gtest/gtest.h>
#include <memory>

// Chromosome 1: p arm bands 36 (1..500, density 0) and 35 (501..1000, density 100); q arm band
// 21 (1001..2000, density 50). Chromosome 2: a p arm of 400 and a q arm of 600 bp.
inline std::vector<BandRow> SmallIdeogram() {
    return {{1, 1, 0, 0, 0, 1, 1000, 40},     {1, 1, 36, 0, 0, 1, 500, 0},
            {1, 1, 35, 0, 0, 501, 1000, 100}, {1, 2, 0, 0, 0, 1001, 2000, 20},
            {1, 2, 21, 0, 0, 1001, 2000, 50}, {2, 1, 0, 0, 0, 1, 400, 0},
            {2, 2, 0, 0, 0, 401, 1000, 0}};
}

// Empties the CGH data set and frees its probe arrays, so that no test sees another's probes.
inline void ClearLoadedProbes() {
    ClearCGHDataSet(CGHData);
    for (tCGHHybridisation& h : CGHData.Hyb)
        for (tCGHProbeArray& a : h.Chr) a.Clear();
}

// Answers the next input dialog with `text`, or cancels it when `text` is empty.
inline void AnswerInput(ModalAnswerer& modal, const QString& text) {
    modal.Expect<TInputDialog>([text](TInputDialog& d) {
        d.FormShow();
        if (text.isEmpty()) {
            d.Button_CancelClick();
        } else {
            d.CB->setCurrentText(text);
            d.Button_OKClick();
        }
        return d.result();
    });
}

class MapWindowTest : public ::testing::Test {
  protected:
    void SetUp() override {
        Registry::DeleteKey(QStringLiteral("software\\JX-Quorbel\\"));
        savedBands_ = FeatureLists[1];
        savedLayout_ = GenomeLayout;
        savedType_ = IdeogramType;
        w = std::make_unique<TfQuorbelView>();
        w->resize(900, 700);
        w->show();
        QApplication::processEvents();
    }
    void TearDown() override {
        w.reset();
        FeatureLists[1] = savedBands_;
        GenomeLayout = savedLayout_;
        IdeogramType = savedType_;
        BumpDataVersion();
        Registry::DeleteKey(QStringLiteral("software\\JX-Quorbel\\"));
    }

    // Loads bands as the ideogram reader would, keeping the window's view settings.
    static void LoadBands(const std::vector<BandRow>& rows, int type = 1) {
        tGenomeLayout layout = MakeLayout(rows);
        layout.ShowBandNames = GenomeLayout.ShowBandNames;
        layout.BandResolution = GenomeLayout.BandResolution;
        layout.IdeogramWidth = GenomeLayout.IdeogramWidth;
        GenomeLayout = layout;
        FeatureLists[1] = MakeBandList(rows);
        IdeogramType = type;
        BumpDataVersion();
    }

    const QImage& Render() {
        w->RepaintMap();
        return w->MapView_PB1->Image();
    }

    std::unique_ptr<TfQuorbelView> w;

  private:
    tFList savedBands_;
    tGenomeLayout savedLayout_;
    int32_t savedType_ = 1;
};
