// The module object's life: creation, reference count, attaching documents, the
// function table and the dialog registry, as the host's loader and documents drive them.
#include "LispCall.h"
#include "PlatformFixture.h"
#include "TestEnvironment.h"

#include "kernel/KvDocument.h"
#include "kernel/KvSystemServices.h"
#include "module/DialogRegistry.h"
#include "module/LispFunctionTable.h"
#include "module/LispFunctionsModule.h"

#include <QApplication>
#include <QDialog>
#include <QFileInfo>

// Counts the windows shown while it lives.
struct ShowCounter : QObject
{
    int count = 0;
    ShowCounter() { qApp->installEventFilter(this); }
    ~ShowCounter() override { qApp->removeEventFilter(this); }
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Show && watched->isWidgetType() && static_cast<QWidget*>(watched)->isWindow())
            ++count;
        return false;
    }
};

class TestModuleLifecycle : public QObject
{
    Q_OBJECT

    OdRxModule* createModule()
    {
        void* handle = reinterpret_cast<void*>(0x1234);
        return kvCreateModuleObject(&handle);
    }
    static CLispFunctionsModule* asModule(OdRxModule* m) { return dynamic_cast<CLispFunctionsModule*>(m); }
    static QStringList tableNames()
    {
        QStringList names;
        for (int i = 0; i < LispFunctionTable::Count; ++i)
            names << QString::fromLatin1(LispFunctionTable::entries()[i].name);
        return names;
    }

private slots:
    void cleanup()
    {
        if (OdRxModule* m = kvModuleSingleton())
            m->deleteModule();
        QCOMPARE(DialogRegistry::recordCount(), 0);
    }

    void creationReturnsTheSingletonAndClearsTheHandleOnce()
    {
        void* handle = reinterpret_cast<void*>(0x1234);
        OdRxModule* first = kvCreateModuleObject(&handle);
        QVERIFY(first);
        QCOMPARE(handle, nullptr);
        QCOMPARE(first->sysData(), reinterpret_cast<void*>(0x1234));
        QCOMPARE(first->numRefs(), 0L);

        void* second = reinterpret_cast<void*>(0x5678);
        QCOMPARE(kvCreateModuleObject(&second), first);
        QCOMPARE(second, reinterpret_cast<void*>(0x5678));

        first->deleteModule();
        QCOMPARE(kvModuleSingleton(), nullptr);
    }

    void releaseBelowZeroNeverFrees()
    {
        OdRxModule* m = createModule();
        m->release();
        QCOMPARE(m->numRefs(), -1L);
        m->addRef();
        m->addRef();
        QCOMPARE(m->numRefs(), 1L);
        QCOMPARE(kvModuleSingleton(), m);
    }

    void initAppAttachesEveryOpenDocumentInOrder()
    {
        PlatformFixture host(3);
        OdRxModule* m = createModule();
        m->initApp();
        QCOMPARE(host.documents()->ReactorCount(), 1);
        QCOMPARE(DialogRegistry::recordCount(), 3);
        for (int i = 0; i < 3; ++i) {
            QCOMPARE(DialogRegistry::record(i)->document, host.document(i));
            QCOMPARE(host.document(i)->GetLispContext()->DefinedFunctions(), tableNames());
        }
        m->uninitApp();
        QCOMPARE(host.documents()->ReactorCount(), 0);
        QCOMPARE(DialogRegistry::recordCount(), 0);
        for (int i = 0; i < 3; ++i)
            QVERIFY(host.document(i)->GetLispContext()->DefinedFunctions().isEmpty());
    }

    void documentsComingAndGoing()
    {
        PlatformFixture host(0);
        OdRxModule* m = createModule();
        m->initApp();
        CKvDocument* a = host.newDocument();
        CKvDocument* b = host.newDocument();
        CKvDocument* c = host.newDocument();
        QCOMPARE(DialogRegistry::recordCount(), 3);

        // Every dialog of the first document goes with it, whatever its slot.
        host.documents()->ActivateDocument(a);
        QVector<QPointer<QDialog>> dialogs;
        for (DialogSlot slot : {DialogSlot::Breakline, DialogSlot::TextMask, DialogSlot::ImportDimensionStyle})
            dialogs << DialogRegistry::dialogFor<QDialog>(slot);
        host.documents()->CloseDocument(a);
        for (const QPointer<QDialog>& dialog : dialogs)
            QVERIFY(dialog.isNull());
        QCOMPARE(DialogRegistry::recordCount(), 2);
        QCOMPARE(DialogRegistry::record(0)->document, b);
        QCOMPARE(DialogRegistry::record(1)->document, c);

        // A document opened once the module is gone has none of its functions.
        m->uninitApp();
        CKvDocument* late = host.newDocument();
        QVERIFY(late->GetLispContext()->DefinedFunctions().isEmpty());
        QCOMPARE(callLisp(late, "QUOR_entfield").status, kvrt::Error);
    }

    void otherNotificationsChangeNothing()
    {
        PlatformFixture host(2);
        OdRxModule* m = createModule();
        m->initApp();
        CLispFunctionsModule* reactor = asModule(m);
        QVERIFY(reactor);
        CKvDocument* d = host.document(0);
        reactor->DocumentToBeActivated(d);
        reactor->DocumentBecameCurrent(d);
        reactor->DocumentCreated(d);
        reactor->DocumentToBeDestroyed(d);
        QCOMPARE(DialogRegistry::recordCount(), 2);
        QCOMPARE(d->GetLispContext()->DefinedFunctions().size(), LispFunctionTable::Count);
        // A detach for a document without a record only undefines.
        CKvDocument stranger(QStringLiteral("stranger"));
        reactor->DatabaseDetached(&stranger);
        QCOMPARE(DialogRegistry::recordCount(), 2);
        m->uninitApp();
    }

    // A document whose record is gone (it never happens while the module runs) gets an
    // error from a dialog function, not a crash.
    void dialogFunctionWithoutRecord()
    {
        PlatformFixture host(1);
        OdRxModule* m = createModule();
        m->initApp();
        DialogRegistry::removeRecord(host.document(0));
        ShowCounter shown;
        QCOMPARE(callLisp(host.document(0), "Dlg_edittextcase", std::move(ArgChain().str(host.path("s.txt")).str("t"))).status,
                 kvrt::Error);
        QCOMPARE(shown.count, 0);
        m->uninitApp();
    }

    void withoutServicesNothingHappens()
    {
        CKvSystemServices::Destroy();
        OdRxModule* m = createModule();
        m->initApp();
        m->uninitApp();
        QCOMPARE(DialogRegistry::recordCount(), 0);
    }

    void withoutDocumentManagerNothingHappens()
    {
        CKvSystemServices::Options options;
        options.userFolder = TestEnvironment::home() + QStringLiteral("/nodm");
        options.withDocumentManager = false;
        CKvSystemServices::Create(options);
        OdRxModule* m = createModule();
        m->initApp();
        QCOMPARE(DialogRegistry::recordCount(), 0);
        m->uninitApp();
        CKvSystemServices::Destroy();
    }

    void dialogRegistryOneObjectPerDocumentAndSlot()
    {
        PlatformFixture host(2);
        OdRxModule* m = createModule();
        m->initApp();
        host.documents()->ActivateDocument(host.document(0));
        QDialog* first = DialogRegistry::dialogFor<QDialog>(DialogSlot::EditTextCase);
        QCOMPARE(DialogRegistry::dialogFor<QDialog>(DialogSlot::EditTextCase), first);
        QCOMPARE(first->parentWidget(), host.mainWindow());
        host.documents()->ActivateDocument(host.document(1));
        QDialog* second = DialogRegistry::dialogFor<QDialog>(DialogSlot::EditTextCase);
        QVERIFY(second && second != first);
        m->uninitApp();
    }
};

KV_TEST_MAIN(TestModuleLifecycle)
#include "tst_modulelifecycle.moc"
