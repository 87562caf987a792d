#include "app/form1.h"
#include "app/termination.h"
#include "translations/translators.h"

#include <QApplication>
#include <QSessionManager>

int main(int argc, char** argv)
{
    CatchTerminationSignals();
    QApplication app(argc, argv);
    InstallTranslators(app, ProgramLanguage(QLocale::system()));
    Form1 window;
    CloseOnTermination(&window);
    // The end of the desktop session writes the settings just as the close box does.
    QObject::connect(&app, &QGuiApplication::commitDataRequest, &window, &Form1::Form_QueryUnload);
    window.show();
    return app.exec();
}
