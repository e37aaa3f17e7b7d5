#pragma once

#include <QMainWindow>

class QActionGroup;

namespace verbaria::qt {
class TKVTranslator;
}

// The example's only window: a menu, a tool bar, a combo box, labels and a message, every one
// named so that the translator can reach it.
class DemoWindow final : public QMainWindow
{
public:
    explicit DemoWindow(QWidget *parent = nullptr);

    // Reads the language file of that name from the languages folder and translates the window.
    bool UseLanguage(const QString &fileName);

private:
    void ShowMessage();

    verbaria::qt::TKVTranslator *translator_;
};
