// SETBACKUPFOLDER with scripted answers (and its folder dialog), and CreateRtext.
#include "LispCall.h"
#include "ModalDriver.h"
#include "PlatformFixture.h"
#include "ScriptedInput.h"
#include "TestEnvironment.h"

#include "drawing/KvDatabase.h"
#include "kernel/KvAPI.h"
#include "kernel/KvDocument.h"
#include "kernel/KvSystemServices.h"
#include "module/LispFunctionTable.h"

#include <QApplication>
#include <QDir>
#include <QFileDialog>

namespace {
const QString kAbsent = QStringLiteral("<absent>");
}

class TestCommands : public QObject
{
    Q_OBJECT
    std::unique_ptr<PlatformFixture> m_host;
    std::unique_ptr<ScriptedInput> m_input;
    CKvDocument* m_document = nullptr;

    CKvAppSettings* settings() const { return m_host->services()->GetSettings(); }

    QString stored() const
    {
        kv_resbuf* node = kvNewNode(kvrt::Nil);
        QString value = kAbsent;
        if (settings()->ReadValue("SETBACKUPFOLDER", "setbackupfolder", 4, node) == kvrt::Normal)
            value = node->resval.rstring ? QString::fromUtf16(node->resval.rstring) : QString();
        kvFreeChain(node);
        return value;
    }

    void store(const QString& value)
    {
        if (value == kAbsent)
            return;
        kv_resbuf* node = kvNewNode(kvrt::String);
        node->resval.rstring = kvDuplicateString(reinterpret_cast<const char16_t*>(value.utf16()));
        QCOMPARE(settings()->WriteValue("SETBACKUPFOLDER", "setbackupfolder", node), kvrt::Normal);
        kvFreeChain(node);
    }

    // Placeholders in test data: EXISTING an existing folder, MISSING one that is not there.
    QString expand(QString text) const
    {
        text.replace("EXISTING", QDir::toNativeSeparators(m_host->path("backups")));
        text.replace("MISSING", QDir::toNativeSeparators(m_host->path("no/such/folder")));
        return text;
    }

    OdDbBlockTableRecord* block(const OdDbObjectId& id) const
    {
        return dynamic_cast<OdDbBlockTableRecord*>(id.openObject());
    }

private slots:
    void init()
    {
        m_host = std::make_unique<PlatformFixture>(1);
        m_document = m_host->document(0);
        LispFunctionTable::defineAll(m_document);
        m_input = std::make_unique<ScriptedInput>(m_document);
        QDir().mkpath(m_host->path("backups"));
        QDir().mkpath(m_host->path("chosen"));
    }

    void cleanup()
    {
        m_input.reset();
        m_host.reset();
    }

    void backupFolder_data()
    {
        QTest::addColumn<QString>("before");
        QTest::addColumn<QString>("answer");
        QTest::addColumn<QString>("after");
        QTest::addColumn<QString>("message");
        QTest::addColumn<QString>("prompt");

        const QString prompt = "Specify new path for Backup folder or [. for none] <EXISTING>: ";
        QTest::newRow("dot clears") << "EXISTING" << "." << "" << "" << prompt;
        QTest::newRow("Enter keeps the current folder") << "EXISTING" << "<Enter>" << "EXISTING" << "" << prompt;
        QTest::newRow("an existing folder is stored") << kAbsent << "EXISTING" << "EXISTING" << ""
                                                      << "Specify new path for Backup folder or [. for none]: ";
        QTest::newRow("a missing folder is refused") << "EXISTING" << "MISSING" << "EXISTING"
                                                     << "\"MISSING\" is a invalid directory." << prompt;
        QTest::newRow("Enter on a folder that went away") << "MISSING" << "<Enter>" << "MISSING"
                                                          << "\"MISSING\" is a invalid directory."
                                                          << "Specify new path for Backup folder or [. for none] <MISSING>: ";
        QTest::newRow("Enter without a folder") << kAbsent << "<Enter>" << kAbsent << "\"\" is a invalid directory."
                                                << "Specify new path for Backup folder or [. for none]: ";
        QTest::newRow("cancel changes nothing") << "EXISTING" << "<Esc>" << "EXISTING" << "" << prompt;
        QTest::newRow("a path with blanks") << kAbsent << "EXISTING/with blank" << kAbsent
                                            << "\"EXISTING/with blank\" is a invalid directory."
                                            << "Specify new path for Backup folder or [. for none]: ";
    }

    void backupFolder()
    {
        QFETCH(QString, before);
        QFETCH(QString, answer);
        store(expand(before));
        m_input->add(expand(answer));
        const LispCallResult r = callLisp(m_document, "c:setbackupfolder");
        QCOMPARE(r.status, 5100);
        QFETCH(QString, after);
        QCOMPARE(stored(), expand(after));
        QFETCH(QString, message);
        QCOMPARE(m_input->printed(), message.isEmpty() ? QStringList() : QStringList{expand(message)});
        QFETCH(QString, prompt);
        QCOMPARE(QString(m_input->lastRequest().prompt), expand(prompt));
        QVERIFY(m_input->lastRequest().spaces);
    }

    void folderDialog_data()
    {
        QTest::addColumn<QString>("before");
        QTest::addColumn<bool>("choose");
        QTest::addColumn<QString>("after");
        QTest::addColumn<QString>("message");
        QTest::addColumn<QString>("startFolder");
        QTest::newRow("cancelled") << "EXISTING" << false << "EXISTING" << "\"\" is a invalid directory." << "EXISTING";
        QTest::newRow("chosen") << "EXISTING" << true << "CHOSEN" << "" << "EXISTING";
        QTest::newRow("starts in the support folder") << kAbsent << true << "CHOSEN" << "" << "SUPPORT";
    }

    void folderDialog()
    {
        QFETCH(QString, before);
        QFETCH(bool, choose);
        QFETCH(QString, after);
        QFETCH(QString, message);
        QFETCH(QString, startFolder);
        auto expandAll = [this](QString s) {
            s = expand(s);
            s.replace("CHOSEN", QDir::toNativeSeparators(m_host->path("chosen")));
            s.replace("SUPPORT", m_host->supportFolder());
            return s;
        };
        store(expandAll(before));
        m_input->add("~");
        QString directory;
        ModalDriver driver;
        driver.expect("QFileDialog").run([&](QWidget* w) {
            auto* dialog = qobject_cast<QFileDialog*>(w);
            directory = dialog ? dialog->directory().absolutePath() : QString();
            QCOMPARE(w->parentWidget(), m_host->mainWindow());
        });
        if (choose)
            driver.choose(m_host->path("chosen"));
        else
            driver.cancel();
        driver.start();
        const LispCallResult r = callLisp(m_document, "c:setbackupfolder");
        KV_VERIFY_MODALS(driver);
        QCOMPARE(r.status, 5100);
        QCOMPARE(QDir(directory).canonicalPath(), QDir(QDir::fromNativeSeparators(expandAll(startFolder))).canonicalPath());
        QCOMPARE(stored(), expandAll(after));
        QCOMPARE(m_input->printed(), message.isEmpty() ? QStringList() : QStringList{message});
    }

    void remoteText_data()
    {
        QTest::addColumn<QString>("args");
        QTest::addColumn<bool>("created");
        QTest::addColumn<QString>("contents");
        QTest::addColumn<bool>("expression");

        QTest::newRow("file mode") << "S:/data/note.txt|R:0|R:2.5|S:" << true << "/data/note.txt" << false;
        QTest::newRow("expression mode") << "S:/data/note.txt|R:0.5|R:1|S:$(getvar,dwgname)" << true
                                         << "$(getvar,dwgname)" << true;
        QTest::newRow("more arguments are ignored") << "S:a.txt|R:0|R:1|S:|S:extra" << true << "a.txt" << false;
        QTest::newRow("short instead of a real") << "S:a.txt|I:0|R:2.5|S:" << false << "" << false;
        QTest::newRow("long instead of a real") << "S:a.txt|R:0|L:3|S:" << false << "" << false;
        QTest::newRow("three arguments") << "S:a.txt|R:0|R:2.5" << false << "" << false;
        QTest::newRow("no arguments") << "" << false << "" << false;
        QTest::newRow("nil for the source") << "N|R:0|R:2.5|S:" << false << "" << false;
        QTest::newRow("nil for the expression") << "S:a.txt|R:0|R:2.5|N" << false << "" << false;
        QTest::newRow("point for the height") << "S:a.txt|R:0|P:1,2,3|S:" << false << "" << false;
    }

    void remoteText()
    {
        QFETCH(QString, args);
        QFETCH(bool, created);
        CKvDatabase* db = m_document->GetKvDatabase();
        db->currentLayer = "Notes";
        db->textSize = 0.7;
        OdDbBlockTableRecord* space = block(db->GetActiveBlockId());
        const std::size_t before = space->entities().size();
        const int flushes = db->flushCount();
        const long nodes = kvLiveNodeCount();
        {
            const LispCallResult r = callLisp(m_document, "CreateRtext", chainFrom(args));
            QCOMPARE(r.status, 5100);
            QCOMPARE(space->entities().size(), before + (created ? 1 : 0));
            QCOMPARE(db->groupDepth(), 0);
            if (!created) {
                QCOMPARE(r.kind, CKvLispContext::ResultKind::NotSet);
                QCOMPARE(db->flushCount(), flushes);
            } else {
                QCOMPARE(r.type(), kvrt::EntityName);
                OdDbObjectId id;
                QCOMPARE(CKvAPI::GetObjectId(r.first()->resval.rlname, id), 5100);
                auto* text = dynamic_cast<RText*>(id.openObject());
                QVERIFY(text);
                QCOMPARE(text, space->entities().back().get());
                QTEST(text->contents, "contents");
                QTEST(text->expression, "expression");
                QCOMPARE(text->layer, QStringLiteral("Notes"));
                QCOMPARE(db->flushCount(), flushes + 1);
                const QStringList parts = args.split('|');
                QCOMPARE(text->rotation, parts.at(1).section(':', 1).toDouble());
                QCOMPARE(text->height, parts.at(2).section(':', 1).toDouble());
            }
        }
        QCOMPARE(kvLiveNodeCount(), nodes);
    }

    void remoteTextGoesIntoTheCurrentSpace()
    {
        CKvDatabase* db = m_document->GetKvDatabase();
        db->setActiveBlockId(db->getPaperSpaceId());
        const LispCallResult r = callLisp(m_document, "CreateRtext", std::move(ArgChain().str("a.txt").real(0).real(1).str("")));
        QCOMPARE(r.type(), kvrt::EntityName);
        QCOMPARE(block(db->getPaperSpaceId())->entities().size(), std::size_t(1));
        QCOMPARE(block(db->getModelSpaceId())->entities().size(), std::size_t(0));
    }
};

KV_TEST_MAIN(TestCommands)
#include "tst_commands.moc"
