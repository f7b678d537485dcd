#include "ScriptedDialogs.h"

#include <QApplication>
#include <QPrinter>
#include <QTest>
#include <QWidget>

namespace {

class ScriptedProgress final : public ProgressDialog
{
public:
    ScriptedProgress(ScriptedDialogs& owner, int cancelAt) : m_owner(owner), m_cancelAt(cancelAt)
    {
        ++m_owner.openProgressDialogs;
    }
    ~ScriptedProgress() override { close(); }
    void setValue(int value) override
    {
        m_owner.progressValues << value;
        if (m_cancelAt >= 0 && value >= m_cancelAt) {
            m_canceled = true;
        }
    }
    bool wasCanceled() const override { return m_canceled; }
    void close() override
    {
        if (m_open) {
            m_open = false;
            --m_owner.openProgressDialogs;
        }
    }

private:
    ScriptedDialogs& m_owner;
    int m_cancelAt;
    bool m_canceled = false;
    bool m_open = true;
};

} // namespace

ScriptedDialogs::ScriptedDialogs() = default;

ScriptedDialogs::~ScriptedDialogs() = default;

QStringList ScriptedDialogs::messages() const
{
    QStringList out;
    for (const Shown& s : shown) {
        if (s.kind == QLatin1String("message") || s.kind == QLatin1String("question")) {
            out << s.title + QLatin1Char('|') + s.text;
        }
    }
    return out;
}

DialogButton ScriptedDialogs::message(QWidget*, MessageIcon icon, const QString& title,
                                      const QString& text, int buttons)
{
    const bool onlyOk = buttons == int(DialogButton::Ok) || buttons == 0;
    shown.append({onlyOk ? QStringLiteral("message") : QStringLiteral("question"), title, text, icon, QString()});
    if (onlyOk) {
        if (!m_messages.isEmpty()) {
            const Shown expected = m_messages.dequeue();
            if (expected.title != title || expected.text != text) {
                QTest::qFail(qPrintable(QStringLiteral("box %1 / %2, expected %3 / %4")
                                            .arg(title, text, expected.title, expected.text)),
                             __FILE__, __LINE__);
            }
        } else if (!m_buttons.isEmpty() && m_buttons.head() == DialogButton::Ok) {
            m_buttons.dequeue();
        } else {
            QTest::qFail(qPrintable(QStringLiteral("unscripted box: %1 / %2").arg(title, text)),
                         __FILE__, __LINE__);
        }
        return DialogButton::Ok;
    }
    if (m_buttons.isEmpty()) {
        QTest::qFail(qPrintable(QStringLiteral("unscripted question: %1 / %2").arg(title, text)),
                     __FILE__, __LINE__);
        return (buttons & int(DialogButton::Cancel)) ? DialogButton::Cancel : DialogButton::No;
    }
    return m_buttons.dequeue();
}

QString ScriptedDialogs::nextFile(const QString& kind, const QString& caption, const QString& dir,
                                  const QString& filter)
{
    shown.append({kind, caption, filter, MessageIcon::NoIcon, dir});
    if (m_files.isEmpty()) {
        QTest::qFail(qPrintable(QStringLiteral("unscripted file dialog: %1").arg(caption)), __FILE__,
                     __LINE__);
        return QString();
    }
    return m_files.dequeue();
}

QString ScriptedDialogs::openFileName(QWidget*, const QString& caption, const QString& dir, const QString& filter)
{
    return nextFile(QStringLiteral("open"), caption, dir, filter);
}

QString ScriptedDialogs::saveFileName(QWidget*, const QString& caption, const QString& dir, const QString& filter)
{
    return nextFile(QStringLiteral("save"), caption, dir, filter);
}

std::unique_ptr<ProgressDialog> ScriptedDialogs::progress(QWidget*, const QString& label,
                                                          const QString& cancelText, int minimum,
                                                          int maximum)
{
    shown.append({QStringLiteral("progress"), label,
                  QStringLiteral("%1 [%2..%3]").arg(cancelText).arg(minimum).arg(maximum),
                  MessageIcon::NoIcon, QString()});
    const int cancelAt = m_cancelAt;
    m_cancelAt = -1;
    return std::make_unique<ScriptedProgress>(*this, cancelAt);
}

bool ScriptedDialogs::printSetup(QWidget*, QPrinter& printer)
{
    shown.append({QStringLiteral("print"), QString(), QString(), MessageIcon::NoIcon, QString()});
    if (m_prints.isEmpty()) {
        QTest::qFail("unscripted print dialog", __FILE__, __LINE__);
        return false;
    }
    const QString pdfPath = m_prints.dequeue();
    if (pdfPath.isEmpty()) {
        return false;
    }
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(pdfPath);
    return true;
}

QStringList visibleTopLevelWindows()
{
    QStringList names;
    const auto widgets = QApplication::topLevelWidgets();
    for (QWidget* w : widgets) {
        if (w->isVisible()) {
            names << (w->objectName().isEmpty() ? QString::fromLatin1(w->metaObject()->className())
                                                : w->objectName());
        }
    }
    return names;
}
