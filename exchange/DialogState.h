#pragma once

#include "kernel/KvString.h"

#include <QHash>
#include <QPointer>
#include <QString>
#include <QStringList>

class QComboBox;
class QDialog;
class QPushButton;
class QAbstractButton;
class QWidget;

// The state every dialog owns: its state lines (name=value, merged from the state file
// the LISP side passes), the file's path, the action text its buttons choose, and the
// services dialogs share (help, folders, favourites, pickers, previews).
class CDialogState
{
public:
    explicit CDialogState(QDialog* owner);
    ~CDialogState();
    CDialogState(const CDialogState&) = delete;
    CDialogState& operator=(const CDialogState&) = delete;

    QDialog* owner() const { return m_owner; }

    // --- Exchange with the state file
    // Merges the file's lines into the state lines (a line replaces the state lines of its
    // key; lines of new keys are appended). An empty path reads nothing.
    void loadStateFile(const CKvString& path);
    // Sets the owner's controls from the state lines ("*": all controls).
    void applyState(const QString& which = QStringLiteral("*"));
    // The value of the first state line whose key is name (ignoring case); empty if none.
    QString stateValue(const QString& name) const;
    // Replaces the value of the state lines keyed exactly name (case-sensitive).
    void setStateValue(const QString& name, const QString& value);
    void setAction(const QString& text) { m_action = text; }
    QString action() const { return m_action; }
    // Writes the controls (and the action) to the state file, or, with a group, the
    // controls as a favourite. False when the file could not be written; the old file
    // then stays as it was.
    bool saveStateFile(const CKvString& group = CKvString(), const CKvString& favourite = CKvString());
    // The full text behind a possibly elided label or line edit text.
    QString storedFullText(QWidget* widget, const CKvString& text);

    bool applied() const { return m_applied; }
    QStringList stateLines() const { return m_lines; }
    void setStateLines(const QStringList& lines) { m_lines = lines; }
    CKvString stateFilePath() const { return m_path; }

    // The value a control writes to state files and favourites (empty: nothing written).
    static QString encodedValue(QWidget* widget, QString* indexLine = nullptr);
    // Shows a long text elided in the middle, keeping the full text in the "value" property.
    static void showElided(QWidget* labelOrLineEdit, const QString& text);

    // --- Common dialog services
    // <LOGFILEPATH>Korvane, read afresh on each call.
    static QString moduleDataFolder();
    QString favouritesFolder() const { return m_favouritesFolder; }
    // Opens the host's help on the topic's id (0 for an unknown topic).
    void showHelp(const QString& topic);
    static int helpTopicId(const QString& topic);

    // Sizes the preview operations measured (extents and image sizes).
    struct PreviewSizes
    {
        double modelWidth = 1.0, modelHeight = 1.0;
        double blockWidth = 1.0, blockHeight = 1.0;
        double imageWidth = 1.0, imageHeight = 1.0;
    };
    PreviewSizes previewSizes;

private:
    void applyValue(QWidget* widget, const QString& value);

    bool m_applied = false;
    bool m_favouriteLoading = false;
    QDialog* m_owner;
    QStringList m_lines;
    CKvString m_path;
    QString m_favouritesFolder;
    CKvString m_favouritesGroup;
    QPointer<QComboBox> m_favouritesCombo;
    QPointer<QAbstractButton> m_saveFavouriteButton;
    QPointer<QAbstractButton> m_removeFavouriteButton;
    QString m_action;
};
