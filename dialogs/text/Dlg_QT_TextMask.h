#pragma once

#include "ui_Dlg_QT_TextMask.h"
#include "widgets/KvDialog.h"

#include <memory>

class CDialogState;
class CKvDatabase;
class CKvDocument;
class CKvQtColorComboBox;

// Options of the text mask tool: the mask's offset around the text, the kind of entity
// that masks and a solid's colour. While it exists the dialog also holds one setting of
// the drawing it was made in: zeroed while "Mask" is chosen, restored otherwise and on
// destruction.
class Dlg_QT_TextMask : public CKvDialog, public Ui::Dlg_QT_TextMask
{
    Q_OBJECT
public:
    explicit Dlg_QT_TextMask(QWidget* parent = nullptr);
    ~Dlg_QT_TextMask() override;

    CDialogState* dialogState() const { return m_state.get(); }
    // The background colour of a solid (object name "color").
    CKvQtColorComboBox* color = nullptr;

    // The drawing setting the dialog holds: whether the drawing had it when the dialog was
    // made, and its value then.
    static QString settingName();
    bool hasSetting() const { return m_hasSetting; }
    short savedSetting() const { return m_savedSetting; }
    // The drawing that value belongs to, while it is open (null otherwise).
    CKvDocument* settingDocument() const;

public slots:
    void updateDialog();
    void showHelp();
    // OK: accepts only an offset that is a number not below 0.
    void checkValues();

protected:
    void showEvent(QShowEvent* event) override;

private:
    void writeSetting(short value) const;

    bool m_hasSetting = false;
    short m_savedSetting = 0;
    CKvDocument* m_document = nullptr;
    CKvDatabase* m_database = nullptr;
    std::unique_ptr<CDialogState> m_state;
};
