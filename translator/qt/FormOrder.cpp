#include "translator/qt/FormOrder.h"

#include <QApplication>
#include <QEvent>
#include <QHash>
#include <QPointer>

#include <algorithm>
#include <limits>

namespace verbaria::qt {

namespace {

QHash<const QObject *, quint64> &CreationSerials()
{
    static QHash<const QObject *, quint64> serials;
    return serials;
}

class CreationTracker final : public QObject
{
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        const QEvent::Type type = event->type();
        if ((type == QEvent::Create || type == QEvent::ParentChange) && watched->isWidgetType()) {
            auto *widget = static_cast<QWidget *>(watched);
            if (widget->isWindow())
                Note(widget, type == QEvent::Create);
        }
        return false;
    }

private:
    void Note(QWidget *widget, bool created)
    {
        QHash<const QObject *, quint64> &serials = CreationSerials();
        const auto found = serials.constFind(widget);
        if (found != serials.cend() && !created)
            return;
        if (found == serials.cend()) {
            // A window freed later must not leave its address behind for another widget.
            QObject::connect(widget, &QObject::destroyed, this,
                             [](QObject *gone) { CreationSerials().remove(gone); });
        }
        serials.insert(widget, ++serial_);
    }

    quint64 serial_ = 0;
};

QPointer<CreationTracker> &Tracker()
{
    static QPointer<CreationTracker> tracker;
    return tracker;
}

bool IsForm(const QWidget *widget)
{
    switch (widget->windowType()) {
    case Qt::Popup:
    case Qt::ToolTip:
    case Qt::Desktop:
        return false;
    default:
        return widget->isWindow();
    }
}

} // namespace

void FormOrder::Track()
{
    QCoreApplication *application = QCoreApplication::instance();
    if (!application || Tracker())
        return;
    Tracker() = new CreationTracker(application);
    application->installEventFilter(Tracker());
}

QList<QWidget *> FormOrder::Forms()
{
    QList<QWidget *> forms;
    if (!qobject_cast<QApplication *>(QCoreApplication::instance()))
        return forms;
    const QWidgetList windows = QApplication::topLevelWidgets();
    forms.reserve(windows.size());
    for (QWidget *window : windows) {
        if (IsForm(window))
            forms.append(window);
    }
    const QHash<const QObject *, quint64> &serials = CreationSerials();
    std::stable_sort(forms.begin(), forms.end(), [&serials](const QObject *a, const QObject *b) {
        return serials.value(a, 0) < serials.value(b, 0);
    });
    return forms;
}

} // namespace verbaria::qt

namespace {
void TrackFormsAtStartUp()
{
    verbaria::qt::FormOrder::Track();
}
} // namespace
Q_COREAPP_STARTUP_FUNCTION(TrackFormsAtStartUp)
