// ostra-cfg's report module: the report drawn with QtGui, in a module of
// its own so that only the report command loads Qt (ReportModule.h).
#include <memory>

#include <QGuiApplication>

#include "cli/ReportModule.h"

namespace {

// Qt decides where to draw when its application object is made, and
// aborts the process when the platform it is told to use has no display
// to connect to. The report shows no window: without a display it is
// drawn on the offscreen platform, whatever QT_QPA_PLATFORM names, and
// with one too unless the user chose a platform, so that the report is
// the same on a desktop and on a server.
void chooseOffscreenUnlessAsked()
{
    const bool display = !qEnvironmentVariableIsEmpty("DISPLAY") || !qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY");
    if (!display || qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
}

// Painting takes an application object; one made here lives as long as
// the report. A test that runs the tool in-process has its own.
std::unique_ptr<QGuiApplication> guiApplication()
{
    if (QGuiApplication::instance() != nullptr)
        return nullptr;
    chooseOffscreenUnlessAsked();
    static int argc = 1;
    static char name[] = "ostra-cfg";
    static char* argv[] = {name, nullptr};
    return std::make_unique<QGuiApplication>(argc, argv);
}

// While it lives, Qt's notes on its own set-up (such as the runtime folder
// it defaults) are held back: they are no news for a report's reader.
// Errors still show.
class QuietToolkit {
public:
    QuietToolkit() { previous_ = qInstallMessageHandler(&QuietToolkit::handle); }
    ~QuietToolkit() { qInstallMessageHandler(previous_); }
    QuietToolkit(const QuietToolkit&) = delete;
    QuietToolkit& operator=(const QuietToolkit&) = delete;

private:
    static void handle(QtMsgType type, const QMessageLogContext& context, const QString& message)
    {
        if ((type == QtCriticalMsg || type == QtFatalMsg) && previous_ != nullptr)
            previous_(type, context, message);
    }

    static inline QtMessageHandler previous_ = nullptr;
};

} // namespace

extern "C" Q_DECL_EXPORT ostra::report::ReportDocument ostraMakeReport(ostra::FileApi& files,
                                                                       const ostra::report::ReportRequest& request)
{
    const QuietToolkit quiet;
    const std::unique_ptr<QGuiApplication> application = guiApplication();
    return ostra::report::MakeReportDocument(files, request);
}
