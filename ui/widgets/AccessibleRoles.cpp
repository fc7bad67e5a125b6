#include "ui/widgets/AccessibleRoles.h"

#include <QAccessibleWidget>

#include "ui/widgets/LogoImage.h"

namespace ostra {

namespace {

// A link: screen readers offer to press it, which follows it as a click.
class LogoAccessible final : public QAccessibleWidget {
public:
    explicit LogoAccessible(LogoImage* logo) : QAccessibleWidget(logo, QAccessible::Link) {}

    QStringList actionNames() const override { return {pressAction()}; }

    void doAction(const QString& action) override
    {
        if (action == pressAction())
            emit static_cast<LogoImage*>(widget())->Click();
    }
};

struct RoleOfClass {
    const char* ClassName;
    QAccessible::Role Role;
};

constexpr RoleOfClass kRoles[] = {
    {"ostra::TForm1", QAccessible::Window},
    {"ostra::TForm2", QAccessible::Dialog},
    {"ostra::GroupFrame", QAccessible::Grouping},
    {"ostra::ZoneOverview", QAccessible::Window},
    {"ostra::ReviewChanges", QAccessible::Dialog},
};

QAccessibleInterface* editorInterface(const QString& className, QObject* object)
{
    auto* widget = qobject_cast<QWidget*>(object);
    if (widget == nullptr)
        return nullptr;
    if (className == QLatin1String("ostra::LogoImage"))
        return new LogoAccessible(static_cast<LogoImage*>(widget));
    for (const RoleOfClass& row : kRoles)
        if (className == QLatin1String(row.ClassName))
            return new QAccessibleWidget(widget, row.Role);
    return nullptr;
}

} // namespace

GroupFrame::GroupFrame(QWidget* parent) : QFrame(parent)
{
    setFrameStyle(QFrame::Box | QFrame::Sunken);
    setAttribute(Qt::WA_TransparentForMouseEvents);
}

void InstallAccessibleRoles()
{
    static const bool installed = [] {
        QAccessible::installFactory(editorInterface);
        return true;
    }();
    (void)installed;
}

} // namespace ostra
