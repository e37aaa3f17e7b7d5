// Whatever a command throws ends that command with a message, never the program.
#include "app/EditorApplication.h"
#include "editor/core/LanguageDocument.h"
#include "support/ScriptedDialogs.h"

#include <QCoreApplication>
#include <QEvent>

#include <gtest/gtest.h>

#include <new>
#include <stdexcept>

using namespace verbaria;

namespace {

// A receiver whose handling of an event fails as a command on a huge file would.
class Failing final : public QObject
{
public:
    int Handled = 0;
    bool event(QEvent *event) override
    {
        if (event->type() != QEvent::User)
            return QObject::event(event);
        ++Handled;
        if (Handled == 1)
            throw std::bad_alloc();
        if (Handled == 2)
            throw std::runtime_error("broken");
        return true;
    }
};

} // namespace

TEST(LastBoundary, AFailedCommandIsReportedAndTheProgramGoesOn)
{
    auto *application = dynamic_cast<EditorApplication *>(QCoreApplication::instance());
    ASSERT_NE(application, nullptr);
    SettingsValues settings;
    ScriptedDialogs dialogs;
    CzechTexts texts;
    LanguageDocument document(settings, dialogs, texts);
    application->SetReport([&document](const std::exception &error) { document.ReportFailure(error); });

    Failing receiver;
    for (int i = 0; i < 3; ++i)
        QCoreApplication::postEvent(&receiver, new QEvent(QEvent::User));
    QCoreApplication::processEvents();

    EXPECT_EQ(receiver.Handled, 3); // the events after a failure are still delivered
    ASSERT_EQ(dialogs.Errors.size(), 2u);
    EXPECT_EQ(dialogs.Errors[0], "Na tuto operaci nestačí paměť.");
    EXPECT_EQ(dialogs.Errors[1], "broken");
    application->SetReport({});
}
