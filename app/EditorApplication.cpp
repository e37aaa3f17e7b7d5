#include "app/EditorApplication.h"

#include <cstdio>
#include <exception>

namespace verbaria {

EditorApplication::EditorApplication(int &argc, char **argv)
    : QApplication(argc, argv)
{
}

bool EditorApplication::notify(QObject *receiver, QEvent *event)
{
    try {
        return QApplication::notify(receiver, event);
    } catch (const std::exception &error) {
        // A report that fails in turn (or an event of its own box that throws) is not reported
        // again: that would never end.
        if (reporting_ || !report_) {
            std::fprintf(stderr, "verbaria: %s\n", error.what());
            return false;
        }
        reporting_ = true;
        try {
            report_(error);
        } catch (const std::exception &again) {
            std::fprintf(stderr, "verbaria: %s\n", again.what());
        }
        reporting_ = false;
    }
    return false;
}

} // namespace verbaria
