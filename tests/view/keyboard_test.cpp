// The window without the mouse: Return presses a focused button, Ctrl+Return calculates
// with what is being typed, and after a calculation the keyboard stays on the panel.

#include "tests/testmain.h"
#include "tests/view/screen.h"

#include <QComboBox>
#include <QLineEdit>
#include <QTableView>

using namespace ui;

namespace {

bool inPanel(Screen& s, QWidget* widget)
{
    for (const Control* group :
        {static_cast<const Control*>(&s.f->gpb_srcs), static_cast<const Control*>(&s.f->gbp_jycs),
            static_cast<const Control*>(&s.f->gpb_scjg)}) {
        if (widget && s.window.widgetFor(*group)->isAncestorOf(widget))
            return true;
    }
    return false;
}

} // namespace

class KeyboardTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void returnPressesAFocusedButton_data()
    {
        QTest::addColumn<int>("key");
        QTest::addColumn<int>("modifiers");
        QTest::newRow("Return") << int(Qt::Key_Return) << int(Qt::NoModifier);
        QTest::newRow("Enter on the number pad") << int(Qt::Key_Enter) << int(Qt::KeypadModifier);
        QTest::newRow("Space, as ever") << int(Qt::Key_Space) << int(Qt::NoModifier);
    }
    void returnPressesAFocusedButton()
    {
        QFETCH(int, key);
        QFETCH(int, modifiers);
        Screen s;
        QVERIFY(s.activate());
        QWidget* star = s.window.widgetFor(s.f->cbt_YouHua);
        star->setFocus();
        QTest::keyClick(star, Qt::Key(key), Qt::KeyboardModifiers(modifiers));
        QVERIFY(s.f->YouHuaFormLayer.isVisible());
        QCOMPARE(s.f->OptimizationMode, 1);
    }

    // Typed but not yet entered: Ctrl+Return takes the text as if Enter had been pressed.
    void ctrlReturnCalculatesWhatIsTyped()
    {
        Screen s;
        QVERIFY(s.activate());
        QLineEdit* d = s.widget<QComboBox>(s.f->cbe_dd)->lineEdit();
        d->setFocus();
        d->selectAll();
        QTest::keyClicks(d, QStringLiteral("1200"));
        QCOMPARE(s.f->cbe_dd.text(), QStringLiteral("1000"));
        QTest::keyClick(d, Qt::Key_Return, Qt::ControlModifier);
        QCOMPARE(s.f->cbe_dd.text(), QStringLiteral("1200"));
        QCOMPARE(s.f->ReportPileCount, 1);
        QVERIFY(!s.f->edt_ra.text().isEmpty());
        QVERIFY(!s.shown(s.f->cbt_compute));
        // The keyboard stays in the field (the combo box holds the focus for its line).
        QCOMPARE(QApplication::focusWidget(), s.window.widgetFor(s.f->cbe_dd));
        // "计算" is hidden now: Ctrl+Return does nothing, as a click on it could not.
        QTest::keyClick(d, Qt::Key_Enter, Qt::ControlModifier | Qt::KeypadModifier);
        QCOMPARE(s.f->ReportPileCount, 1);
    }

    void ctrlReturnRunsTheOptimization()
    {
        Screen s;
        s.click(s.f->cbt_YouHua);
        QVERIFY(s.activate());
        auto* options = s.widget<QTableView>(s.f->Grid1_Youhuaxuanxiang);
        options->setFocus();
        options->setCurrentIndex(options->model()->index(1, 2));
        // An open cell editor counts with the text typed into it.
        QTest::keyClick(options, Qt::Key_1);
        QLineEdit* editor = options->viewport()->findChild<QLineEdit*>();
        QVERIFY(editor);
        QTest::keyClicks(editor, QStringLiteral("500"));
        QTest::keyClick(editor, Qt::Key_Return, Qt::ControlModifier);
        QCOMPARE(s.f->Grid1_Youhuaxuanxiang.cell(2, 1), QStringLiteral("1500"));
        QVERIFY(s.f->lb_YHxingxi.text().startsWith(QStringLiteral("计算完成，桩数：")));
        QVERIFY(s.f->Grid2_Youhuajieguo.rowCount() > 0);
        QVERIFY(s.f->Grid2_Youhuajieguo.rowCount() < 384);
    }

    // Space on "计算" hides it; the keyboard goes back to the field the user came from,
    // not on to "★", so that the next Space does not open the optimization screen.
    void focusStaysOnThePanel()
    {
        Screen s;
        QVERIFY(s.activate());
        QWidget* strength = s.window.widgetFor(s.f->edt_frk);
        strength->setFocus();
        QWidget* compute = s.window.widgetFor(s.f->cbt_compute);
        compute->setFocus();
        QTest::keyClick(compute, Qt::Key_Space);
        QCOMPARE(s.f->ReportPileCount, 1);
        QCOMPARE(QApplication::focusWidget(), strength);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Space);
        QVERIFY(s.f->MainFormLayer.isVisible());

        // Without a field before it, the panel's first control takes the keyboard.
        Screen t;
        QVERIFY(t.activate());
        QWidget* button = t.window.widgetFor(t.f->cbt_compute);
        button->setFocus();
        QTest::keyClick(button, Qt::Key_Return);
        QCOMPARE(t.f->ReportPileCount, 1);
        QVERIFY(inPanel(t, QApplication::focusWidget()));
    }
};

ROCKPILE_TEST(KeyboardTest)
#include "keyboard_test.moc"
