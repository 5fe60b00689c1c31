#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

#include "app/ErrorHandler.h"
#include "app/MainForm.h"
#include "app/Program.h"
#include "framework/UiHelpers.h"
#include "framework/WidgetMessagePresenter.h"

int main(int argc, char* argv[]) {
    TQDApplication application(argc, argv);
    QApplication::setOrganizationName(QStringLiteral("QDSOFTWARE"));
    QApplication::setApplicationName(QStringLiteral("QDArchives"));
    QLocale::setDefault(QLocale(QLocale::Chinese, QLocale::China));

    QTranslator qtTranslations;
    if (qtTranslations.load(QLocale(QLocale::Chinese, QLocale::China), QStringLiteral("qtbase"), QStringLiteral("_"),
                            QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
        QApplication::installTranslator(&qtTranslations);
    }
    ApplyChineseFonts(application);
    ApplyProgramIcon(application);

    TWidgetMessagePresenter presenter;
    SetMessagePresenter(&presenter);

    int result = 1;
    {
        TProgram program;
        if (program.Start()) {
            program.MainForm()->show();
            result = QApplication::exec();
        }
    }
    SetMessagePresenter(nullptr);
    return result;
}
