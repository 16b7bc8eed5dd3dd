#pragma once

#include "drawing/OdRx.h"
#include "kernel/KvDocument.h"

// The module object the host's loader drives: defines the LISP functions in every
// attached document and keeps each document's dialogs.
class CLispFunctionsModule : public OdRxModule, public CKvDocumentManagerReactor
{
public:
    CLispFunctionsModule();
    ~CLispFunctionsModule() override;

    void deleteModule() override;
    void initApp() override;
    void uninitApp() override;
    OdString moduleName() const override;

    void DatabaseAttached(CKvDocument* document) override;
    void DatabaseDetached(CKvDocument* document) override;
    void DocumentToBeActivated(CKvDocument* document) override;

    static void attach(CKvDocument* document);
    static void detach(CKvDocument* document);
};

// The loader's side: creates the one module object (handle word cleared), or returns it.
OdRxModule* kvCreateModuleObject(void** handleWord);
OdRxModule* kvModuleSingleton();
void kvGetAPIVersion(int* major, int* minor, int* majorBuild, int* minorBuild);
// The absolute path of the loaded module file.
QString kvModuleFilePath();
