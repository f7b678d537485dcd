// Starts as a later copy of the application would, with the guard key given
// on the command line, and prints each box it would show as "title|text".
#include "AppStartup.h"
#include "Dialogs.h"
#include "SingleInstance.h"

#include <QApplication>
#include <QTextStream>

namespace {

class PrintingDialogs final : public Dialogs
{
public:
    DialogButton message(QWidget*, MessageIcon, const QString& title, const QString& text, int) override
    {
        QTextStream(stdout) << title << '|' << text << Qt::endl;
        return DialogButton::Ok;
    }
    QString openFileName(QWidget*, const QString&, const QString&, const QString&) override { return {}; }
    QString saveFileName(QWidget*, const QString&, const QString&, const QString&) override { return {}; }
    std::unique_ptr<ProgressDialog> progress(QWidget*, const QString&, const QString&, int, int) override
    {
        return nullptr;
    }
};

} // namespace

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    PrintingDialogs printing;
    if (argc < 2) {
        return 2;
    }
    SingleInstance guard(QString::fromLocal8Bit(argv[1]));
    if (handOverToRunningInstance(guard, printing)) {
        return 0;
    }
    QTextStream(stdout) << "first instance" << Qt::endl;
    return 3;
}
