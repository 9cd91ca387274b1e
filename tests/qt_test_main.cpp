// GoogleTest main for the window tests: one QApplication, settings in a temporary folder.
#include "dialoghooks.h"
#include "registry.h"
#include "system.h"

#include <QApplication>
#include <QDialog>
#include <QTemporaryDir>
#include <gtest/gtest.h>

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM",
            qgetenv("QT_QPA_PLATFORM").isEmpty() ? "offscreen" : qgetenv("QT_QPA_PLATFORM"));
    QApplication app(argc, argv);
    QTemporaryDir settingsDir;
    Registry::SetLocation(settingsDir.filePath(QStringLiteral("registry.ini")));
    // A modal box or file dialog that no test expects would block the run: fail instead.
    SetMessageHook([](const MessageRecord& m) {
        ADD_FAILURE() << "unexpected message box: " << m.caption.toStdString() << ": "
                      << m.text.toStdString();
        return MsgResult::Cancel;
    });
    SetFileDialogHook([](const FileDialogRequest& r) {
        ADD_FAILURE() << "unexpected file dialog: " << r.caption.toStdString();
        return QString();
    });
    SetModalHook([](QDialog& d) {
        ADD_FAILURE() << "unexpected modal dialog: " << d.metaObject()->className();
        return int(QDialog::Rejected);
    });
    SetColorDialogHook([](const QColor&) {
        ADD_FAILURE() << "unexpected colour dialog";
        return std::optional<QColor>();
    });
    SetFontDialogHook([](const QFont&) {
        ADD_FAILURE() << "unexpected font dialog";
        return std::optional<QFont>();
    });
    SetPrintDialogHook([](QPrinter&) {
        ADD_FAILURE() << "unexpected print dialog";
        return false;
    });
    SetPageSetupHook([](QPrinter&) {
        ADD_FAILURE() << "unexpected page setup dialog";
        return false;
    });
    // No sound from a test run; tests that count beeps install their own hook.
    SetBeepHook([] {});
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
