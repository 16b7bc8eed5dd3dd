#pragma once

class CKvDatabase;

// The 16-bit drawing setting the text mask dialog holds while it exists.
namespace TextMaskSetting {
short read(const CKvDatabase* database);
void write(CKvDatabase* database, short value);
} // namespace TextMaskSetting
