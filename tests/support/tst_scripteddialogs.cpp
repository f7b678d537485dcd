// The scripted modal seam itself: a box nobody scripted fails the test.

#include "ScriptedDialogs.h"

#include <QtTest>

class TestScriptedDialogs : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void box_failsUnlessScripted_data()
    {
        QTest::addColumn<QString>("script"); // "", "expect", "other text", "ok"
        QTest::addColumn<int>("buttons");
        QTest::addColumn<bool>("fails");
        const int ok = int(DialogButton::Ok);
        const int yesNo = int(DialogButton::Yes) | int(DialogButton::No);
        QTest::newRow("OK box, unscripted") << QString() << ok << true;
        QTest::newRow("OK box, expected") << QStringLiteral("expect") << ok << false;
        QTest::newRow("OK box, other text expected") << QStringLiteral("other text") << ok << true;
        QTest::newRow("OK box, acknowledged") << QStringLiteral("ok") << ok << false;
        QTest::newRow("question, unscripted") << QString() << yesNo << true;
    }

    void box_failsUnlessScripted()
    {
        QFETCH(QString, script);
        QFETCH(int, buttons);
        QFETCH(bool, fails);
        ScriptedDialogs dialogs;
        if (script == QLatin1String("expect")) {
            dialogs.expectMessage(QStringLiteral("Title"), QStringLiteral("Text"));
        } else if (script == QLatin1String("other text")) {
            dialogs.expectMessage(QStringLiteral("Title"), QStringLiteral("Other"));
        } else if (script == QLatin1String("ok")) {
            dialogs.answerButton(DialogButton::Ok);
        }
        if (fails) {
            QEXPECT_FAIL("", "the box was not scripted", Continue);
        }
        dialogs.message(nullptr, MessageIcon::Warning, QStringLiteral("Title"), QStringLiteral("Text"), buttons);
        QVERIFY(!dialogs.hasUnusedAnswers());
        QCOMPARE(dialogs.messages(), QStringList{QStringLiteral("Title|Text")});
    }
};

QTEST_MAIN(TestScriptedDialogs)
#include "tst_scripteddialogs.moc"
