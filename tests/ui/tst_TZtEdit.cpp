// SPDX-License-Identifier: GPL-3.0-or-later
// The call-sign edit: overwrite mode shared by all edits, its selection, and its own Backspace
// when the window's filter drops the backspace character.
#include <QApplication>
#include <QClipboard>
#include <QTest>

#include "session/CallSign.h"
#include "ui/TZtEdit.h"

using wendrix::ui::TZtEdit;
using wendrix::ui::ZtEditShared;

class TestTZtEdit : public QObject
{
    Q_OBJECT

private:
    // The filter of the own call sign: letters (upper-cased), digits, "-" and "_" only.
    static std::string CallSignFilter(std::string_view text)
    {
        return wendrix::FilterCallSign(text);
    }

private slots:
    void lettersAppearInUpperCaseAndFilteredCharactersNot()
    {
        ZtEditShared shared;
        TZtEdit edit(shared);
        edit.SetTextFilter(CallSignFilter);
        QTest::keyClicks(&edit, QStringLiteral("dl1/ab c"));
        QCOMPARE(edit.text(), QStringLiteral("DL1ABC"));
    }

    void backspaceDroppedByTheFilterStillDeletes_data()
    {
        QTest::addColumn<int>("caret");
        QTest::addColumn<QString>("after");
        QTest::addColumn<int>("caretAfter");
        QTest::newRow("at the end") << 6 << QStringLiteral("DL1AB") << 5;
        QTest::newRow("in the middle") << 3 << QStringLiteral("DLABC") << 2;
        QTest::newRow("at the start") << 0 << QStringLiteral("DL1ABC") << 0;
    }
    void backspaceDroppedByTheFilterStillDeletes()
    {
        QFETCH(int, caret);
        QFETCH(QString, after);
        QFETCH(int, caretAfter);
        ZtEditShared shared;
        TZtEdit edit(shared);
        edit.SetTextFilter(CallSignFilter);
        edit.setText(QStringLiteral("DL1ABC"));
        edit.setCursorPosition(caret);
        QTest::keyClick(&edit, Qt::Key_Backspace);
        QCOMPARE(edit.text(), after);
        QCOMPARE(edit.cursorPosition(), caretAfter);
    }

    void backspaceWithoutFilterDeletesOnlyOnce()
    {
        ZtEditShared shared;
        TZtEdit edit(shared);
        edit.setText(QStringLiteral("DL1ABC"));
        QTest::keyClick(&edit, Qt::Key_Backspace);
        QCOMPARE(edit.text(), QStringLiteral("DL1AB"));
    }

    void insertTogglesOverwriteForEveryEdit()
    {
        ZtEditShared shared;
        TZtEdit call(shared);
        TZtEdit calls(shared);
        call.setText(QStringLiteral("DL1ABC"));
        call.setCursorPosition(2);
        QTest::keyClick(&call, Qt::Key_Insert);
        QVERIFY(shared.Overwrite);
        QCOMPARE(call.selectedText(), QStringLiteral("1"));

        // Typing replaces the character under the caret and selects the next one.
        QTest::keyClicks(&call, QStringLiteral("2X"));
        QCOMPARE(call.text(), QStringLiteral("DL2XBC"));
        QCOMPARE(call.selectedText(), QStringLiteral("B"));
        QTest::keyClick(&call, Qt::Key_Left);
        QCOMPARE(call.selectedText(), QStringLiteral("X"));
        QTest::keyClick(&call, Qt::Key_Right);
        QTest::keyClick(&call, Qt::Key_Right);
        QCOMPARE(call.selectedText(), QStringLiteral("C"));

        // The other edit is in overwrite mode too; Insert there ends it for both.
        calls.setText(QStringLiteral("ABC"));
        calls.setCursorPosition(0);
        QTest::keyClicks(&calls, QStringLiteral("Z"));
        QCOMPARE(calls.text(), QStringLiteral("ZBC"));
        QTest::keyClick(&calls, Qt::Key_Insert);
        QVERIFY(!shared.Overwrite);
        QCOMPARE(calls.selectedText(), QString());
        QTest::keyClicks(&calls, QStringLiteral("Y"));
        QCOMPARE(calls.text(), QStringLiteral("ZYBC"));
    }

    void backspaceInOverwriteWithFilterMovesTheSelectionLeft()
    {
        ZtEditShared shared;
        shared.Overwrite = true;
        TZtEdit edit(shared);
        edit.SetTextFilter(CallSignFilter);
        edit.setText(QStringLiteral("DL1ABC"));
        edit.setSelection(3, 1);
        QTest::keyClick(&edit, Qt::Key_Backspace);
        QCOMPARE(edit.text(), QStringLiteral("DL1ABC"));
        QCOMPARE(edit.selectionStart(), 2);
        QCOMPARE(edit.selectedText(), QStringLiteral("1"));
    }

    void shiftInsertAndDeleteCutAndPasteTheSelectedCharacter()
    {
        // In overwrite mode the key-down leaves the clipboard's work alone; the key-up then
        // selects the character under the caret again.
        ZtEditShared shared;
        TZtEdit edit(shared);
        edit.setText(QStringLiteral("DL1ABC"));
        edit.setCursorPosition(3);
        QTest::keyClick(&edit, Qt::Key_Insert);
        QCOMPARE(edit.selectedText(), QStringLiteral("A"));
        QTest::keyClick(&edit, Qt::Key_Delete, Qt::ShiftModifier);
        QCOMPARE(edit.text(), QStringLiteral("DL1BC"));
        QCOMPARE(QApplication::clipboard()->text(), QStringLiteral("A"));
        QCOMPARE(edit.selectedText(), QStringLiteral("B"));
        QApplication::clipboard()->setText(QStringLiteral("XY"));
        QTest::keyClick(&edit, Qt::Key_Insert, Qt::ShiftModifier);
        QCOMPARE(edit.text(), QStringLiteral("DL1XYC"));
        QCOMPARE(edit.selectedText(), QStringLiteral("C"));
    }
};

QTEST_MAIN(TestTZtEdit)
#include "tst_TZtEdit.moc"
