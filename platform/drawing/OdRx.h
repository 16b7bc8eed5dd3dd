#pragma once

#include "KvPlatformExport.h"

#include <QString>
#include <atomic>
#include <cstdint>
#include <new>

// The drawing library's run-time object and module protocol, as far as modules use it.

// The drawing library's string: wide characters, convertible to and from QString.
class KVPLATFORM_EXPORT OdString
{
public:
    OdString() = default;
    OdString(const wchar_t* s) : m_text(s ? QString::fromWCharArray(s) : QString()) {}
    OdString(const QString& s) : m_text(s) {}
    const QString& toQString() const { return m_text; }
    bool isEmpty() const { return m_text.isEmpty(); }
    int getLength() const { return m_text.size(); }
    bool operator==(const OdString& other) const { return m_text == other.m_text; }

private:
    QString m_text;
};

class OdRxClass;

// Base of every run-time object. The virtual functions stand in the drawing library's order.
class KVPLATFORM_EXPORT OdRxObject
{
public:
    virtual ~OdRxObject();
    virtual OdRxObject* queryX(const OdRxClass* protocolClass) const;
    virtual OdRxObject* x(const OdRxClass* protocolClass) const;
    virtual OdRxClass* isA() const;
    virtual void addRef() = 0;
    virtual void release() = 0;
    virtual long numRefs() const;
    virtual OdRxObject* clone() const;
    virtual void copyFrom(const OdRxObject* source);
    virtual int comparedTo(const OdRxObject* other) const;
    virtual bool isEqualTo(const OdRxObject* other) const;
};

// A run-time module: loaded by path, initialised and uninitialised by the loader.
class KVPLATFORM_EXPORT OdRxModule : public OdRxObject
{
public:
    virtual void* sysData() = 0;
    virtual void deleteModule() = 0;
    virtual void initApp() = 0;
    virtual void uninitApp() = 0;
    virtual OdString moduleName() const = 0;
};

// The loader's wrapper around a module class: an atomic reference count starting at 0
// and the operating system's handle of the loaded library. release() never deletes:
// the loader frees the module through deleteModule().
template <class T>
class OdRxWin32Module : public T
{
public:
    explicit OdRxWin32Module(void* moduleHandle) : m_handle(moduleHandle) {}

    void addRef() override { ++m_refs; }
    void release() override { --m_refs; }
    long numRefs() const override { return m_refs.load(); }
    void* sysData() override { return m_handle; }

private:
    std::atomic<std::int32_t> m_refs{0};
    void* m_handle;
};

// The two C entry points every module exports.
extern "C" {
typedef OdRxModule* (*OdRxCreateModuleObjectFn)(void** handleWord);
typedef void (*OdRxGetAPIVersionFn)(int* major, int* minor, int* majorBuild, int* minorBuild);
}
