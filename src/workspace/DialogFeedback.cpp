#include "DialogFeedback.h"

#include "Dialogs.h"

DialogFeedback::DialogFeedback(QWidget* parent, Dialogs& dialogs) : m_parent(parent), m_dialogs(dialogs)
{
}

DialogFeedback::~DialogFeedback() = default;

void DialogFeedback::inform(const InstrumentMessage& message)
{
    m_dialogs.information(m_parent, message.title, message.text);
}

void DialogFeedback::progressStart(const QString& label, const QString& cancelText, int maximum)
{
    m_progress = m_dialogs.progress(m_parent, label, cancelText, 0, maximum);
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
    return m_dialogs.question(m_parent, question.title, question.text);
}
