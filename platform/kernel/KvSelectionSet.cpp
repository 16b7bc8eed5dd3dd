#include "kernel/KvSelectionSet.h"

CKvSelectionSet::CKvSelectionSet(CKvDocument* document) : m_document(document) {}
CKvSelectionSet::~CKvSelectionSet() = default;
