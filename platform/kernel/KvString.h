#pragma once

#include "KvPlatformExport.h"

#include <QString>
#include <QStringList>
#include <QVector>

// The host's string class: a QString with the few conveniences host code expects.
class KVPLATFORM_EXPORT CKvString : public QString
{
public:
    CKvString() = default;
    CKvString(const QString& s) : QString(s) {}
    CKvString(QString&& s) : QString(std::move(s)) {}
    CKvString(const char* s) : QString(QString::fromUtf8(s)) {}
    CKvString(const char16_t* s) : QString(s ? QString::fromUtf16(s) : QString()) {}
    CKvString(QLatin1String s) : QString(s) {}

    // Splits at every separator, empty parts kept (the host string's own splitter).
    QVector<CKvString> Split(QChar separator) const;
    const char16_t* utf16z() const { return reinterpret_cast<const char16_t*>(utf16()); }
};

using CKvStringArray = QVector<CKvString>;

// One keyword of a prompt: the global (language-independent) name and the local text shown.
struct CKvKeyword
{
    CKvString globalName;
    CKvString localName;
};

// Keywords with separate global and local names, for prompts whose keywords are translated.
class KVPLATFORM_EXPORT CKvKeywordArray : public QVector<CKvKeyword>
{
public:
    void Add(const CKvString& globalName, const CKvString& localName) { append({globalName, localName}); }
};
