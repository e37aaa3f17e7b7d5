#pragma once

#include <QApplication>

#include <functional>
#include <string>

namespace verbaria {

// The last boundary of every command: whatever a slot or an event handler throws is reported and
// ends that command, not the program (an allocation failure on a huge file, a fault of a room
// that does not expect one). The commands catch their own failures first.
class EditorApplication final : public QApplication
{
public:
    EditorApplication(int &argc, char **argv);

    // Shows the message of a failed command; set once the windows exist.
    void SetReport(std::function<void(const std::exception &error)> report) { report_ = std::move(report); }

    bool notify(QObject *receiver, QEvent *event) override;

private:
    std::function<void(const std::exception &error)> report_;
    bool reporting_ = false;
};

} // namespace verbaria
