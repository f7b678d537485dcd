#pragma once
// What an exchange with the instrument has to tell whoever started it. The
// exchanges decide the message and when it is due; the window shows it as a
// box and a progress dialog, the command line writes it to standard error.
// Calls arrive at the moment the box used to appear (a range box before the
// link lock is taken, the failure box after it was let go; only a progress
// dialog's steps come while an exchange holds the link).

#include <QString>

struct InstrumentMessage
{
    QString title;
    QString text;
};

class InstrumentFeedback
{
public:
    virtual ~InstrumentFeedback() = default;
    // An information box in the window.
    virtual void inform(const InstrumentMessage& message) = 0;
    // A long transfer of maximum + 1 steps; progressStep returns false once
    // the person watching cancelled.
    virtual void progressStart(const QString& label, const QString& cancelText, int maximum)
    {
        Q_UNUSED(label);
        Q_UNUSED(cancelText);
        Q_UNUSED(maximum);
    }
    virtual bool progressStep(int value)
    {
        Q_UNUSED(value);
        return true;
    }
    virtual void progressEnd() {}
};
