#pragma once

#include "exchange/DialogState.h"
#include "ui_DLG_QT_PatternHatch.h"
#include "widgets/KvDialog.h"

#include <memory>

// The pattern hatch dialog: the pattern (a block, an image, a drawing or a plain mask), its
// cell size, spacing, origin and rotation, the boundaries and how the hatch is built. Every
// button that needs the drawing closes the dialog with a keyword; the LISP side does that
// work and calls again with the same state file.
class DLG_QT_PatternHatch : public CKvDialog, public Ui::DLG_QT_PatternHatch
{
    Q_OBJECT
public:
    enum PatternType { BlockPattern, ImagePattern, XrefPattern, MaskPattern };
    struct Size
    {
        double width = 1.0;
        double height = 1.0;
    };

    explicit DLG_QT_PatternHatch(QWidget* parent = nullptr);
    ~DLG_QT_PatternHatch() override;

    CDialogState* dialogState() const { return m_state.get(); }
    // How the next show refills the controls: "NEW", "EDIT" and "EXTRACTENTITY" apply the
    // state lines again, anything else keeps the controls as they are.
    void setMode(const QString& mode) { m_mode = mode; }
    QString mode() const { return m_mode; }
    // The keyword the dialog closed with.
    QString keyword() const { return m_keyword; }
    PatternType patternType() const;

    // The proportions a cell of the chosen pattern keeps: the image's, block's or drawing's
    // own size, equal sides for a mask, and 1 by 1 when the sizes are scale factors.
    static Size referenceSize(PatternType type, const CDialogState::PreviewSizes& sizes, bool scaleFactor);
    // The side that keeps the reference's proportions when the other side becomes `changed`.
    // False (nothing to set) when a side of the reference is not a finite number above 0.
    static bool proportionalSide(double changed, double referenceChanged, double referenceOther, double* other);

public slots:
    void CloseAccept();
    void ClosePreview();
    void CloseReject();
    void selectBlock();
    void selectImage();
    void selectXref();
    void selectEntities();
    void selectPoints();
    void deleteEntities();
    void showEntities();
    void ExtractFromHatch();
    void getEntityFromDwg();
    void selectOrigin();
    void selectRotation();
    void changeTab(bool updateFav = true);
    void Select(const QString& value);
    void Save();
    void Erase();
    void UpdateFav();
    void ReviewDialog();
    void checkAspectWidth();
    void checkAspectHeight();
    void showHelp();
    void Help();

protected:
    void showEvent(QShowEvent* event) override;

private:
    // The checks before "OK" and "PREVIEW"; a failure has been shown to the user.
    bool validate();
    // Writes the state file, then takes the keyword and closes (accepted, for every keyword).
    void closeWith(const QString& keyword);
    // What every pick of a pattern is followed by.
    void afterPick();
    // Keeps the cell's proportions after a change of the control named `source`.
    void keepAspect(const QString& source);
    // Sets the controls from the state lines without the sizes recomputing one another.
    void applyStateLines();
    bool hasPatternName() const;
    QString titleOf(QLabel* label) const;

    QString m_keyword;
    QString m_mode;
    QString m_drawingFolder; // where the drawing picker starts; null until first used
    bool m_inAspect = false;
    std::unique_ptr<CDialogState> m_state;
};
