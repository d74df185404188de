#pragma once
// The small types of the data layer: dataset modes, data notices, row fetching, row marks,
// field types and kinds, and the event signatures of datasets and fields.

#include <cstdint>
#include <functional>
#include <string>

#include "core/types.h"

class TDataSet;
class TField;
class EDatabaseError;

// The state of a dataset. The order is fixed: code compares and stores ordinals.
enum TDataSetMode : uint8_t {
  dmInactive,
  dmBrowse,
  dmEdit,
  dmInsert,
  dmSetKey,
  dmCalcFields,
  dmFilter,
  dmNewValue,  // the three value views: reading a field's new, old or current value
  dmOldValue,
  dmCurValue,
  dmBlockRead,
  dmInternalCalc
};

// What a dataset tells its data sources. Each notice travels with one information value.
enum TDataNotice : uint8_t {
  dnFieldChange,      // the field (see NoticeInfoOf)
  dnRecordChange,     // 0
  dnDataSetChange,    // 0
  dnDataSetScroll,    // signed number of slots the window moved
  dnLayoutChange,     // 0
  dnUpdateRecord,     // 0
  dnUpdateState,      // 0
  dnCheckBrowseMode,  // 0
  dnPropertyChange,   // 0
  dnFieldListChange,  // 0
  dnFocusControl,     // address of a TField* the receiver may clear
  dnParentScroll      // none
};

// The information value of a notice: a signed count, or the address of a field (dnFieldChange)
// or of a field reference (dnFocusControl).
using TNoticeInfo = intptr_t;

inline TNoticeInfo NoticeInfoOf(const void* Pointer) {
  return reinterpret_cast<TNoticeInfo>(Pointer);
}
inline TField* NoticeField(TNoticeInfo Info) {
  return reinterpret_cast<TField*>(Info);
}
inline TField** NoticeFieldRef(TNoticeInfo Info) {
  return reinterpret_cast<TField**>(Info);
}

enum TFetchMode { fmCurrent, fmNext, fmPrior };
enum TFetchResult { frOK, frBOF, frEOF, frError };
// Stored in every row buffer by the concrete dataset: where the buffer's row stands.
enum TRowMark { rmCurrent, rmBOF, rmEOF, rmInserted };

// Options of Refetch: the row must be found again exactly; the row is placed mid-window.
enum TRefetchOption { rfExact, rfCentre };
using TRefetchOptions = TSet<TRefetchOption>;

// What an error handler of a dataset operation asks for.
enum TDataAction { daFail, daAbort, daRetry };

// Modes of a blob stream.
enum TBlobStreamMode { bmRead, bmWrite, bmReadWrite };

// The raw buffer of one row. Its layout belongs to the concrete dataset; the window only
// moves these pointers.
using TRowBuffer = char*;

enum TFieldType : uint8_t {
  ftUnknown,
  ftString,
  ftSmallint,
  ftInteger,
  ftWord,
  ftBoolean,
  ftFloat,
  ftCurrency,
  ftBCD,
  ftDate,
  ftTime,
  ftDateTime,
  ftBytes,
  ftVarBytes,
  ftAutoInc,
  ftBlob,
  ftMemo,
  ftGraphic,
  ftFmtMemo,
  ftParadoxOle,
  ftDBaseOle,
  ftTypedBinary,
  ftCursor,
  ftFixedChar,
  ftWideString,
  ftLargeint,
  ftADT,
  ftArray,
  ftReference,
  ftDataSet
};
BREVANT_ENUM_NAMES(TFieldType, "ftUnknown", "ftString", "ftSmallint", "ftInteger", "ftWord", "ftBoolean",
                   "ftFloat", "ftCurrency", "ftBCD", "ftDate", "ftTime", "ftDateTime", "ftBytes",
                   "ftVarBytes", "ftAutoInc", "ftBlob", "ftMemo", "ftGraphic", "ftFmtMemo", "ftParadoxOle",
                   "ftDBaseOle", "ftTypedBinary", "ftCursor", "ftFixedChar", "ftWideString", "ftLargeint",
                   "ftADT", "ftArray", "ftReference", "ftDataSet");

inline bool IsBlobType(TFieldType Type) {
  return Type >= ftBlob && Type <= ftTypedBinary;
}
inline bool IsObjectType(TFieldType Type) {
  return Type >= ftADT && Type <= ftDataSet;
}

enum TFieldKind { fkData, fkCalculated, fkLookup, fkInternalCalc, fkAggregate };
BREVANT_ENUM_NAMES(TFieldKind, "fkData", "fkCalculated", "fkLookup", "fkInternalCalc", "fkAggregate");
using TFieldKinds = TSet<TFieldKind>;

enum TFieldAttribute { faHiddenCol, faReadonly, faRequired, faLink, faUnNamed };
BREVANT_ENUM_NAMES(TFieldAttribute, "faHiddenCol", "faReadonly", "faRequired", "faLink", "faUnNamed");
using TFieldAttributes = TSet<TFieldAttribute>;

enum TProviderFlag { pfInUpdate, pfInWhere, pfInKey, pfHidden };
BREVANT_ENUM_NAMES(TProviderFlag, "pfInUpdate", "pfInWhere", "pfInKey", "pfHidden");
using TProviderFlags = TSet<TProviderFlag>;

using TDataSetNotifyEvent = std::function<void(TDataSet* DataSet)>;
using TDataSetErrorEvent = std::function<void(TDataSet* DataSet, EDatabaseError& E, TDataAction& Action)>;
using TFieldNotifyEvent = std::function<void(TField* Sender)>;
using TFieldGetTextEvent = std::function<void(TField* Sender, std::string& Text, bool DisplayText)>;
using TFieldSetTextEvent = std::function<void(TField* Sender, const std::string& Text)>;
using TDataChangeEvent = std::function<void(TObject* Sender, TField* Field)>;

// Stored layouts and other layers rely on these ordinals.
static_assert(dmInternalCalc == 11 && dmBlockRead == 10 && dmSetKey == 4);
static_assert(dnParentScroll == 11 && dnUpdateState == 6 && dnDataSetScroll == 3);
static_assert(rmInserted == 3 && frError == 3 && fmPrior == 2);
static_assert(ftDataSet == 29 && ftFixedChar == 23 && ftBlob == 15 && ftTypedBinary == 21);
