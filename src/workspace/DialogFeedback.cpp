#include "DialogFeedback.h"

#include "Dialogs.h"

DialogFeedback::DialogFeedback(QWidget* parent, Dialogs& dialogs) : m_parent(parent), m_dialogs(&dialogs)
{
}

DialogFeedback::DialogFeedback(QWidget* parent) : m_parent(parent)
{
}

Dialogs& DialogFeedback::seam() const
{
    return m_dialogs ? *m_dialogs : Dialogs::instance();
}

DialogFeedback::~DialogFeedback() = default;

void DialogFeedback::inform(const InstrumentMessage& message)
{
    seam().information(m_parent, message.title, message.text);
}

void DialogFeedback::progressStart(const QString& label, const QString& cancelText, int maximum)
{
    m_progress = seam().progress(m_parent, label, cancelText, 0, maximum);
}

bool DialogFeedback::progressStep(int value)
{
    if (!m_progress) {
        return true;
    }
    m_progress->setValue(value);
    return !m_progress->wasCanceled();
}

void DialogFeedback::progressEnd()
{
    if (m_progress) {
        m_progress->close();
        m_progress.reset();
    }
}

bool DialogFeedback::ask(const InstrumentMessage& question)
{
    return seam().question(m_parent, question.title, question.text);
}
