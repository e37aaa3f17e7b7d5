#include "widgets/MenuStyle.h"

#include <QApplication>
#include <QMenu>
#include <QPushButton>
#include <QStyleFactory>
#include <QTest>

using namespace Qt::StringLiterals;
using namespace verbaria;

class MenuStyleTest final : public QObject
{
    Q_OBJECT

private slots:
    void menusGetATwentyFourPixelIconColumn();
};

void MenuStyleTest::menusGetATwentyFourPixelIconColumn()
{
    auto *style = new MenuStyle(QStyleFactory::create(u"Fusion"_s));
    QMenu menu;
    menu.setStyle(style);
    QPushButton button;
    button.setStyle(style);
    QCOMPARE(style->pixelMetric(QStyle::PM_SmallIconSize, nullptr, &menu), 24);
    QCOMPARE(style->pixelMetric(QStyle::PM_SmallIconSize, nullptr, &button),
             style->baseStyle()->pixelMetric(QStyle::PM_SmallIconSize, nullptr, &button));

    // Items are laid out for the wider icons: taller than a menu without them.
    QPixmap picture(24, 24);
    picture.fill(Qt::darkBlue);
    menu.addAction(QIcon(picture), u"Otevřít"_s);
    QMenu plain;
    plain.addAction(QIcon(picture), u"Otevřít"_s);
    QVERIFY(menu.sizeHint().height() >= 24);
    QVERIFY(menu.actionGeometry(menu.actions().at(0)).height() >= 24);
    QVERIFY(menu.actionGeometry(menu.actions().at(0)).height() >=
            plain.actionGeometry(plain.actions().at(0)).height());
    menu.setStyle(nullptr);
    button.setStyle(nullptr);
    delete style;
}

QTEST_MAIN(MenuStyleTest)
#include "MenuStyleTest.moc"
