#pragma once

#include "kernel/KvString.h"

#include <QCoreApplication>
#include <QHash>
#include <QPointer>
#include <QString>
#include <QStringList>
#include <QStringView>

class QAbstractButton;
class QCollator;
class QComboBox;
class QDialog;
class QIODevice;
class QLabel;
class QLineEdit;
class QPushButton;
class QWidget;

// The state every dialog owns: its state lines (name=value, merged from the state file
// the LISP side passes), the file's path, the action text its buttons choose, and the
// services dialogs share (help, folders, favourites, pickers, previews).
class CDialogState
{
    Q_DECLARE_TR_FUNCTIONS(CDialogState)

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
    // The same over any state lines.
    static QString valueOf(const QStringList& stateLines, const QString& name);
    // Merges the text of a state file into state lines: a line replaces the state lines of
    // its key (ignoring case); a line of a new key is appended.
    static void mergeStateText(QStringList& stateLines, QIODevice& device);
    // A key in lower case, one character at a time. (QString::toLower() pairs a lone high
    // surrogate with the character after it: "\uDB00=" comes back as "\uDB00\uDC3D".)
    static QString lowerKey(QStringView key);
    // stateValue() of every key at once, keyed by the lower-cased name.
    QHash<QString, QString> stateValues() const;
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
    // Labels write nothing to state files and favourites, except those marked here: a label
    // that holds a choice the LISP side needs (a file or folder picked in the dialog) is
    // written with its full text, as a line edit is.
    static void setSavesValue(QLabel* label, bool saves = true);
    // Shows a long text elided in the middle, keeping the full text in the "value" property.
    static void showElided(QWidget* labelOrLineEdit, const QString& text);
    // Whether `shown` is the middle-elided form of `full` ("…" or "..." whose two sides
    // begin and end the full text).
    static bool isElidedForm(const QString& shown, const QString& full);

    // --- Common dialog services
    // <LOGFILEPATH>Korvane, read afresh on each call.
    static QString moduleDataFolder();
    QString favouritesFolder() const { return m_favouritesFolder; }
    // Opens the host's help on the topic's id (0 for an unknown topic).
    void showHelp(const QString& topic);
    static int helpTopicId(const QString& topic);

    // --- Favourites (saved sets of control values, kept in the settings store)
    // Fills the combo box with the group's favourites; the dialog's constructor calls it.
    void setupFavourites(const CKvString& group, QComboBox* combo, QAbstractButton* saveButton,
                         QAbstractButton* removeButton);
    // Saves the controls under the name typed in the combo box (asking before replacing).
    void saveFavourite();
    // Sets the controls from the favourite of that name; a null name does nothing.
    void loadFavourite(const QString& name);
    // Runs the favourite removal dialog and takes the names it deleted out of the combo box.
    void removeFavourites();
    CKvString favouritesGroup() const { return m_favouritesGroup; }
    bool favouriteLoading() const { return m_favouriteLoading; }

    // --- Pickers, checks, sorting and previews
    // Asks for a drawing file (*.dwg) and previews it. Empty when cancelled, when the choice
    // is not a drawing, or when it is the active drawing itself and rejectCurrentDrawing is set.
    QString pickDrawing(QString& startFolder, QLabel* preview, QWidget* pathWidget, bool rejectCurrentDrawing);
    // Asks for a folder; null when cancelled. A null title or accept text takes "Select folder".
    QString pickFolder(const QString& startFolder, QLineEdit* target, const QString& title = QString(),
                       const QString& acceptText = QString());
    // A file name the user typed: not empty, none of <>/\":;?*|,=' and, when a file exists at
    // targetPath, the user agrees to replace it.
    bool checkFileName(const QString& name, const QString& title, const QString& targetPath);
    bool checkFolder(const QString& path, const QString& title, bool silent);
    // Note the flag's sense: true shows the messages (checkFolder's flag silences them).
    bool checkFile(const QString& path, const QString& title, bool showMessages);
    // The folder file dialogs start in: remembered, else the first support folder, else the
    // host's user folder.
    QString defaultFolder();
    void setDefaultFolder(const QString& folder) { m_defaultFolder = folder; }
    // Sorts entries by one of their separator-delimited fields, naturally (A2 before A10)
    // and ignoring case. A missing field sorts as empty. Equal fields keep their order.
    static void sortNames(QStringList& names, const QString& separator, int field, bool descending);
    // The collator names are compared with: the default locale, numeric, case ignored.
    static QCollator nameCollator();
    // Previews a drawing file's model space or a block of the active drawing in `preview`; an
    // empty name shows a black picture. pathWidget (a label or line edit) shows the name.
    void previewDrawingOrBlock(const CKvString& pathOrBlockName, QLabel* preview, QWidget* pathWidget);
    // Shows an image file scaled to `preview`, its path in pathLabel.
    void previewImage(const CKvString& path, QLabel* preview, QLabel* pathLabel);

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
    QString m_defaultFolder; // null until first asked for
};
