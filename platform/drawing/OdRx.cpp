#include "drawing/OdRx.h"

OdRxObject::~OdRxObject() = default;
OdRxObject* OdRxObject::queryX(const OdRxClass*) const { return nullptr; }
OdRxObject* OdRxObject::x(const OdRxClass* protocolClass) const { return queryX(protocolClass); }
OdRxClass* OdRxObject::isA() const { return nullptr; }
long OdRxObject::numRefs() const { return 1; }
OdRxObject* OdRxObject::clone() const { return nullptr; }
void OdRxObject::copyFrom(const OdRxObject*) {}
int OdRxObject::comparedTo(const OdRxObject* other) const { return this == other ? 0 : (this < other ? -1 : 1); }
bool OdRxObject::isEqualTo(const OdRxObject* other) const { return this == other; }
