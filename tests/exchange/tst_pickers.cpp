// The shared pickers, checks, sorting and previews of CDialogState.
#include "DrawingTesting.h"
#include "ModalDriver.h"
#include "PlatformFixture.h"
#include "TestEnvironment.h"
#include "TestFiles.h"

#include "bench/ReferenceSortNames.h"
#include "drawing/KvDatabase.h"
#include "drawing/KvDrawingPainter.h"
#include "exchange/DialogState.h"
#include "kernel/KvDocument.h"
#include "kernel/KvSystemServices.h"

#include <QApplication>
#include <QDialog>
#include <QDir>
#include <QFileDialog>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPicture>
#include <QPushButton>
#include <QTemporaryDir>

namespace {
const QString Examples = QStringLiteral(KV_SOURCE_DIR "/examples/drawings/");

// Expects one message box with this text and answers it; no text expects none.
void expectBox(ModalDriver& driver, const QString& text, const QString& button = "OK")
{
    if (!text.isEmpty())
        driver.expect("QMessageBox").expectText(text).click(button);
}

// What a label's picture (or the pixmap a preview gives it) shows, painted over `fill`.
QImage pictureOf(const QLabel* label, const QColor& fill = Qt::white)
{
    const QPixmap pixmap = label->pixmap(Qt::ReturnByValue);
    if (!pixmap.isNull())
        return pixmap.toImage().convertToFormat(QImage::Format_RGB32);
    const QPicture picture = label->picture(Qt::ReturnByValue);
    if (picture.isNull())
        return QImage();
    const QRect box = picture.boundingRect();
    QImage image(box.size(), QImage::Format_RGB32);
    image.fill(fill);
    QPainter painter(&image);
    painter.drawPicture(-box.topLeft(), picture);
    return image;
}

// A label with a picture of its own, so that a test sees whether a preview replaced it.
QPicture sentinelPicture()
{
    QPicture picture;
    QPainter painter(&picture);
    painter.fillRect(QRect(0, 0, 7, 3), Qt::red);
    return picture;
}

void copyFile(const QString& from, const QString& to)
{
    QFile::remove(to);
    QVERIFY2(QFile::copy(from, to), qPrintable(to));
}

QString fieldOf(const QString& entry, const QString& separator, int field)
{
    return entry.split(separator).value(field);
}
} // namespace

class TestPickers : public QObject
{
    Q_OBJECT
    std::unique_ptr<PlatformFixture> m_host;
    std::unique_ptr<QDialog> m_owner;
    std::unique_ptr<CDialogState> m_state;
    QString m_startFolder;

    CKvDocument* document() const { return m_host->document(0); }

    // The active drawing holds the blocks of examples/drawings/blocks.dxf.
    void loadBlocksIntoActiveDrawing()
    {
        auto database = std::make_unique<CKvDatabase>();
        QVERIFY(database->LoadFile(Examples + "blocks.dxf"));
        document()->SetDatabase(std::move(database));
    }

private slots:
    void initTestCase() { m_startFolder = QDir::currentPath(); }

    void init()
    {
        m_host = std::make_unique<PlatformFixture>(1);
        m_owner = std::make_unique<QDialog>();
        m_owner->resize(600, 400);
        m_state = std::make_unique<CDialogState>(m_owner.get());
    }

    void cleanup()
    {
        QDir::setCurrent(m_startFolder);
        m_state.reset();
        m_owner.reset();
        m_host.reset();
    }

    void checkFileName_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<bool>("targetExists");
        QTest::addColumn<QString>("answer");
        QTest::addColumn<QString>("message");
        QTest::addColumn<bool>("result");
        const QString invalid = QStringLiteral("The following characters are not valid in File names: <>/\\\":;?*|,='");
        const QString forbidden = QStringLiteral("<>/\\\":;?*|,='");
        for (const QChar c : forbidden)
            QTest::addRow("holds %s", qPrintable(QString(c))) << QStringLiteral("A%1B").arg(c) << false << "OK" << invalid << false;
        QTest::newRow("empty") << "" << false << "OK" << "Filename can`t be empty" << false;
        QTest::newRow("inner blank") << "A B" << false << "" << "" << true;
        QTest::newRow("target missing") << "Break" << false << "" << "" << true;
        QTest::newRow("target exists, Yes") << "Break" << true << "Yes" << "Drawing symbol \"%1\" already exists. Do you want to replace it?" << true;
        QTest::newRow("target exists, No") << "Break" << true << "No" << "Drawing symbol \"%1\" already exists. Do you want to replace it?" << false;
        QTest::newRow("bad name, target exists") << "A;B" << true << "OK" << invalid << false;
    }

    void checkFileName()
    {
        QFETCH(QString, name);
        QFETCH(bool, targetExists);
        QFETCH(QString, answer);
        QFETCH(QString, message);
        QFETCH(bool, result);
        const QString target = m_host->path(name + ".dwg");
        if (targetExists)
            QVERIFY(writeBytes(target, ""));
        ModalDriver driver;
        expectBox(driver, message.contains("%1") ? message.arg(target) : message, answer);
        driver.start();
        QCOMPARE(m_state->checkFileName(name, "Break Line", targetExists ? target : QString()), result);
        KV_VERIFY_MODALS(driver);
    }

    void checkFolderAndFile_data()
    {
        QTest::addColumn<QString>("check");
        QTest::addColumn<QString>("path");
        QTest::addColumn<bool>("flag");
        QTest::addColumn<bool>("result");
        QTest::addColumn<QString>("message");
        // checkFolder's flag silences it; checkFile's flag makes it speak.
        QTest::newRow("folder empty, silent") << "folder" << "" << true << false << "";
        QTest::newRow("folder empty") << "folder" << "" << false << false << "Path can`t be empty";
        QTest::newRow("folder missing") << "folder" << "missing" << false << false << "Cannot find the specified Path.";
        QTest::newRow("folder is a file") << "folder" << "file.txt" << false << false << "Cannot find the specified Path.";
        QTest::newRow("folder exists") << "folder" << "sub" << false << true << "";
        QTest::newRow("file empty, quiet") << "file" << "" << false << false << "";
        QTest::newRow("file empty") << "file" << "" << true << false << "Filename can`t be empty";
        QTest::newRow("file missing") << "file" << "missing.txt" << true << false << "Cannot find the specified file.";
        QTest::newRow("file is a folder") << "file" << "sub" << true << false << "Cannot find the specified file.";
        QTest::newRow("file exists") << "file" << "file.txt" << true << true << "";
    }

    void checkFolderAndFile()
    {
        QFETCH(QString, check);
        QFETCH(QString, path);
        QFETCH(bool, flag);
        QFETCH(bool, result);
        QFETCH(QString, message);
        QDir(m_host->folder()).mkpath("sub");
        QVERIFY(writeBytes(m_host->path("file.txt"), ""));
        const QString full = path.isEmpty() ? QString() : m_host->path(path);
        ModalDriver driver;
        expectBox(driver, message);
        driver.start();
        const bool actual = check == "folder" ? m_state->checkFolder(full, "Paths", flag)
                                              : m_state->checkFile(full, "Paths", flag);
        QCOMPARE(actual, result);
        KV_VERIFY_MODALS(driver);
    }

    // The first support folder, or the user folder when there is none; remembered once found.
    void defaultFolder()
    {
        CKvAppSettings* settings = m_host->services()->GetSettings();
        settings->SetSupportFolders({});
        QCOMPARE(m_state->defaultFolder(), m_host->userFolder());
        settings->SetSupportFolders({m_host->supportFolder()});
        QCOMPARE(m_state->defaultFolder(), m_host->userFolder());
        CDialogState other(m_owner.get());
        QCOMPARE(other.defaultFolder(), m_host->supportFolder());
    }

    void sortNames_data()
    {
        QTest::addColumn<QStringList>("names");
        QTest::addColumn<QString>("separator");
        QTest::addColumn<int>("field");
        QTest::addColumn<bool>("descending");
        QTest::addColumn<QStringList>("expected");
        QTest::newRow("case ignored, numbers compared") << QStringList{"B10", "b2", "A1"} << ";" << 0 << false
                                                        << QStringList{"A1", "b2", "B10"};
        QTest::newRow("descending") << QStringList{"b2", "A1", "B10"} << ";" << 0 << true << QStringList{"B10", "b2", "A1"};
        QTest::newRow("second field numeric") << QStringList{"x;10", "y;9"} << ";" << 1 << false
                                              << QStringList{"y;9", "x;10"};
        QTest::newRow("missing field sorts as empty") << QStringList{"a;2", "b", "c;1"} << ";" << 1 << false
                                                      << QStringList{"b", "c;1", "a;2"};
        QTest::newRow("empty parts are fields") << QStringList{"a;;2", "b;;10", "c;;1"} << ";" << 2 << false
                                                << QStringList{"c;;1", "a;;2", "b;;10"};
        QTest::newRow("separator is case-sensitive") << QStringList{"1x2", "2X1"} << "x" << 1 << false
                                                     << QStringList{"2X1", "1x2"};
    }

    void sortNames()
    {
        QFETCH(QStringList, names);
        QFETCH(QString, separator);
        QFETCH(int, field);
        QFETCH(bool, descending);
        QFETCH(QStringList, expected);
        CDialogState::sortNames(names, separator, field, descending);
        QCOMPARE(names, expected);
    }

    // The keyed sort gives the order of the split-and-collate sort; entries may trade places
    // only where their fields compare equal.
    void sortNamesMatchesReference_data()
    {
        QTest::addColumn<QStringList>("names");
        QTest::addColumn<QString>("separator");
        QTest::addColumn<int>("field");
        QTest::addColumn<bool>("descending");
        const QStringList blocks = sampleBlockEntries(3000, 11);
        QTest::newRow("names ascending") << blocks << ";" << 0 << false;
        QTest::newRow("counts") << blocks << ";" << 1 << false;
        QTest::newRow("layers descending") << blocks << ";" << 2 << true;
        QTest::newRow("field past the end") << blocks << ";" << 5 << false;
        QTest::newRow("empty separator") << sampleBlockEntries(500, 5) << "" << 2 << false;
        QTest::newRow("awkward texts") << QStringList{"", ";", "a;", ";a", "ä;1", "A;01", "a;1", "Ä;1", "z;-1",
                                                      "z;+1", "Z;1.5", "z;1,5", " z;0", "é", "E", "e ", "10", "9",
                                                      "09", "1e3", "½", "Ω", "ω", "😀", "a\tb", "ß", "ss"}
                                       << ";" << 0 << false;
    }

    void sortNamesMatchesReference()
    {
        QFETCH(QStringList, names);
        QFETCH(QString, separator);
        QFETCH(int, field);
        QFETCH(bool, descending);
        const QCollator collator = CDialogState::nameCollator();
        QStringList keyed = names;
        CDialogState::sortNames(keyed, separator, field, descending);
        QStringList reference = names;
        referenceSortNames(reference, separator, field, descending, collator);
        QCOMPARE(keyed.size(), names.size());
        for (int i = 0; i < keyed.size(); ++i) {
            const QString a = fieldOf(keyed.at(i), separator, field);
            const QString b = fieldOf(reference.at(i), separator, field);
            QVERIFY2(collator.compare(a, b) == 0,
                     qPrintable(QStringLiteral("at %1: %2 against %3").arg(i).arg(keyed.at(i), reference.at(i))));
        }
        QStringList a = keyed, b = names;
        a.sort();
        b.sort();
        QCOMPARE(a, b);
    }

    void emptyNamePreviewsBlack_data()
    {
        QTest::addColumn<QString>("before");
        QTest::newRow("over a text") << "text";
        QTest::newRow("over a drawing") << "drawing";
    }

    void emptyNamePreviewsBlack()
    {
        QFETCH(QString, before);
        QLabel preview(m_owner.get());
        preview.resize(200, 100);
        if (before == "text")
            preview.setText("Preview");
        else
            m_state->previewDrawingOrBlock(Examples + "breakline.dxf", &preview, nullptr);
        m_state->previewDrawingOrBlock(QString(), &preview, nullptr);
        const QImage image = pictureOf(&preview);
        QCOMPARE(image.size(), QSize(500, 500));
        QCOMPARE(drawnBox(image, QColor(Qt::black).rgb()), QRect());
        QVERIFY(preview.text().isEmpty());
    }

    // A real drawing: its model space drawn at the preview's size, fitted to its extents.
    void previewOfADrawingFile()
    {
        QLabel preview(m_owner.get());
        preview.resize(400, 200);
        m_state->previewDrawingOrBlock(Examples + "breakline.dxf", &preview, nullptr);
        QCOMPARE(m_state->previewSizes.modelWidth, 4.0);
        QCOMPARE(m_state->previewSizes.modelHeight, 1.0);
        const QImage image = pictureOf(&preview);
        QCOMPARE(image.size(), QSize(400, 200));
        const QRect drawn = drawnBox(image, KvDrawingPainter::defaultBackground().rgb());
        QVERIFY2(drawn.width() > 300, qPrintable(QString::number(drawn.width())));
        // The symbol is four times as wide as it is high; lines one pixel wide add a little.
        const double ratio = double(drawn.width()) / drawn.height();
        QVERIFY2(ratio > 3.6 && ratio < 4.4, qPrintable(QString::number(ratio)));
    }

    // A caption shows the name shortened and keeps it whole; shortened text previews the whole.
    void captionKeepsTheFullName_data()
    {
        QTest::addColumn<bool>("lineEdit");
        QTest::newRow("label") << false;
        QTest::newRow("line edit") << true;
    }

    void captionKeepsTheFullName()
    {
        QFETCH(bool, lineEdit);
        QTemporaryDir dir(m_host->path("a very long folder name that cannot fit in a small caption-XXXXXX"));
        const QString path = dir.filePath("breakline_symbol.dwg");
        copyFile(Examples + "breakline_symbol.dwg", path);
        std::unique_ptr<QWidget> caption;
        if (lineEdit)
            caption = std::make_unique<QLineEdit>(m_owner.get());
        else
            caption = std::make_unique<QLabel>(m_owner.get());
        caption->resize(160, 24);
        QLabel preview(m_owner.get());
        preview.resize(100, 50);
        auto shown = [&] {
            return lineEdit ? static_cast<QLineEdit*>(caption.get())->text() : static_cast<QLabel*>(caption.get())->text();
        };

        m_state->previewDrawingOrBlock(path, &preview, caption.get());
        const QString shortened = shown();
        QVERIFY2(shortened != path && (shortened.contains(QChar(0x2026)) || shortened.contains("...")), qPrintable(shortened));
        QVERIFY(QFontMetrics(caption->font()).horizontalAdvance(shortened) <= caption->width());
        QCOMPARE(caption->toolTip(), path);
        QCOMPARE(caption->property("value").toString(), path);
        QCOMPARE(m_state->storedFullText(caption.get(), shortened), path);

        // Previewing what the caption shows previews the drawing behind it.
        preview.setPicture(sentinelPicture());
        m_state->previewSizes.modelWidth = 0;
        m_state->previewDrawingOrBlock(shortened, &preview, caption.get());
        QCOMPARE(m_state->previewSizes.modelWidth, 4.0);
        QCOMPARE(pictureOf(&preview).size(), QSize(100, 50));
        QCOMPARE(caption->toolTip(), path);
    }

    // A name that is no file is a block of the active drawing; neither, or a file that is no
    // drawing, leaves the picture as it was.
    void namesThatAreNoFile_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<bool>("previewed");
        QTest::addColumn<double>("width");
        QTest::addColumn<double>("height");
        QTest::newRow("a folder named like a block") << "DOOR" << true << 1.0 << 1.0;
        QTest::newRow("a missing file named like a block") << "WINDOW" << true << 2.0 << 0.5;
        QTest::newRow("block names ignore case") << "room" << true << 6.0 << 4.25;
        QTest::newRow("neither file nor block") << "Nothing" << false << 1.0 << 1.0;
        QTest::newRow("a missing drawing") << "missing.dwg" << false << 1.0 << 1.0;
        QTest::newRow("a damaged drawing") << "damaged.dwg" << false << 1.0 << 1.0;
    }

    void namesThatAreNoFile()
    {
        QFETCH(QString, name);
        QFETCH(bool, previewed);
        QFETCH(double, width);
        QFETCH(double, height);
        loadBlocksIntoActiveDrawing();
        QDir(m_host->folder()).mkpath("DOOR");
        QVERIFY(writeBytes(m_host->path("damaged.dwg"), "  0\nSECTION\n  2\nENTITIES\n  0\nLINE\n 10\nnot a number"));
        QDir::setCurrent(m_host->folder());
        QLabel preview(m_owner.get());
        preview.resize(120, 80);
        preview.setPicture(sentinelPicture());
        m_state->previewDrawingOrBlock(name, &preview, nullptr);
        QCOMPARE(pictureOf(&preview).size(), previewed ? QSize(120, 80) : QSize(7, 3));
        QCOMPARE(m_state->previewSizes.blockWidth, width);
        QCOMPARE(m_state->previewSizes.blockHeight, height);
        QCOMPARE(m_state->previewSizes.modelWidth, 1.0);
    }

    void previewImage_data()
    {
        QTest::addColumn<bool>("readable");
        QTest::newRow("image") << true;
        QTest::newRow("not an image") << false;
    }

    void previewImage()
    {
        QFETCH(bool, readable);
        const QString path = m_host->path("pattern.png");
        if (readable) {
            QImage image(40, 20, QImage::Format_RGB32);
            image.fill(Qt::green);
            QVERIFY(image.save(path));
        } else {
            QVERIFY(writeBytes(path, "not a picture"));
        }
        QLabel preview(m_owner.get());
        preview.resize(90, 60);
        preview.setPicture(sentinelPicture());
        QLabel caption(m_owner.get());
        caption.resize(300, 20);
        m_state->previewImage(path, &preview, &caption);
        QCOMPARE(caption.toolTip(), path);
        QCOMPARE(caption.property("value").toString(), path);
        QCOMPARE(m_state->previewSizes.imageWidth, readable ? 40.0 : 1.0);
        QCOMPARE(m_state->previewSizes.imageHeight, readable ? 20.0 : 1.0);
        const QImage shown = pictureOf(&preview);
        QCOMPARE(shown.size(), readable ? QSize(90, 60) : QSize(7, 3));
        if (readable)
            QCOMPARE(shown.pixelColor(45, 30), QColor(Qt::green));
    }

    // The active drawing's own file is refused, however its path is spelled.
    void pickDrawing_data()
    {
        QTest::addColumn<QString>("documentFile"); // relative to the fixture's folder
        QTest::addColumn<QString>("chosen");       // empty: cancel
        QTest::addColumn<bool>("reject");
        QTest::addColumn<bool>("accepted");
        QTest::addColumn<QString>("message");
        const QString circular = QStringLiteral("Error: Xref contains circular reference");
        QTest::newRow("own file") << "d/symbol.dwg" << "d/symbol.dwg" << true << false << circular;
        QTest::newRow("own file through ..") << "d/sub/../symbol.dwg" << "d/symbol.dwg" << true << false << circular;
        QTest::newRow("own file through a link") << "link/symbol.dwg" << "d/symbol.dwg" << true << false << circular;
        QTest::newRow("own file, relative") << "./d//symbol.dwg" << "d/symbol.dwg" << true << false << circular;
        QTest::newRow("own file, allowed") << "d/symbol.dwg" << "d/symbol.dwg" << false << true << "";
        QTest::newRow("another drawing") << "d/symbol.dwg" << "d/other.DWG" << true << true << "";
        QTest::newRow("new drawing without a file") << "" << "d/other.DWG" << true << true << "";
        QTest::newRow("not a drawing") << "d/symbol.dwg" << "d/plan.dxf" << true << false << "";
        QTest::newRow("cancelled") << "d/symbol.dwg" << "" << true << false << "";
    }

    void pickDrawing()
    {
        QFETCH(QString, documentFile);
        QFETCH(QString, chosen);
        QFETCH(bool, reject);
        QFETCH(bool, accepted);
        QFETCH(QString, message);
        const QDir root(m_host->folder());
        root.mkpath("d/sub");
        QVERIFY(QFile::link(root.filePath("d"), root.filePath("link")));
        copyFile(Examples + "breakline_symbol.dwg", root.filePath("d/symbol.dwg"));
        copyFile(Examples + "breakline_symbol.dwg", root.filePath("d/other.DWG"));
        copyFile(Examples + "breakline.dxf", root.filePath("d/plan.dxf"));
        QDir::setCurrent(root.path());
        document()->GetKvDatabase()->setFileName(documentFile);

        QLabel preview(m_owner.get());
        preview.resize(120, 60);
        preview.setPicture(sentinelPicture());
        QLabel caption(m_owner.get());
        caption.resize(400, 20);
        QString start = root.filePath("d");
        QString openedIn;
        ModalDriver driver;
        driver.expect("QFileDialog").run([&](QWidget* w) { openedIn = qobject_cast<QFileDialog*>(w)->directory().absolutePath(); });
        if (chosen.isEmpty())
            driver.cancel();
        else
            driver.choose(root.filePath(chosen));
        expectBox(driver, message);
        driver.start();
        const QString result = m_state->pickDrawing(start, &preview, &caption, reject);
        KV_VERIFY_MODALS(driver);
        QCOMPARE(openedIn, root.filePath("d"));
        QCOMPARE(result, accepted ? root.filePath(chosen) : QString());
        QCOMPARE(pictureOf(&preview).size(), accepted ? QSize(120, 60) : QSize(7, 3));
        QCOMPARE(caption.toolTip(), accepted ? result : QString());
    }

    void pickFolder_data()
    {
        QTest::addColumn<QString>("start");   // "null", or a name in the fixture's folder
        QTest::addColumn<bool>("withSupport");
        QTest::addColumn<QString>("openedIn"); // "support", "user" or a name
        QTest::addColumn<bool>("cancel");
        QTest::newRow("existing start folder") << "start" << true << "start" << false;
        QTest::newRow("missing start: first support folder") << "gone" << true << "support" << false;
        QTest::newRow("null start: first support folder") << "null" << true << "support" << false;
        QTest::newRow("no support folders: user folder") << "gone" << false << "user" << false;
        QTest::newRow("cancelled") << "start" << true << "start" << true;
    }

    void pickFolder()
    {
        QFETCH(QString, start);
        QFETCH(bool, withSupport);
        QFETCH(QString, openedIn);
        QFETCH(bool, cancel);
        const QDir root(m_host->folder());
        root.mkpath("start");
        root.mkpath("chosen");
        if (!withSupport)
            m_host->services()->GetSettings()->SetSupportFolders({});
        const QString expectedFolder = openedIn == "support" ? m_host->supportFolder()
                                       : openedIn == "user"  ? m_host->userFolder()
                                                             : root.filePath(openedIn);
        QLineEdit target("before");
        QString seen; // where the dialog opened
        bool folders = false;
        ModalDriver driver;
        driver.expect("QFileDialog").run([&](QWidget* w) {
            auto* dialog = qobject_cast<QFileDialog*>(w);
            seen = dialog->directory().canonicalPath();
            folders = dialog->fileMode() == QFileDialog::Directory && dialog->testOption(QFileDialog::ShowDirsOnly);
        });
        if (cancel)
            driver.cancel();
        else
            driver.choose(root.filePath("chosen"));
        driver.start();
        const QString result = m_state->pickFolder(start == "null" ? QString() : root.filePath(start), &target, QString(), QString());
        KV_VERIFY_MODALS(driver);
        QCOMPARE(seen, QDir(expectedFolder).canonicalPath());
        QVERIFY(folders);
        QCOMPARE(result, cancel ? QString() : root.filePath("chosen"));
        QCOMPARE(target.text(), cancel ? QStringLiteral("before") : result);
    }
};

KV_TEST_MAIN(TestPickers)
#include "tst_pickers.moc"
