// Entries: writing rows and blobs, and transactions.
#include "api_guard.h"

using namespace dbengine;

extern "C" {

ENG_API EngResult EngInitRecord(EngHandle cursor, void* record) {
  return Guard([&](TEngine& engine) -> EngResult {
    engine.Cursor(cursor).InitRecord(record);
    return ENG_OK;
  });
}

ENG_API EngResult EngPutField(EngHandle cursor, uint16_t fieldNumber, void* record, const void* src) {
  return Guard([&](TEngine& engine) -> EngResult {
    engine.Cursor(cursor).PutField(fieldNumber, record, src);
    return ENG_OK;
  });
}

ENG_API EngResult EngPutBlob(EngHandle cursor, void* record, uint16_t fieldNumber, uint32_t offset,
                             uint32_t length, const void* src) {
  return Guard([&](TEngine& engine) -> EngResult {
    engine.Cursor(cursor).PutBlob(record, fieldNumber, offset, length, src);
    return ENG_OK;
  });
}

ENG_API EngResult EngTruncateBlob(EngHandle cursor, void* record, uint16_t fieldNumber, uint32_t length) {
  return Guard([&](TEngine& engine) -> EngResult {
    engine.Cursor(cursor).TruncateBlob(record, fieldNumber, length);
    return ENG_OK;
  });
}

ENG_API EngResult EngInsertRecord(EngHandle cursor, uint32_t lock, const void* record) {
  return Guard([&](TEngine& engine) -> EngResult {
    TCursor& target = engine.Cursor(cursor);
    if (lock != ENG_LOCK_NONE && lock != ENG_LOCK_WRITE) {
      Fail(ENG_ERR_INVALID_PARAMETER, "Unknown lock kind " + std::to_string(lock));
    }
    target.Insert(lock, record);
    return ENG_OK;
  });
}

ENG_API EngResult EngModifyRecord(EngHandle cursor, const void* record, uint16_t freeLock) {
  return Guard([&](TEngine& engine) -> EngResult {
    engine.Cursor(cursor).Modify(record, freeLock != 0);
    return ENG_OK;
  });
}

ENG_API EngResult EngDeleteRecord(EngHandle cursor, void* record) {
  return Guard([&](TEngine& engine) -> EngResult {
    engine.Cursor(cursor).Delete(record);
    return ENG_OK;
  });
}

ENG_API EngResult EngCancelRecord(EngHandle cursor, void* record) {
  return Guard([&](TEngine& engine) -> EngResult {
    engine.Cursor(cursor).Cancel(record);
    return ENG_OK;
  });
}

ENG_API EngResult EngBeginTransaction(EngHandle database, EngHandle* transaction) {
  return Guard([&](TEngine& engine) -> EngResult {
    TDatabase& owner = engine.Database(database);
    Require(transaction, "transaction buffer");
    *transaction = owner.BeginTransaction();
    return ENG_OK;
  });
}

ENG_API EngResult EngEndTransaction(EngHandle database, EngHandle transaction, uint32_t end) {
  return Guard([&](TEngine& engine) -> EngResult {
    TDatabase& owner = engine.Database(database);
    if (end != ENG_TX_COMMIT && end != ENG_TX_ROLLBACK) {
      Fail(ENG_ERR_INVALID_PARAMETER, "Unknown end of transaction " + std::to_string(end));
    }
    owner.EndTransaction(transaction, end == ENG_TX_COMMIT);
    return ENG_OK;
  });
}

}  // extern "C"
