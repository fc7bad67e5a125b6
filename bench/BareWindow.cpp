// ostra-bare-window: the start-up bench's peer, the least a Qt Widgets
// program with a window of its own does: one label and one edit box in a
// shown window, then the event loop.
#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>
#include <QWidget>

int main(int argc, char** argv)
{
    QApplication application(argc, argv);
    QWidget window;
    window.setWindowTitle(QStringLiteral("Bare window"));
    auto* layout = new QVBoxLayout(&window);
    layout->addWidget(new QLabel(QStringLiteral("Description:"), &window));
    layout->addWidget(new QLineEdit(&window));
    window.show();
    return application.exec();
}
