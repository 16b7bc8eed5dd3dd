// c:setbackupfolder (SETBACKUPFOLDER): the folder in which the host keeps backup copies of
// drawings, asked for on the command line and kept in the host's settings store.
#include "module/HostServices.h"
#include "module/LispHandlers.h"

#include "kernel/KvDocument.h"
#include "kernel/KvLispContext.h"
#include "kernel/KvResbuf.h"
#include "kernel/KvSystemServices.h"
#include "kernel/KvUserIO.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>

namespace {
const char* const kSection = "SETBACKUPFOLDER";
const char* const kValueName = "setbackupfolder";
constexpr int kStringValue = 4;

QString readSetting(CKvAppSettings* settings)
{
    kv_resbuf* node = kvNewNode(kvrt::Nil);
    QString value;
    if (node && settings->ReadValue(CKvString(kSection), CKvString(kValueName), kStringValue, node) == kvrt::Normal
        && node->restype == kvrt::String && node->resval.rstring)
        value = QString::fromUtf16(node->resval.rstring);
    kvFreeChain(node);
    return value;
}

bool writeSetting(CKvAppSettings* settings, const QString& value)
{
    kv_resbuf* node = kvNewNode(kvrt::String);
    if (!node)
        return false;
    node->resval.rstring = kvDuplicateString(reinterpret_cast<const char16_t*>(value.utf16()));
    const bool ok = settings->WriteValue(CKvString(kSection), CKvString(kValueName), node) == kvrt::Normal;
    kvFreeChain(node);
    return ok;
}
} // namespace

namespace kvlisp {

int c_setbackupfolder()
{
    CKvDocument* document = HostServices::activeDocument();
    CKvUserIO* io = document ? document->GetUserIO() : nullptr;
    CKvSystemServices* services = GetKvSystemServices();
    CKvAppSettings* settings = services ? services->GetSettings() : nullptr;
    CKvLispContext* context = document ? document->GetLispContext() : nullptr;
    if (context)
        context->ReturnVoid();
    if (!io || !settings)
        return kvrt::Normal;

    io->InitGet(0);
    // The folder dialog starts in the first support folder, or in the current backup folder.
    QString startFolder = HostServices::supportFolders().value(0);
    QString current = readSetting(settings);
    if (!current.isEmpty())
        startFolder = readSetting(settings);

    CKvKeywordArray keywords;
    //: Command Option: Upper- and Lowercase letters are relevant.
    keywords.Add(CKvString("."), QCoreApplication::translate("Korvane", ". for none,."));
    io->InitGet(keywords);

    const CKvString prompt = QCoreApplication::translate("Korvane", "Specify new path for Backup folder");
    const CKvString composed = io->ComposePromptString(prompt, current);
    CKvString answer;
    const int status = io->GetString(true, composed, current, &answer, 0, 0);
    if (status != kvrt::Normal && status != kvrt::Keyword)
        return kvrt::Normal;
    bool none = false;
    if (status == kvrt::Normal)
        current = answer;
    else if (io->GetKeywordText() == QLatin1String(".")) {
        current.clear();
        none = true;
    }

    if (current == QLatin1String("~")) {
        const QString chosen = QFileDialog::getExistingDirectory(
            HostServices::mainWindow(), QCoreApplication::translate("Korvane", "Specify folder"), startFolder,
            QFileDialog::ShowDirsOnly);
        current = QDir::toNativeSeparators(chosen);
    }

    const bool accepted = none || (!current.isEmpty() && QFileInfo(current).isDir());
    if (accepted)
        writeSetting(settings, current);
    else
        io->PrintMessage(QCoreApplication::translate("Korvane", "\"%1\" is a invalid directory.").arg(current));
    return kvrt::Normal;
}

} // namespace kvlisp
