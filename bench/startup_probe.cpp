// startup_probe empty: shows an empty window of the main window's size.
// startup_probe FOLDER: starts the program as if its file lay in FOLDER.
// Either way it ends once the window is on screen.
#include <QApplication>
#include <QWidget>
#include <QWindow>

#include "app/start_up.h"
#include "platform/posix/code_page.h"

namespace {

QWidget* ShownWindow() {
    for (QWidget* top : QApplication::topLevelWidgets()) {
        if (top->isVisible() && top->windowHandle() != nullptr &&
            top->windowHandle()->isExposed()) {
            return top;
        }
    }
    return nullptr;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        return 2;
    }
    const std::string target = argv[1];
    QWidget* empty = nullptr;
    if (target == "empty") {
        static int qtArgc = 1;
        new QApplication(qtArgc, argv);
        empty = new QWidget;
        empty->setFixedSize(447, 316);
        empty->show();
    } else {
        std::string programFile = Utf8ToAnsi(target + "/brask-tools");
        for (char& c : programFile) {
            c = c == '/' ? '\\' : c;
        }
        StartProgram(programFile);
    }
    while (ShownWindow() == nullptr) {
        QApplication::processEvents(QEventLoop::WaitForMoreEvents, 10);
    }
    return 0;
}
