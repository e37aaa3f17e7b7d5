#pragma once

#include <QMainWindow>

#include <memory>

namespace verbaria::qt {
class QtOwnTexts;
class TKVQtTranslator;
class TKVTranslator;
} // namespace verbaria::qt

namespace Files {

namespace Ui {
class MainWindow;
}

// A window written the ordinary Qt way: a Designer form with retranslateUi, tr() with a plural,
// a disambiguation and a second context. Nothing in it knows of Verbaria except the language
// menu, which swaps the language file under the installed translator.
class MainWindow final : public QMainWindow
{
    Q_OBJECT
public:
    explicit MainWindow(const QString &languagesFolder, QWidget *parent = nullptr);
    ~MainWindow() override;

    // Reads LANGUAGE.lng of the languages folder ("" for the program's own English); false when
    // the file cannot be read.
    bool UseLanguage(const QString &name);

protected:
    void changeEvent(QEvent *event) override;

private:
    void Retranslate();
    void UpdateSelection();

    std::unique_ptr<Ui::MainWindow> ui_;
    QString languagesFolder_;
    verbaria::qt::TKVTranslator *translator_;
    std::unique_ptr<verbaria::qt::TKVQtTranslator> route_;
    std::unique_ptr<verbaria::qt::QtOwnTexts> qtTexts_;
};

} // namespace Files
