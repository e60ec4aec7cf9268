// SPDX-License-Identifier: GPL-3.0-or-later
// The message box: captions and button captions from their tables, the answer mapping, and
// the box as shown.
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include "ui/MessageBox.h"

using namespace wendrix;
using namespace wendrix::ui;

Q_DECLARE_METATYPE(wendrix::ui::MessageType)
Q_DECLARE_METATYPE(wendrix::ui::MessageButton)
Q_DECLARE_METATYPE(wendrix::EntityAnswer)

class TestMessageBox : public QObject
{
    Q_OBJECT

private slots:
    void captionsByType_data()
    {
        QTest::addColumn<MessageType>("type");
        QTest::addColumn<QString>("english");
        QTest::newRow("warning") << MessageType::Warning << "Warning";
        QTest::newRow("error") << MessageType::Error << "Error";
        QTest::newRow("information") << MessageType::Information << "Information";
        QTest::newRow("confirmation") << MessageType::Confirmation << "Confirmation";
    }
    void captionsByType()
    {
        QFETCH(MessageType, type);
        QFETCH(QString, english);
        QCOMPARE(MessageCaption(type), english);
    }

    void buttonCaptions_data()
    {
        QTest::addColumn<MessageButton>("button");
        QTest::addColumn<QString>("english");
        QTest::newRow("yes") << MessageButton::Yes << "&Yes";
        QTest::newRow("no") << MessageButton::No << "&No";
        QTest::newRow("cancel") << MessageButton::Cancel << "Cancel";
        QTest::newRow("ok") << MessageButton::Ok << "OK";
        QTest::newRow("abort") << MessageButton::Abort << "&Abort";
        QTest::newRow("retry") << MessageButton::Retry << "&Retry";
        QTest::newRow("ignore") << MessageButton::Ignore << "&Ignore";
        QTest::newRow("all") << MessageButton::All << "All";
        QTest::newRow("no to all") << MessageButton::NoToAll << "No To All";
        QTest::newRow("yes to all") << MessageButton::YesToAll << "Yes To All";
        QTest::newRow("help") << MessageButton::Help << "Help";
    }
    void buttonCaptions()
    {
        QFETCH(MessageButton, button);
        QFETCH(QString, english);
        QCOMPARE(ButtonCaption(button), english);
    }

    void answersNotNamedCountAsTheOpposite_data()
    {
        QTest::addColumn<MessageButton>("answer");
        QTest::addColumn<bool>("yes");
        QTest::addColumn<EntityAnswer>("entity");
        QTest::addColumn<bool>("abort");
        QTest::newRow("yes") << MessageButton::Yes << true << EntityAnswer::Yes << false;
        QTest::newRow("no") << MessageButton::No << false << EntityAnswer::No << false;
        QTest::newRow("yes to all")
            << MessageButton::YesToAll << false << EntityAnswer::YesToAll << false;
        QTest::newRow("no to all")
            << MessageButton::NoToAll << false << EntityAnswer::NoToAll << false;
        QTest::newRow("ok") << MessageButton::Ok << false << EntityAnswer::No << true;
        QTest::newRow("closed") << MessageButton::None << false << EntityAnswer::No << false;
        QTest::newRow("cancel") << MessageButton::Cancel << false << EntityAnswer::No << false;
    }
    void answersNotNamedCountAsTheOpposite()
    {
        QFETCH(MessageButton, answer);
        QFETCH(bool, yes);
        QFETCH(EntityAnswer, entity);
        QFETCH(bool, abort);
        QCOMPARE(IsYes(answer), yes);
        QCOMPARE(ToEntityAnswer(answer), entity);
        QCOMPARE(ToReadErrorAnswer(answer) == ReadErrorAnswer::Abort, abort);
    }

    void buttonsKeepTheirFixedOrderWithDefaultAndEscape()
    {
        const auto shown = ButtonsInShownOrder({MessageButton::YesToAll, MessageButton::No,
                                                MessageButton::Yes, MessageButton::NoToAll});
        const std::vector<MessageButton> expected{MessageButton::Yes, MessageButton::No,
                                                  MessageButton::NoToAll, MessageButton::YesToAll};
        QVERIFY(shown == expected);
        QCOMPARE(DefaultButton(shown), MessageButton::Yes);
        QCOMPARE(EscapeButton(shown), MessageButton::No);
        QCOMPARE(EscapeButton({MessageButton::Ok, MessageButton::Ignore}), MessageButton::Ok);
    }

    void placeIsTakenPerCoordinateAboveZero()
    {
        QCOMPARE(MessagePosition(QPoint(300, 200), 0, 0), QPoint(300, 200));
        QCOMPARE(MessagePosition(QPoint(300, 200), 50, 0), QPoint(300, 50));
        QCOMPARE(MessagePosition(QPoint(300, 200), 0, 40), QPoint(40, 200));
    }

    void rangeMessageShowsInEnglishWithOneOkButton()
    {
        QString caption;
        QString text;
        QStringList buttons;
        QPoint position;
        QTimer::singleShot(0, this, [&] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            QVERIFY(box != nullptr);
            caption = box->windowTitle();
            text = box->text();
            position = box->pos();
            for (QAbstractButton* button : box->buttons()) {
                buttons << button->text();
            }
            box->buttons().front()->click();
        });
        const MessageButton answer =
            ShowMessage(nullptr, MessageRequest{QStringLiteral("Value outside range of 0...300."),
                                                MessageType::Error,
                                                {MessageButton::Ok},
                                                70,
                                                60,
                                                0});
        QCOMPARE(answer, MessageButton::Ok);
        QCOMPARE(caption, QStringLiteral("Error"));
        QCOMPARE(text, QStringLiteral("Value outside range of 0...300."));
        QCOMPARE(buttons, QStringList{QStringLiteral("OK")});
        QCOMPARE(position, QPoint(60, 70));
    }

    void escapeAnswersWithTheEscapeButton()
    {
        QTimer::singleShot(
            0, this, [] { QTest::keyClick(QApplication::activeModalWidget(), Qt::Key_Escape); });
        const MessageButton answer =
            ShowMessage(nullptr, MessageRequest{QStringLiteral("Question?"),
                                                MessageType::Confirmation,
                                                {MessageButton::Yes, MessageButton::No},
                                                0,
                                                0,
                                                0});
        QCOMPARE(answer, MessageButton::No);
    }
};

QTEST_MAIN(TestMessageBox)
#include "tst_MessageBox.moc"
