#pragma once

#include "ui_Dlg_QT_EditTextCase.h"
#include "widgets/KvDialog.h"

#include <memory>

class CDialogState;

// The text case editor: shows a text, offers five case styles with a live preview and
// reports the chosen style's number.
class Dlg_QT_EditTextCase : public CKvDialog, public Ui::Dlg_QT_EditTextCase
{
    Q_OBJECT
public:
    enum Style { Sentence = 1, Lower = 2, Upper = 3, Title = 4, Toggle = 5 };

    explicit Dlg_QT_EditTextCase(QWidget* parent = nullptr);
    ~Dlg_QT_EditTextCase() override;

    CDialogState* dialogState() const { return m_state.get(); }
    void setSourceText(const QString& text) { m_sourceText = text; }
    QString sourceText() const { return m_sourceText; }
    int styleNumber() const { return m_styleNumber; }
    QString styleName() const { return m_styleName; }

    // The five conversions; they change letters only.
    static QString toSentenceCase(const QString& text);
    static QString toTitleCase(const QString& text);
    static QString toToggleCase(const QString& text);

public slots:
    void UpdatePreview();
    void showHelp();

protected:
    void showEvent(QShowEvent* event) override;

private:
    void fitToTexts();

    QString m_styleName;
    QString m_sourceText;
    int m_styleNumber = Sentence;
    std::unique_ptr<CDialogState> m_state;
};
