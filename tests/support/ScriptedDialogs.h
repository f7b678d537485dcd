#pragma once
#include "Dialogs.h"

#include <QList>
#include <QQueue>
#include <QString>
#include <QStringList>

// The test double of the modal seam: records every dialog shown (kind, title,
// text), answers from a script, and fails the running test on any box nobody
// scripted, a box with a single OK button included.
class ScriptedDialogs final : public Dialogs
{
public:
    struct Shown
    {
        QString kind; // "message", "question", "open", "save", "progress", "print"
        QString title;
        QString text; // a file dialog's filter
        MessageIcon icon = MessageIcon::NoIcon;
        QString dir; // a file dialog's start (folder, or a file in it)
    };

    ScriptedDialogs();
    ~ScriptedDialogs() override;

    // The next box with a single OK button must have this title and text.
    void expectMessage(const QString& title, const QString& text)
    {
        m_messages.enqueue({QStringLiteral("message"), title, text, MessageIcon::NoIcon, QString()});
    }
    // The next question is answered with button; DialogButton::Ok also
    // acknowledges the next OK box, whatever it says.
    void answerButton(DialogButton button) { m_buttons.enqueue(button); }
    void answerOpenFile(const QString& path) { m_files.enqueue(path); }
    void answerSaveFile(const QString& path) { m_files.enqueue(path); }
    // The next progress dialog reports a cancel once its value reaches value.
    void cancelProgressAt(int value) { m_cancelAt = value; }
    // The next print dialog: accepted, printing into the PDF file pdfPath, or
    // cancelled when pdfPath is empty.
    void answerPrint(const QString& pdfPath) { m_prints.enqueue(pdfPath); }

    QList<Shown> shown;
    QList<int> progressValues;
    int openProgressDialogs = 0;

    // Titles and texts of the boxes shown, as "title|text".
    QStringList messages() const;
    bool hasUnusedAnswers() const
    {
        return !m_buttons.isEmpty() || !m_files.isEmpty() || !m_messages.isEmpty()
               || !m_prints.isEmpty();
    }

    DialogButton message(QWidget* parent, MessageIcon icon, const QString& title,
                         const QString& text, int buttons) override;
    QString openFileName(QWidget* parent, const QString& caption, const QString& dir,
                         const QString& filter) override;
    QString saveFileName(QWidget* parent, const QString& caption, const QString& dir,
                         const QString& filter) override;
    std::unique_ptr<ProgressDialog> progress(QWidget* parent, const QString& label,
                                             const QString& cancelText, int minimum,
                                             int maximum) override;
    bool printSetup(QWidget* parent, QPrinter& printer) override;

private:
    QString nextFile(const QString& kind, const QString& caption, const QString& dir, const QString& filter);

    QQueue<Shown> m_messages;
    QQueue<DialogButton> m_buttons;
    QQueue<QString> m_files;
    QQueue<QString> m_prints;
    int m_cancelAt = -1;
};

// Names of top-level widgets still visible; a test's cleanup expects none
// beyond those it owns.
QStringList visibleTopLevelWindows();
