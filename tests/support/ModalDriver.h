#pragma once

// The tests' modal driver is kvhost's dialog-script engine; this header adds what QtTest needs.
#include "host/automation/ModalDriver.h"

#include <QtTest>

// Fails the test with the driver's account (the first failure, or the blocks left) unless
// every block ran to its end.
#define KV_VERIFY_MODALS(driver) QVERIFY2((driver).finished(), qPrintable((driver).failure()))
