#pragma once
// The window's side of the instrument exchanges: their messages become
// information boxes and their transfers a progress dialog, all through the
// modal seam, parented to the page.

#include "InstrumentFeedback.h"

#include <memory>

class Dialogs;
class ProgressDialog;
class QWidget;

class DialogFeedback final : public InstrumentFeedback
{
public:
    // Through the modal seam the caller was given (the page's).
    DialogFeedback(QWidget* parent, Dialogs& dialogs);
    ~DialogFeedback() override;

    void inform(const InstrumentMessage& message) override;
    void progressStart(const QString& label, const QString& cancelText, int maximum) override;
    bool progressStep(int value) override;
    void progressEnd() override;
    // A yes/no question; true for yes.
    bool ask(const InstrumentMessage& question);

private:
    QWidget* m_parent;
    Dialogs& m_dialogs;
    std::unique_ptr<ProgressDialog> m_progress;
};
