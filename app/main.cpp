#include <QApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

#include "app/MainForm.h"
#include "app/Program.h"
#include "framework/UiHelpers.h"
#include "framework/WidgetMessagePresenter.h"

int main(int argc, char* argv[]) {
    QApplication application(argc, argv);
    QApplication::setOrganizationName(QStringLiteral("QDSOFTWARE"));
    QApplication::setApplicationName(QStringLiteral("QDArchives"));
    QLocale::setDefault(QLocale(QLocale::Chinese, QLocale::China));

    QTranslator qtTranslations;
    if (qtTranslations.load(QLocale(QLocale::Chinese, QLocale::China), QStringLiteral("qtbase"),
                            QStringLiteral("_"), QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
        QApplication::installTranslator(&qtTranslations);
    }
    ApplyChineseFonts(application);

    TWidgetMessagePresenter presenter;
    SetMessagePresenter(&presenter);

    TProgram program;
    if (!program.Start()) {
        SetMessagePresenter(nullptr);
        return 1;
    }
    program.MainForm()->show();
    const int result = QApplication::exec();
    SetMessagePresenter(nullptr);
    return result;
}
