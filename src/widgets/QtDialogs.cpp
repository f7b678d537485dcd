#include "QtDialogs.h"

#include <QApplication>
#include <QFileDialog>
#include <QRegularExpression>
#include <QMessageBox>
#include <QPointer>
#include <QPrintDialog>
#include <QPrinter>
#include <QProgressDialog>
#include <QElapsedTimer>

namespace {

QMessageBox::Icon toQt(MessageIcon icon)
{
    switch (icon) {
    case MessageIcon::Information: return QMessageBox::Information;
    case MessageIcon::Warning: return QMessageBox::Warning;
    case MessageIcon::Critical: return QMessageBox::Critical;
    case MessageIcon::Question: return QMessageBox::Question;
    case MessageIcon::NoIcon: break;
    }
    return QMessageBox::NoIcon;
}

class QtProgress final : public ProgressDialog
{
public:
    QtProgress(QWidget* parent, const QString& label, const QString& cancelText, int minimum,
               int maximum)
        : dialog(new QProgressDialog(label, cancelText, minimum, maximum, parent))
    {
        dialog->setAttribute(Qt::WA_DeleteOnClose);
        dialog->setWindowModality(Qt::WindowModal);
        dialog->setMinimumDuration(0);
        dialog->setValue(minimum);
        dialog->show();
        QApplication::processEvents();
    }
    ~QtProgress() override { close(); }
    // The bar (and a press on Cancel) at most every kRefreshMs, and always
    // the first and the last step: a repaint per step cost a long transfer of
    // small pages several per cent of its time, for changes no eye follows.
    void setValue(int value) override
    {
        if (!dialog) {
            return;
        }
        const bool last = value >= dialog->maximum();
        if (!last && m_shown.isValid() && m_shown.elapsed() < kRefreshMs) {
            return;
        }
        dialog->setValue(value);
        QApplication::processEvents();
        m_shown.start();
    }
    bool wasCanceled() const override { return dialog && dialog->wasCanceled(); }
    void close() override
    {
        if (dialog) {
            dialog->close();
            dialog = nullptr;
        }
    }

private:
    static constexpr qint64 kRefreshMs = 40;
    QPointer<QProgressDialog> dialog;
    QElapsedTimer m_shown;
};

} // namespace

DialogButton QtDialogs::message(QWidget* parent, MessageIcon icon, const QString& title,
                                const QString& text, int buttons)
{
    QMessageBox::StandardButtons qtButtons;
    if (buttons & int(DialogButton::Ok)) qtButtons |= QMessageBox::Ok;
    if (buttons & int(DialogButton::Yes)) qtButtons |= QMessageBox::Yes;
    if (buttons & int(DialogButton::No)) qtButtons |= QMessageBox::No;
    if (buttons & int(DialogButton::Cancel)) qtButtons |= QMessageBox::Cancel;
    if (!qtButtons) qtButtons = QMessageBox::Ok;

    QMessageBox box(toQt(icon), title, text, qtButtons, parent);
    switch (box.exec()) {
    case QMessageBox::Ok: return DialogButton::Ok;
    case QMessageBox::Yes: return DialogButton::Yes;
    case QMessageBox::No: return DialogButton::No;
    case QMessageBox::Cancel: return DialogButton::Cancel;
    default: return DialogButton::None;
    }
}

QString QtDialogs::openFileName(QWidget* parent, const QString& caption, const QString& dir,
                                const QString& filter)
{
    return QFileDialog::getOpenFileName(parent, caption, dir, filter);
}

QString QtDialogs::saveFileName(QWidget* parent, const QString& caption, const QString& dir,
                                const QString& filter)
{
    return QFileDialog::getSaveFileName(parent, caption, dir, filter);
}

QString QtDialogs::saveFileNameWithSuffix(QWidget* parent, const QString& caption, const QString& dir,
                                          const QString& filter, const QString& suffix)
{
    // The suffix is added before the dialog asks about replacing a file.
    QFileDialog dialog(parent, caption, dir, filter);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setDefaultSuffix(suffix);
    // With several file types offered, a name typed without a suffix gets
    // the one of the type chosen ("Name (*.csv)" gives ".csv").
    QObject::connect(&dialog, &QFileDialog::filterSelected, &dialog, [&dialog, suffix](const QString& chosen) {
        const QRegularExpression pattern(QStringLiteral("\\*\\.(\\w+)"));
        const QRegularExpressionMatch match = pattern.match(chosen);
        dialog.setDefaultSuffix(match.hasMatch() ? match.captured(1) : suffix);
    });
    if (dialog.exec() != QDialog::Accepted) {
        return QString();
    }
    return dialog.selectedFiles().value(0);
}

std::unique_ptr<ProgressDialog> QtDialogs::progress(QWidget* parent, const QString& label,
                                                    const QString& cancelText, int minimum,
                                                    int maximum)
{
    return std::make_unique<QtProgress>(parent, label, cancelText, minimum, maximum);
}

bool QtDialogs::printSetup(QWidget* parent, QPrinter& printer)
{
    QPrintDialog dialog(&printer, parent);
    return dialog.exec() == QDialog::Accepted;
}
