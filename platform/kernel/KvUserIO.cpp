#include "kernel/KvUserIO.h"

CKvUserIO::CKvUserIO(CKvDocument* document) : m_document(document) {}
CKvUserIO::~CKvUserIO() = default;
