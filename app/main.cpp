#include "mapa_app.h"

#include <QApplication>

#include <optional>

int main(int argc, char* argv[]) {
    // --help and --version are answered before QApplication exists: without a
    // display it would stop the program instead.
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);
    if (const std::optional<int> status = CMapaApp::AnswerWithoutWindow(arguments))
        return *status;

    QApplication application(argc, argv);
    CMapaApp app;
    if (!app.InitInstance(QApplication::arguments()))
        return 1;
    return QApplication::exec();
}
