// Printing when there is no printer at all: the program runs with CUPS pointed at no server.
#include "ModalAnswerer.h"
#include "WindowFixture.h"

#include <QtTest>

class TestPrintNoPrinter : public QObject {
    Q_OBJECT
private slots:
    void theUserIsTold()
    {
        QVERIFY2(qEnvironmentVariableIsSet("CUPS_SERVER"), "run with CUPS_SERVER pointing at no server");
        WindowFixture f;
        Main& m = *f.main;
        m.Text1->SetText("nowhere to go");
        ModalAnswerer answers;
        answers.ThenPress(QMessageBox::Yes);
        answers.ThenPress(QMessageBox::Ok);
        m.Image3_Click();
        QVERIFY(answers.AllAnswered());
        QCOMPARE(answers.messages.at(1).text, QStringLiteral("No printer or printer offline!"));
        QCOMPARE(answers.messages.at(1).title, QStringLiteral(" Error"));
        QCOMPARE(answers.messages.at(1).icon, QMessageBox::Critical);
        QCOMPARE(m.Text1->Text(), QByteArray("nowhere to go"));
    }
};

QTEST_MAIN(TestPrintNoPrinter)
#include "test_print_no_printer.moc"
