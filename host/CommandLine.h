#pragma once

#include <QStringList>
#include <QWidget>

#include <functional>

class QLineEdit;
class QPlainTextEdit;
class QLabel;

// The command line: a scrolling history above an input line with a prompt, a recall of
// earlier input with Up and Down, and completion of function names with Tab.
class CommandLine : public QWidget
{
    Q_OBJECT
public:
    explicit CommandLine(QWidget* parent = nullptr);

    // Appends text to the history as it stands (may hold line breaks).
    void print(const QString& text);
    void setPrompt(const QString& prompt);
    QString prompt() const;
    QLineEdit* input() const { return m_input; }
    void focusInput();
    // Where Tab finds the function names it completes.
    void setCompletions(std::function<QStringList()> names) { m_completions = std::move(names); }

signals:
    // A line the user entered (Return), or Escape pressed.
    void entered(const QString& text);
    void escapePressed();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void submit();
    void completeName();

    QPlainTextEdit* m_history;
    QLabel* m_prompt;
    QLineEdit* m_input;
    QStringList m_recall;
    int m_recallIndex = 0;
    std::function<QStringList()> m_completions;
};
