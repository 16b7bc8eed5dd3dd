#include "dialogs/drawing/DLG_QT_PatternHatch.h"

#include "dialogs/blocks/DLG_QT_SelectBlock.h"
#include "exchange/BlockNames.h"
#include "exchange/DialogCommon.h"
#include "exchange/DialogFunction.h"
#include "kernel/KvDocument.h"
#include "module/HostServices.h"
#include "module/LispHandlers.h"

#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>
#include <QPointer>
#include <QShowEvent>
#include <cmath>

namespace {
// The block picker while it runs; there is never more than one.
QPointer<DLG_QT_SelectBlock> s_blockPicker;

bool finitePositive(double v)
{
    return std::isfinite(v) && v > 0.0;
}
} // namespace

DLG_QT_PatternHatch::DLG_QT_PatternHatch(QWidget* parent)
    : CKvDialog(parent, true, kvDialogFlags), m_keyword(), m_mode(), m_drawingFolder()
{
    setupUi(this);
    setAttribute(Qt::WA_QuitOnClose, false);
    m_state = std::make_unique<CDialogState>(this);
    m_state->setupFavourites(QStringLiteral("PatternHatch"), Cb_Favorits, Btn_SaveFav, Btn_Erase);
    Btn_Erase->setEnabled(Cb_Favorits->count() > 0);

    Rotation->setUnitType(CKvQtUnitSpinBox::Direction);
    // The angle is held in radians: four decimals of a radian would turn 45 degrees into
    // 45.0002 on the way back to the state file.
    Rotation->setDecimals(12);
    Rotation->set(0.0);
    // The chosen pattern's name or path is the LISP side's to read: the state file keeps it.
    for (QLabel* title : {LbTitleblock, LbTitleimage, LbTitleXref})
        CDialogState::setSavesValue(title);

    connect(acceptButton, &QPushButton::clicked, this, &DLG_QT_PatternHatch::CloseAccept);
    connect(Btn_Preview, &QPushButton::clicked, this, &DLG_QT_PatternHatch::ClosePreview);
    connect(ButtonCancel, &QPushButton::clicked, this, &DLG_QT_PatternHatch::CloseReject);
    connect(buttonHelp, &QPushButton::clicked, this, &DLG_QT_PatternHatch::Help);
    connect(Bt_selectBlock, &QToolButton::clicked, this, &DLG_QT_PatternHatch::selectBlock);
    connect(Bt_selectImage, &QToolButton::clicked, this, &DLG_QT_PatternHatch::selectImage);
    connect(Bt_selectBlock_2, &QToolButton::clicked, this, &DLG_QT_PatternHatch::selectXref);
    connect(Btn_SelectEntities, &QToolButton::clicked, this, &DLG_QT_PatternHatch::selectEntities);
    connect(Btn_SelectPoints, &QToolButton::clicked, this, &DLG_QT_PatternHatch::selectPoints);
    connect(Btn_DeleteEntities, &QToolButton::clicked, this, &DLG_QT_PatternHatch::deleteEntities);
    connect(Btn_ShowBoundaries, &QToolButton::clicked, this, &DLG_QT_PatternHatch::showEntities);
    connect(Btn_ExtractHatch, &QToolButton::clicked, this, &DLG_QT_PatternHatch::ExtractFromHatch);
    connect(Btn_ExtractFromEntity, &QPushButton::clicked, this, &DLG_QT_PatternHatch::getEntityFromDwg);
    connect(selOrigin, &QToolButton::clicked, this, &DLG_QT_PatternHatch::selectOrigin);
    connect(selRotation, &QToolButton::clicked, this, &DLG_QT_PatternHatch::selectRotation);
    for (QRadioButton* type : {pattern_block, pattern_image, pattern_xref, pattern_mask})
        connect(type, &QRadioButton::clicked, this, [this] { changeTab(); });
    // Only a favourite the user picks is loaded, not every text typed to name a new one.
    connect(Cb_Favorits, qOverload<int>(&QComboBox::activated), this,
            [this](int index) { Select(Cb_Favorits->itemText(index)); });
    connect(Btn_SaveFav, &QToolButton::clicked, this, &DLG_QT_PatternHatch::Save);
    connect(Btn_Erase, &QToolButton::clicked, this, &DLG_QT_PatternHatch::Erase);
    for (QRadioButton* type : {TypeObjectBlock, TypeObjectGroup})
        connect(type, &QRadioButton::clicked, this, &DLG_QT_PatternHatch::UpdateFav);
    connect(trimtolimits, &QCheckBox::clicked, this, &DLG_QT_PatternHatch::UpdateFav);
    connect(notexceedlimits, &QCheckBox::clicked, this, &DLG_QT_PatternHatch::ReviewDialog);
    connect(Width, qOverload<double>(&QDoubleSpinBox::valueChanged), this, &DLG_QT_PatternHatch::checkAspectWidth);
    connect(Height, qOverload<double>(&QDoubleSpinBox::valueChanged), this, &DLG_QT_PatternHatch::checkAspectHeight);
    connect(ScaleFactor, &QCheckBox::clicked, this, &DLG_QT_PatternHatch::checkAspectWidth);
    connect(aspectRatio, &QCheckBox::clicked, this, &DLG_QT_PatternHatch::checkAspectWidth);
}

DLG_QT_PatternHatch::~DLG_QT_PatternHatch() = default;

DLG_QT_PatternHatch::PatternType DLG_QT_PatternHatch::patternType() const
{
    if (pattern_image->isChecked())
        return ImagePattern;
    if (pattern_xref->isChecked())
        return XrefPattern;
    if (pattern_mask->isChecked())
        return MaskPattern;
    return BlockPattern;
}

void DLG_QT_PatternHatch::showEvent(QShowEvent* event)
{
    CKvDialog::showEvent(event);
    // A window restored by the window system keeps what the user has done in it.
    if (event->spontaneous())
        return;
    static const char* const reapplying[] = {"NEW", "EDIT", "EXTRACTENTITY"};
    bool reapply = false;
    for (const char* mode : reapplying)
        reapply = reapply || m_mode == QLatin1String(mode);
    if (!m_state->applied() || reapply)
        applyStateLines();

    const bool hasBlocks = !kvOfferedBlockNames().isEmpty();
    pattern_block->setEnabled(hasBlocks);
    Bt_selectBlock->setEnabled(hasBlocks);
    if (!hasBlocks) {
        CDialogState::showElided(LbTitleblock, QString());
        LbTitleblock->setToolTip(QString());
        if (pattern_block->isChecked())
            pattern_image->setChecked(true);
    }

    if (CKvDocument* document = HostServices::activeDocument()) {
        for (CKvQtUnitSpinBox* box : {Width, OffsetX, Height, OffsetY, positionX, positionY, Rotation, tolerance})
            box->setDatabase(document->GetKvDatabase());
        if (Rotation->text().isEmpty())
            Rotation->set(0.0);
    }

    Cb_Favorits->setCurrentText(QString());
    changeTab(true);
    keepAspect(QStringLiteral("width"));
}

void DLG_QT_PatternHatch::applyStateLines()
{
    // Setting Width and Height one after the other would recompute each from the other
    // with whatever proportions the last preview left: the values are taken as they stand,
    // and the lock is applied once the pattern is shown again.
    const bool inAspect = m_inAspect;
    m_inAspect = true;
    m_state->applyState(QStringLiteral("*"));
    m_inAspect = inAspect;
}

QString DLG_QT_PatternHatch::titleOf(QLabel* label) const
{
    return m_state->storedFullText(label, label->text());
}

bool DLG_QT_PatternHatch::hasPatternName() const
{
    switch (patternType()) {
    case BlockPattern:
        return !LbTitleblock->text().isEmpty();
    case ImagePattern:
        return !LbTitleimage->text().isEmpty();
    case XrefPattern:
        return !LbTitleXref->text().isEmpty();
    case MaskPattern:
        break;
    }
    return true;
}

void DLG_QT_PatternHatch::changeTab(bool updateFav)
{
    m_state->previewDrawingOrBlock(CKvString(), PreviewBlock, nullptr);
    const PatternType type = patternType();
    // The page first: only the page shown is laid out, and the name is shortened to fit
    // the width its label has there.
    Types->setCurrentIndex(int(type));
    switch (type) {
    case BlockPattern:
        m_state->previewDrawingOrBlock(titleOf(LbTitleblock), PreviewBlock, LbTitleblock);
        break;
    case ImagePattern:
        m_state->previewImage(titleOf(LbTitleimage), PreviewBlock, LbTitleimage);
        break;
    case XrefPattern:
        m_state->previewDrawingOrBlock(titleOf(LbTitleXref), PreviewBlock, LbTitleXref);
        break;
    case MaskPattern:
        TypeObjectBlock->setChecked(true);
        break;
    }
    const bool masked = type == MaskPattern;
    groupPosition->setEnabled(!masked);
    groupPattern->setEnabled(!masked);
    groupBox_3->setEnabled(!masked);
    if (updateFav)
        UpdateFav();
    ReviewDialog();
}

void DLG_QT_PatternHatch::ReviewDialog()
{
    const QString entities = m_state->stateValue(QStringLiteral("QtEntities"));
    if (entities.isEmpty() || entities == QLatin1String("0")) {
        for (QWidget* w : std::initializer_list<QWidget*>{acceptButton, Btn_Preview, Btn_DeleteEntities, Btn_ShowBoundaries})
            w->setEnabled(false);
        ButtonCancel->setFocus();
    } else {
        Btn_DeleteEntities->setEnabled(true);
        Btn_ShowBoundaries->setEnabled(true);
        const bool named = hasPatternName();
        acceptButton->setEnabled(named);
        Btn_Preview->setEnabled(named);
        (named ? static_cast<QWidget*>(acceptButton) : ButtonCancel)->setFocus();
    }
    trimtolimits->setEnabled(notexceedlimits->isChecked());
}

DLG_QT_PatternHatch::Size DLG_QT_PatternHatch::referenceSize(PatternType type, const CDialogState::PreviewSizes& sizes,
                                                             bool scaleFactor)
{
    if (scaleFactor)
        return Size{};
    switch (type) {
    case ImagePattern:
        return Size{sizes.imageWidth, sizes.imageHeight};
    case BlockPattern:
        return Size{sizes.blockWidth, sizes.blockHeight};
    case XrefPattern:
        return Size{sizes.modelWidth, sizes.modelHeight};
    case MaskPattern:
        break;
    }
    return Size{};
}

bool DLG_QT_PatternHatch::proportionalSide(double changed, double referenceChanged, double referenceOther, double* other)
{
    // A drawing with nothing in it measures 0 by 0, an empty extent -1e20: such a reference
    // has no proportions to keep, and dividing by it would put inf or NaN into the sizes.
    if (!finitePositive(referenceChanged) || !finitePositive(referenceOther) || !std::isfinite(changed))
        return false;
    const double side = changed * (referenceOther / referenceChanged);
    if (!std::isfinite(side))
        return false;
    *other = side;
    return true;
}

void DLG_QT_PatternHatch::keepAspect(const QString& source)
{
    if (m_inAspect)
        return;
    m_inAspect = true;
    const PatternType type = patternType();
    if (aspectRatio->isChecked() || type == ImagePattern) {
        const Size reference = referenceSize(type, m_state->previewSizes, ScaleFactor->isChecked());
        double side = 0.0;
        if (source == QLatin1String("width")) {
            if (proportionalSide(Width->value(), reference.width, reference.height, &side))
                Height->setValue(side);
        } else if (source == QLatin1String("height")) {
            if (proportionalSide(Height->value(), reference.height, reference.width, &side))
                Width->setValue(side);
        }
    }
    m_inAspect = false;
    UpdateFav();
}

void DLG_QT_PatternHatch::checkAspectWidth()
{
    keepAspect(sender() ? sender()->objectName().toLower() : QString());
}

void DLG_QT_PatternHatch::checkAspectHeight()
{
    keepAspect(sender() ? sender()->objectName().toLower() : QString());
}

// --- Favourites

void DLG_QT_PatternHatch::Save()
{
    m_state->saveFavourite();
}

void DLG_QT_PatternHatch::Erase()
{
    m_state->removeFavourites();
}

void DLG_QT_PatternHatch::UpdateFav()
{
    // The controls no longer show the favourite that was loaded.
    Cb_Favorits->setCurrentText(QString());
    Btn_Erase->setEnabled(Cb_Favorits->count() > 0);
}

void DLG_QT_PatternHatch::Select(const QString& value)
{
    if (m_state->favouriteLoading() || value.isNull())
        return;
    // A favourite holds settings, not boundaries: the count the LISP side reported stays.
    const QString entities = m_state->stateValue(QStringLiteral("QtEntities"));
    const bool inAspect = m_inAspect;
    m_inAspect = true;
    m_state->loadFavourite(value);
    m_inAspect = inAspect;
    if (!entities.isEmpty())
        m_state->setStateLines(m_state->stateLines() << QStringLiteral("QtEntities=") + entities);
    changeTab(false);
}

// --- Closing with a keyword

bool DLG_QT_PatternHatch::validate()
{
    auto refuse = [this](const QString& message) {
        QMessageBox::information(this, QString(), message, QMessageBox::Ok);
        return false;
    };
    if (!hasPatternName())
        return refuse(tr("Specify Pattern"));
    if (!(Width->value() > 0.0) || !(Height->value() > 0.0))
        return refuse(tr("Scale must be higher than zero."));
    if (tolerance->value() < 0.01) {
        refuse(tr("The tolerance value is less than minimum. The value is reset to minimum (0.01)."));
        tolerance->setValue(0.01);
        return false;
    }
    return true;
}

void DLG_QT_PatternHatch::closeWith(const QString& keyword)
{
    m_state->saveStateFile();
    m_keyword = keyword;
    accept();
}

void DLG_QT_PatternHatch::CloseAccept()
{
    if (validate())
        closeWith(QStringLiteral("OK"));
}

void DLG_QT_PatternHatch::ClosePreview()
{
    if (validate())
        closeWith(QStringLiteral("PREVIEW"));
}

void DLG_QT_PatternHatch::CloseReject()
{
    // Accepted too: the LISP side tells the cases apart by the keyword. Nothing is written.
    m_keyword = QStringLiteral("CANCEL");
    accept();
}

void DLG_QT_PatternHatch::selectEntities()
{
    closeWith(QStringLiteral("GET_ENTITIES"));
}

void DLG_QT_PatternHatch::selectPoints()
{
    closeWith(QStringLiteral("GET_POINTS"));
}

void DLG_QT_PatternHatch::deleteEntities()
{
    closeWith(QStringLiteral("DELETE"));
}

void DLG_QT_PatternHatch::showEntities()
{
    closeWith(QStringLiteral("SHOW"));
}

void DLG_QT_PatternHatch::ExtractFromHatch()
{
    closeWith(QStringLiteral("GET_FROMHATCH"));
}

void DLG_QT_PatternHatch::getEntityFromDwg()
{
    closeWith(QStringLiteral("GET_ENTITY"));
}

void DLG_QT_PatternHatch::selectOrigin()
{
    closeWith(QStringLiteral("GET_ORIGIN"));
}

void DLG_QT_PatternHatch::selectRotation()
{
    closeWith(QStringLiteral("GET_ROTATION"));
}

// --- Choosing the pattern

void DLG_QT_PatternHatch::selectBlock()
{
    hide();
    if (!s_blockPicker)
        s_blockPicker = new DLG_QT_SelectBlock(this);
    const QPointer<DLG_QT_SelectBlock> picker = s_blockPicker;
    const QPointer<DLG_QT_PatternHatch> self(this);
    const bool accepted = picker->exec() == 1;
    // The dialog goes with its document, the picker with the dialog: should the document
    // close while the picker runs, nothing of either may be touched.
    if (!self)
        return;
    const QString name = accepted && picker ? picker->blockName() : QString();
    if (!name.isEmpty())
        m_state->previewDrawingOrBlock(name, PreviewBlock, LbTitleblock);
    delete picker.data();
    s_blockPicker = nullptr;
    afterPick();
    closeWith(QStringLiteral("GET_BLOCK=") + name);
}

void DLG_QT_PatternHatch::selectImage()
{
    const QPointer<DLG_QT_PatternHatch> self(this);
    const QString path = QFileDialog::getOpenFileName(
        this, tr("Select image for pattern"), QString(),
        tr("All supported Image file (*.bmp *.gif *.jpg *.jpeg *.png *.tif *.tiff);;") + tr("Windows Bitmap (*.bmp);;")
            + tr("Graphics Interchange Format (*.gif);;") + tr("JPEG File Interchange Format (*.jpg *.jpeg);;")
            + tr("Portable Netkword Graphics (*.png);;") + tr("Tagged Image File Format (*.tif *.tiff)"));
    if (!self)
        return;
    if (!path.isEmpty())
        m_state->previewImage(path, PreviewBlock, LbTitleimage);
    afterPick();
    closeWith(QStringLiteral("GET_IMAGE=") + path);
}

void DLG_QT_PatternHatch::selectXref()
{
    const QPointer<DLG_QT_PatternHatch> self(this);
    // A drawing that refers to itself would be a circular reference.
    const QString path = m_state->pickDrawing(m_drawingFolder, PreviewBlock, LbTitleXref, true);
    if (!self)
        return;
    if (!path.isEmpty())
        m_drawingFolder = QFileInfo(path).absolutePath();
    afterPick();
}

void DLG_QT_PatternHatch::afterPick()
{
    // The cell takes the proportions of what was picked, which also means the favourite
    // shown no longer applies; OK follows whether there is a name now.
    keepAspect(QStringLiteral("width"));
    ReviewDialog();
}

// --- Help

void DLG_QT_PatternHatch::showHelp()
{
    m_state->showHelp(QStringLiteral("patternhatch"));
}

void DLG_QT_PatternHatch::Help()
{
    showHelp();
}

int kvlisp::Dlg_PatternHatch()
{
    DialogCallOptions options;
    options.customBlockCheck = true;
    // The buttons write the state file before they close, "CANCEL" writes nothing.
    options.dialogSaves = true;
    return runDialogFunction<DLG_QT_PatternHatch>(
        DialogSlot::PatternHatch,
        [](DLG_QT_PatternHatch& dialog, LispArgs& args) {
            CKvString mode;
            dialog.setMode(args.nextString(mode) == LispArgs::Ok ? QString(mode) : QString());
        },
        [](DLG_QT_PatternHatch& dialog, bool accepted, CKvLispContext* context) {
            if (accepted)
                context->ReturnString(dialog.keyword());
            else
                context->ReturnNil();
        },
        options);
}
