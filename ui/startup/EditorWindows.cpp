#include "ui/startup/EditorWindows.h"

#include <QApplication>
#include <QEvent>
#include <QTimer>

#include "gif/render/RenderErrors.h"
#include "platform/drives/LinuxRemovableDrives.h"
#include "ui/startup/Application.h"
#include "ui/widgets/WindowPlacement.h"

namespace ostra {

namespace {

// Runs a function once, in the event loop's next turn after the window's
// first paint, and then goes.
class AfterFirstPaint : public QObject {
public:
    AfterFirstPaint(QWidget& window, std::function<void()> run) : QObject(&window), run_(std::move(run))
    {
        window.installEventFilter(this);
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Paint) {
            watched->removeEventFilter(this);
            QTimer::singleShot(0, parent(), std::move(run_));
            deleteLater();
        }
        return false;
    }

private:
    std::function<void()> run_;
};

// An error that a painter of an animated picture kept reaches the same
// error box as any other error that no command caught.
void showPainterErrorsInTheErrorBox()
{
    SetPainterErrorHandler([](const std::string& message) {
        if (auto* application = qobject_cast<TApplication*>(QCoreApplication::instance()))
            application->ShowException(QString::fromStdString(message));
        else
            qWarning("%s", message.c_str());
    });
}

} // namespace

std::unique_ptr<RemovableDrives> ThisMachinesDrives()
{
    return std::make_unique<LinuxRemovableDrives>();
}

EditorWindows::EditorWindows(DriveSource drives)
    : Files(systemFileApi()),
      Form1(Files, FileDialogs, MessageBoxes, Shell, [this] { showCardBrowser(); }),
      driveSource_(std::move(drives))
{
    showPainterErrorsInTheErrorBox();
}

EditorWindows::~EditorWindows() = default;

TForm2& EditorWindows::CardBrowser()
{
    if (!form2_) {
        drives_ = driveSource_();
        form2_ = std::make_unique<TForm2>(Form1, *drives_, Files);
        CentreOnScreen(*form2_);
    }
    return *form2_;
}

void EditorWindows::showCardBrowser()
{
    TForm2& browser = CardBrowser();
    browser.show();
    browser.raise();
    browser.activateWindow();
}

void EditorWindows::Open(const std::string& path)
{
    if (Form1.OpenConfig(path))
        Form1.CurrentFilePath = path;
}

void EditorWindows::Show()
{
    CentreOnScreen(Form1);
    Form1.show();
    // The icon's pictures are read through Qt's image-format plugins, all
    // of which load on the first read, and a window system takes every
    // size of the icon: the main window is drawn first, and gets its icon
    // a moment later.
    new AfterFirstPaint(Form1, [] { QApplication::setWindowIcon(ApplicationIcon()); });
}

} // namespace ostra
