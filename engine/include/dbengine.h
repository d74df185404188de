/*
 * dbengine.h: the C interface of libdbengine.so, the database engine.
 *
 * The library is never linked into a program. A program loads it with dlopen() and finds each entry with
 * dlsym() by the name declared below; the names are the interface. After loading, the program calls
 * LIBINITFUNCTION() once, then EngineInit(); EngineExit() ends the engine's work.
 *
 *   Load with RTLD_NOW | RTLD_LOCAL. The engine is linked against SQLCipher; a process that also holds the
 *   plain SQLite library in its global scope could shadow SQLCipher's symbols, and EngineInit() then refuses
 *   to start with ENG_ERR_STORAGE_LIBRARY (RTLD_DEEPBIND avoids that case).
 *
 * Conventions
 *   - Every entry returns an EngResult: the status in its low 16 bits, 0 (ENG_OK) for success.
 *   - Handles (sessions, databases, cursors, statements) are opaque 32-bit values, never 0 while valid.
 *   - Texts are zero-terminated UTF-8, both ways (the engine's native form is the program's form).
 *   - Call the engine from one thread at a time.
 *   - After every call except EngGetErrorText() and EngGetErrorEntry(), the error stack describes that call's
 *     failure (or is empty): read it with EngGetErrorEntry(1), (2), ... until it answers 0.
 *
 * Storage (driver "STANDARD")
 *   A database is a folder of table files. A table is one SQLite database file, "<name>.db", holding one
 *   table called <name>. A table protected by a table password is encrypted; the password is its key.
 *   Opening a table tries it without a key, then with each password of the session (EngAddPassword) and of
 *   the database (EngOpenDatabase); when none opens it, the answer is ENG_ERR_PASSWORD ($2902).
 *   The column type mapping is documented at "Field types" below and in engine/README.md.
 */
#ifndef DBENGINE_H
#define DBENGINE_H

#include <stdint.h>

#ifdef __cplusplus
extern "C" {
#endif

#if defined(DBENGINE_BUILDING)
#define ENG_API __attribute__((visibility("default")))
#else
#define ENG_API
#endif

typedef uint32_t EngResult; /* status in the low 16 bits */
typedef uint32_t EngHandle; /* 0 = no object */

#define ENG_STATUS(result) ((uint16_t)((result)&0xFFFFu))

/* ---- Limits ---------------------------------------------------------------------------------------- */

#define ENG_VERSION 500      /* the version EngineInit() expects */
#define ENG_MAX_MSG_LEN 128  /* characters of an error text, without the terminating zero */
#define ENG_MSG_BUFFER 129   /* bytes of a buffer that receives an error text */
#define ENG_MAX_NAME_LEN 31  /* field, driver, type and language names */
#define ENG_NAME_BUFFER 32   /* bytes of a buffer that receives such a name */
#define ENG_PATH_BUFFER 261  /* bytes of a buffer that receives a folder or file name */
#define ENG_BOOKMARK_SIZE 16 /* bytes of a bookmark */
#define ENG_RECORD_HEADER 16 /* bytes before the first blank flag of a record (see "Record buffers") */

/* ---- Statuses ---------------------------------------------------------------------------------------
 * The text after each code is what EngGetErrorText() answers for it. Entries of the error stack add the
 * particulars (file, token, position, the storage library's own message).                              */

#define ENG_OK 0x0000                     /* "Success" */
#define ENG_ERR_NOT_STARTED 0x2101        /* "Engine is not started" */
#define ENG_ERR_VERSION 0x2102            /* "Engine version not supported" */
#define ENG_ERR_STORAGE_LIBRARY 0x2103    /* "Storage library without encryption support" */
#define ENG_ERR_LIB_NOT_FOUND 0x2108      /* "Engine library not found" (loader) */
#define ENG_ERR_LIB_LOAD 0x2109           /* "Engine library could not be loaded" (loader) */
#define ENG_ERR_LIB_NOT_LOADABLE 0x210A   /* "Engine library is not loadable" (loader) */
#define ENG_ERR_INTERNAL 0x2110           /* "Internal engine error" */
#define ENG_BOF 0x2201                    /* "At beginning of table": no record before this one */
#define ENG_EOF 0x2202                    /* "At end of table": no record after this one */
#define ENG_ERR_NO_CURRENT_RECORD 0x2203  /* "No current record" */
#define ENG_ERR_RECORD_CHANGED 0x2204     /* "Record changed or deleted by another user" */
#define ENG_ERR_BLOB_SHORT_READ 0x2207    /* "End of blob": fewer bytes than asked; not an error */
#define ENG_ERR_FILE_CORRUPT 0x2401       /* "Table file is corrupt" */
#define ENG_ERR_NOT_A_TABLE 0x2402        /* "File is not a table" */
#define ENG_ERR_TABLE_NOT_FOUND 0x2403    /* "Table does not exist" */
#define ENG_ERR_FOLDER_NOT_FOUND 0x2404   /* "Database folder does not exist" */
#define ENG_ERR_TABLE_LOCKED 0x2405       /* "Table is locked" */
#define ENG_ERR_IO 0x2406                 /* "File read or write failed" */
#define ENG_ERR_NO_MEMORY 0x2501          /* "Not enough memory" */
#define ENG_ERR_KEY_VIOLATION 0x2601      /* "Key violation": a unique or primary key value already exists */
#define ENG_ERR_CHECK_FAILED 0x2602       /* "Field value fails a check of the table" */
#define ENG_ERR_REQUIRED_FIELD 0x2604     /* "Field value required": a NOT NULL field left blank */
#define ENG_ERR_VALUE_TOO_LONG 0x2608     /* "Value is longer than its field": nothing is cut */
#define ENG_ERR_INVALID_HANDLE 0x2701     /* "Invalid handle" */
#define ENG_ERR_INVALID_PARAMETER 0x2702  /* "Invalid parameter" */
#define ENG_ERR_INVALID_FIELD 0x2703      /* "Invalid field number" */
#define ENG_ERR_UNKNOWN_PROPERTY 0x2704   /* "Unknown property" */
#define ENG_ERR_PROPERTY_READ_ONLY 0x2705 /* "Property cannot be changed" */
#define ENG_ERR_NOT_A_BLOB 0x2706         /* "Field is not a blob" */
#define ENG_ERR_BLOB_NOT_OPEN 0x2707      /* "Blob is not open" */
#define ENG_ERR_INVALID_BOOKMARK 0x2708   /* "Invalid bookmark" */
#define ENG_ERR_NOT_PREPARED 0x270A       /* "Statement is not prepared" */
#define ENG_ERR_UNIDIRECTIONAL 0x270B     /* "Cursor moves forward only" */
#define ENG_ERR_INVALID_RECORD 0x270C     /* "Record buffer holds no record of this cursor" */
#define ENG_ERR_BLOB_OFFSET 0x270E        /* "Blob offset beyond the end of the blob": nothing read */
#define ENG_ERR_INDEX_OPEN 0x272C         /* "Index is already open" */
#define ENG_ERR_NO_SUCH_ENTRY 0x274F      /* "No such entry in the engine library" (loader) */
#define ENG_ERR_RECORD_LOCKED 0x2801      /* "Record is being edited by another cursor" (this process) */
#define ENG_ERR_PASSWORD 0x2902           /* "Table password missing or wrong" */
#define ENG_ERR_TABLE_READ_ONLY                                                                              \
  0x2905                                    /* "Table is read-only; it cannot be changed": a write through a \
                                               cursor opened read-only, or refused by the file itself */
#define ENG_ERR_ALIAS_NOT_FOUND 0x2A01      /* "Unknown database alias" */
#define ENG_ERR_CONFIG_PATH 0x2A02          /* "Configuration path not found" */
#define ENG_ERR_CONFIG_FILE 0x2A03          /* "Configuration file cannot be read" */
#define ENG_ERR_DRIVER_NOT_SUPPORTED 0x2A04 /* "Driver or table type not supported" */
#define ENG_ERR_NOT_SUPPORTED 0x2A05        /* "Operation not supported" */
#define ENG_ERR_NOT_AVAILABLE 0x2A06        /* "Not available" (error stack before EngineInit; loader lock) */
#define ENG_ALREADY_STARTED 0x2A07          /* "Engine already started": a success; one more use counted */
#define ENG_ERR_READ_ONLY 0x2A0B            /* "Table is read-only": read-write asked of a read-only file */
#define ENG_ERR_SQL_SYNTAX 0x2E01           /* "Syntax error in SQL statement" */
#define ENG_ERR_SQL_UNKNOWN_TABLE 0x2E02    /* "Unknown table in SQL statement" */
#define ENG_ERR_SQL_UNKNOWN_COLUMN 0x2E03   /* "Unknown column in SQL statement" */
#define ENG_ERR_SQL_NOT_SUPPORTED 0x2E04    /* "SQL statement not supported" */
#define ENG_ERR_SQL_TOO_COMPLEX 0x2E05      /* "SQL statement too deeply nested" */

/* ---- Start and stop ---------------------------------------------------------------------------------- */

/* The record EngineInit() reads: 588 bytes. Zero it and set language to "0009". */
typedef struct EngEnv {
  char workDir[260];    /* offset 0: folder of databases opened without an alias; empty: current folder */
  char configFile[260]; /* offset 260: configuration file; empty: searched (engine/README.md) */
  uint32_t flags;       /* offset 520: reserved, 0 */
  char language[32];    /* offset 524: "0009" = English texts; empty means the same */
  char clientName[32];  /* offset 556: name of the calling program, informational */
} EngEnv;

#ifdef __cplusplus
static_assert(sizeof(EngEnv) == 588, "EngEnv is 588 bytes");
#else
_Static_assert(sizeof(EngEnv) == 588, "EngEnv is 588 bytes");
#endif

/* Run once by the loader when it first takes the library's handle. Prepares the storage library. */
ENG_API EngResult LIBINITFUNCTION(void);

/* Starts the engine (version must be ENG_VERSION; env may be NULL) and creates the default session, which
 * becomes current. Reads the configuration file. When the engine is already started: ENG_ALREADY_STARTED,
 * and one more EngineExit() is needed. ENG_ERR_CONFIG_FILE when a configuration file was named (env or
 * DBENGINE_CONFIG) but cannot be read or parsed; no file found at all is not an error (no aliases). */
ENG_API EngResult EngineInit(uint32_t version, const EngEnv* env);

/* Counts one use off; the last one closes every session, database, cursor and statement. */
ENG_API EngResult EngineExit(void);

/* The engine's version number (ENG_VERSION). Works before EngineInit(). */
ENG_API EngResult EngGetVersion(uint32_t* version);

/* ---- Sessions ----------------------------------------------------------------------------------------
 * Passwords, callbacks and session aliases belong to a session; databases are opened in the current one. */

ENG_API EngResult EngGetCurrentSession(EngHandle* session);
ENG_API EngResult EngSetCurrentSession(EngHandle session);
/* An additional session (name informational; password added to its list when not empty); it becomes
 * current. */
ENG_API EngResult EngStartSession(const char* name, const char* password, EngHandle* session);
/* Closes a session other than the default one, with its databases; the default session becomes current. */
ENG_API EngResult EngCloseSession(EngHandle session);

/* ---- Callbacks --------------------------------------------------------------------------------------- */

#define ENG_CB_SERVERCALL 21 /* info: uint32_t kind, 1 = a call that may take a while begins */
#define ENG_CB_DBLOGIN 28    /* info: EngLoginInfo; the "STANDARD" driver never asks for a login */
#define ENG_CB_DETACH 29     /* info: unused; called when the library is unloaded while started */

#define ENG_SERVERCALL_BEGIN 1

#define ENG_CBR_CONTINUE 1 /* callback answers */
#define ENG_CBR_ABORT 2
#define ENG_CBR_HANDLED 4

/* The engine writes the information into the registered buffer (at most its length) and calls
 * fn(type, clientData, buffer). The answer is ignored for ENG_CB_SERVERCALL and ENG_CB_DETACH. */
typedef uint32_t (*EngCallbackFn)(uint32_t type, uintptr_t clientData, void* info);

typedef struct EngLoginInfo { /* 80 bytes */
  char dbName[32];            /* offset 0 */
  uint8_t reserved[8];        /* offset 32 */
  char password[32];          /* offset 40 */
  int32_t flags;              /* offset 72: 0 = password given, -1 = database handle given */
  EngHandle database;         /* offset 76 */
} EngLoginInfo;

/* Registers fn for the current session (cursor 0) or for one cursor; fn NULL removes the registration.
 * ENG_ERR_INVALID_PARAMETER for a type other than the three above. */
ENG_API EngResult EngRegisterCallback(EngHandle cursor, uint32_t type, uintptr_t clientData,
                                      uint16_t bufferLength, void* buffer, EngCallbackFn fn);
/* The current registration (all zero when none), so that a caller can chain to it. Any out pointer may be
 * NULL. */
ENG_API EngResult EngGetCallback(EngHandle cursor, uint32_t type, uintptr_t* clientData,
                                 uint16_t* bufferLength, void** buffer, EngCallbackFn* fn);

/* ---- Table passwords (current session) ---------------------------------------------------------------- */

ENG_API EngResult EngAddPassword(const char* password);  /* an empty text adds nothing */
ENG_API EngResult EngDropPassword(const char* password); /* NULL removes all; an unknown one: ENG_OK */

/* ---- Configuration -------------------------------------------------------------------------------------
 * Aliases live in the configuration file (engine/README.md): sections "[DATABASES\<alias>\DB INFO]" with
 * TYPE, PATH (relative to the file's folder) and further NAME=value rows. Session aliases
 * (EngAddSessionAlias) are seen before the file's. Alias names compare ignoring case.                   */

/* The alias's driver name ("STANDARD") into a buffer of ENG_NAME_BUFFER bytes. ENG_ERR_ALIAS_NOT_FOUND. */
ENG_API EngResult EngGetAliasDriver(const char* alias, char* driver);
/* A cursor over the rows of a configuration path such as "\DATABASES\vozaza\DB INFO" or "...\DB OPEN":
 * two string fields, "NAME" (31) and "VALUE" (260), in file order. PATH rows give the resolved absolute
 * folder. An alias without such a section gives an empty cursor; an unknown alias
 * ENG_ERR_ALIAS_NOT_FOUND; any other unknown path ENG_ERR_CONFIG_PATH. Close it with EngCloseCursor(). */
ENG_API EngResult EngOpenConfigRows(const char* path, EngHandle* cursor);
/* A session alias: driver "STANDARD" (NULL means the same) and params as "NAME=value" lines separated by
 * '\n' (a PATH is needed; relative to the current folder). Replaces a session alias of the same name. */
ENG_API EngResult EngAddSessionAlias(const char* alias, const char* driver, const char* params);
ENG_API EngResult EngDeleteSessionAlias(const char* alias);

/* ---- Databases ---------------------------------------------------------------------------------------- */

#define ENG_OPEN_READWRITE 0
#define ENG_OPEN_READONLY 1
#define ENG_SHARE_SHARED 0
#define ENG_SHARE_EXCLUSIVE 1

/* Opens the alias name (NULL or empty: the working folder, changeable with EngSetDirectory) in the current
 * session. type: NULL, "" or "STANDARD". The password, when not empty, is tried on this database's tables
 * after the session's. ENG_ERR_ALIAS_NOT_FOUND, ENG_ERR_FOLDER_NOT_FOUND, ENG_ERR_DRIVER_NOT_SUPPORTED. */
ENG_API EngResult EngOpenDatabase(const char* name, const char* type, uint32_t openMode, uint32_t shareMode,
                                  const char* password, EngHandle* database);
/* Closes the database with its cursors and statements. */
ENG_API EngResult EngCloseDatabase(EngHandle database);
ENG_API EngResult EngSetDirectory(EngHandle database, const char* folder);
ENG_API EngResult EngGetDirectory(EngHandle database, char* folder); /* ENG_PATH_BUFFER bytes */

/* ---- Properties ----------------------------------------------------------------------------------------
 * Numbers and flags are read as uint32_t (maxLength >= 4) and set as the value itself; texts are read
 * zero-terminated (at most maxLength bytes) and set as a pointer to the text cast to uintptr_t.         */

/* Sessions */
#define ENG_SESPROP_CONFIG_MODE 0x00020001 /* bits: 1 session aliases, 2 file aliases, 4 kept; default 7 */
#define ENG_SESPROP_PRIVATE_DIR 0x00020002 /* text: folder for private work files (kept, unused) */
#define ENG_SESPROP_NET_DIR 0x00020003     /* text: shared control folder (kept, unused) */
/* Databases */
#define ENG_DBPROP_TYPE_NAME 0x00040002 /* text, read-only: "STANDARD" */
#define ENG_DBPROP_NAMES_IGNORE_CASE                                   \
  0x00040004 /* flag, default 1: table and column names match ignoring \
                case; 0: exact case */
#define ENG_DBPROP_OPTIONAL_EXTENSION                               \
  0x00040005 /* flag, default 1: table names may omit ".db"; 0: the \
                open-table call must name the file exactly */
#define ENG_DBPROP_WAIT_ON_LOCK                                          \
  0x04040011 /* flag, default 1: wait up to 2 s for a table that another \
                process holds locked; 0: ENG_ERR_TABLE_LOCKED at once */
/* Statements */
#define ENG_STMTPROP_UNIDIRECTIONAL                                    \
  0x00060010 /* flag, default 0: results move forward only and keep no \
                history (prior and bookmarks: ENG_ERR_UNIDIRECTIONAL) */
#define ENG_STMTPROP_RESULT_KIND                                             \
  0x00060021 /* 1 live or 2 copy (default); results are read-only either way \
              */
#define ENG_STMTPROP_SERVER_SQL                                      \
  0x00060026 /* flag, default 0: 1 asks to pass the text to a server \
                unchanged; "STANDARD" has none: ENG_ERR_NOT_SUPPORTED */
#define ENG_STMTPROP_CONSTRAINED                                          \
  0x00060031 /* flag, default 0: edits of a live result must keep meeting \
                the WHERE clause (kept; results are read-only) */
#define ENG_STMTPROP_ANSI_TEXT                                               \
  0x00060042 /* flag, default 0: the statement text is in the program's form \
                rather than the native one (the same: UTF-8) */

ENG_API EngResult EngGetProperty(EngHandle object, uint32_t property, void* value, uint16_t maxLength,
                                 uint16_t* length);
ENG_API EngResult EngSetProperty(EngHandle object, uint32_t property, uintptr_t value);

/* ---- Field types ---------------------------------------------------------------------------------------
 * Declared SQLite column type (case ignored)        engine type / subtype           units1          record
 *   CHAR(n) VARCHAR(n) TEXT(n) STRING(n) ALPHA(n)    ENG_FLD_STRING                 n (1..8192)     n+1
 *   TEXT, CHAR, VARCHAR without (n), CLOB, DATE...   ENG_FLD_STRING                 255             256
 *   FMTMEMO[(n)]                                     ENG_FLD_BLOB / ENG_SUB_FMTMEMO n, else 1       0
 *   MEMO[(n)]                                        ENG_FLD_BLOB / ENG_SUB_MEMO    n, else 1       0
 *   BLOB[(n)] BINARY[(n)] or no type                 ENG_FLD_BLOB / ENG_SUB_BINARY  n, else 1       0
 *   GRAPHIC[(n)]                                     ENG_FLD_BLOB / ENG_SUB_GRAPHIC n, else 1       0
 *   SMALLINT SHORT                                   ENG_FLD_INT16                  0               2
 *   INTEGER INT LONG                                 ENG_FLD_INT32                  0               4
 *   AUTOINC                                          ENG_FLD_INT32 / ENG_SUB_AUTOINC 0              4
 *   BIGINT INT64 LARGEINT                            ENG_FLD_INT64                  0               8
 *   REAL FLOAT DOUBLE NUMBER NUMERIC                 ENG_FLD_FLOAT                  0               8
 *   MONEY CURRENCY                                   ENG_FLD_FLOAT / ENG_SUB_MONEY  0               8
 *   BOOLEAN LOGICAL                                  ENG_FLD_BOOL                   0               2
 * String lengths count bytes of UTF-8; a longer stored text is cut at a character boundary. For blobs,
 * units1 is the in-row size the table declares; the record holds no blob bytes (only the blank flag):
 * read blobs with the blob calls. A column that is NOT NULL is required (a validity check); one with a
 * DEFAULT has a default value. Integers outside the field's range are cut to its smallest or largest value.
 */

#define ENG_FLD_UNKNOWN 0
#define ENG_FLD_STRING 1
#define ENG_FLD_DATE 2
#define ENG_FLD_BLOB 3
#define ENG_FLD_BOOL 4
#define ENG_FLD_INT16 5
#define ENG_FLD_INT32 6
#define ENG_FLD_FLOAT 7
#define ENG_FLD_INT64 18

#define ENG_SUB_MONEY 21
#define ENG_SUB_MEMO 22
#define ENG_SUB_BINARY 23
#define ENG_SUB_FMTMEMO 24
#define ENG_SUB_GRAPHIC 26
#define ENG_SUB_AUTOINC 29

#define ENG_RIGHTS_READWRITE 0
#define ENG_RIGHTS_READONLY 1

typedef struct EngFieldDesc {
  uint16_t fieldNumber;   /* 1-based */
  char name[32];          /* zero-terminated; longer column names are cut to 31 bytes */
  uint16_t fieldType;     /* ENG_FLD_... */
  uint16_t subType;       /* ENG_SUB_... or 0 */
  int16_t units1;         /* strings: declared length; blobs: in-row size */
  int16_t units2;         /* 0 */
  uint32_t offset;        /* where the value starts in the record buffer */
  uint32_t length;        /* bytes of the value in the record buffer (0 for blobs) */
  uint32_t nullOffset;    /* where the field's blank flag byte is */
  uint16_t validityCheck; /* number of the field's validity check, 0 when none */
  uint16_t rights;        /* ENG_RIGHTS_READWRITE on a read-write table cursor, else ENG_RIGHTS_READONLY */
  uint16_t calculated;    /* 1 when the engine computes the value (never) */
  uint16_t hidden;        /* 1 for a hidden field (never) */
} EngFieldDesc;

typedef struct EngValidityCheck {
  uint16_t fieldNumber;
  uint16_t required;   /* 1: the column is NOT NULL */
  uint16_t hasDefault; /* 1: the column has a DEFAULT value */
  uint16_t reserved;
} EngValidityCheck;

/* ---- Cursors -------------------------------------------------------------------------------------------
 * Record buffers: the caller allocates recordSize bytes (EngCursorProps). A fetched record holds
 *   offset 0   uint32_t  the cursor's handle (blob calls check it)
 *   offset 4   uint32_t  sequence number (1-based position in the cursor)
 *   offset 8   int64_t   the row's id in its table file
 *   offset 16  one blank flag byte per field, in field order (1 = blank: NULL, or an empty text or blob)
 *   then the field values at the offsets the field descriptors give: strings zero-terminated in
 *   units1 + 1 bytes, numbers little-endian (int16, int32, int64, IEEE double), booleans as uint16 0 or 1.
 * Callers only need EngGetField() and the blob calls to read a record.                                   */

#define ENG_RECNO_NONE 0
#define ENG_RECNO_SEQUENCE 1 /* records are numbered by their position (all cursors of this engine) */
#define ENG_RECNO_PHYSICAL 2

typedef struct EngCursorProps {
  uint32_t recordSize;
  uint32_t bookmarkSize; /* ENG_BOOKMARK_SIZE */
  uint16_t fieldCount;
  uint16_t blobFieldCount;
  uint16_t validityCheckCount;
  uint16_t recordNumberKind; /* ENG_RECNO_... */
  uint16_t openMode;         /* ENG_OPEN_READONLY when the table was opened read-only */
  uint16_t rightsReadOnly;   /* 1: records cannot be changed through this cursor (read-only tables, results,
                                configuration rows, unidirectional cursors); 0: a read-write table */
  uint16_t shareMode;
  uint16_t unidirectional;
  uint16_t isResult; /* 1 for a statement's result, 0 for a table or configuration rows */
  uint16_t reserved;
  char tableName[ENG_PATH_BUFFER]; /* the table's file name, e.g. "vezedezavuza.db" */
  char tableType[ENG_NAME_BUFFER]; /* "PARADOX" for table files, "" for configuration rows */
} EngCursorProps;

typedef struct EngRecordProps {
  uint32_t seqNum;       /* 1-based position in the cursor */
  uint32_t physRecNum;   /* the row id when it fits in 32 bits, else 0 */
  uint16_t recordStatus; /* 0: unchanged */
  uint16_t deleted;      /* 0 */
  uint32_t reserved;
  int64_t rowId;
} EngRecordProps;

/* Lock kinds of the fetch calls. ENG_LOCK_WRITE reads the row afresh from the file and begins an edit of it
 * (read-write cursors only): the row's values as read now are what a later modify or delete compares the
 * file with, and no other cursor of this process can begin an edit of the same row until the edit ends
 * (ENG_ERR_RECORD_LOCKED). A cursor edits one row at a time: locking another row ends the earlier edit
 * and drops its staged blob writes. An edit ends with a modify that frees the lock, a delete, a cancel,
 * EngReleaseRecordLock or closing the cursor. */
#define ENG_LOCK_NONE 0
#define ENG_LOCK_WRITE 1

/* Opens table (name with or without ".db") of database. type: NULL, "" or "PARADOX" (table files);
 * indexName and indexTag must be empty (no indexes: rows come in the order they were written); indexId and
 * translation (ENG_XLT_...) are accepted and ignored; options must be NULL. Read-write asked of a read-only
 * file: ENG_ERR_READ_ONLY (open it read-only). Exclusive: no other cursor of this process may have the
 * table, and none may open it after. ENG_ERR_TABLE_NOT_FOUND, ENG_ERR_PASSWORD, ENG_ERR_FILE_CORRUPT,
 * ENG_ERR_NOT_A_TABLE, ENG_ERR_TABLE_LOCKED. The new cursor stands before the first record. */
#define ENG_XLT_NONE 0
#define ENG_XLT_FIELD 1
#define ENG_XLT_RECORD 2
ENG_API EngResult EngOpenTable(EngHandle database, const char* table, const char* type, const char* indexName,
                               const char* indexTag, uint16_t indexId, uint32_t openMode, uint32_t shareMode,
                               uint32_t translation, uint32_t unidirectional, const void* options,
                               EngHandle* cursor);
ENG_API EngResult EngGetCursorProps(EngHandle cursor, EngCursorProps* props);
ENG_API EngResult EngGetFieldDescs(EngHandle cursor, EngFieldDesc* descs);          /* fieldCount entries */
ENG_API EngResult EngGetValidityChecks(EngHandle cursor, EngValidityCheck* checks); /* validityCheckCount */
/* The language driver's name ("UTF8") of a cursor or database, into ENG_NAME_BUFFER bytes. */
ENG_API EngResult EngGetLanguageDriver(EngHandle object, char* name);

/* "First" and "last": put the cursor before the first or after the last record. */
ENG_API EngResult EngSetToBegin(EngHandle cursor);
ENG_API EngResult EngSetToEnd(EngHandle cursor);
/* Fetch the current, next or prior record into record (recordSize bytes, may be NULL to move only);
 * props may be NULL. ENG_BOF / ENG_EOF when there is none; the cursor then stands before the first or after
 * the last record. */
ENG_API EngResult EngGetRecord(EngHandle cursor, uint32_t lock, void* record, EngRecordProps* props);
ENG_API EngResult EngGetNextRecord(EngHandle cursor, uint32_t lock, void* record, EngRecordProps* props);
ENG_API EngResult EngGetPriorRecord(EngHandle cursor, uint32_t lock, void* record, EngRecordProps* props);
/* Number of records of the cursor. */
ENG_API EngResult EngGetRecordCount(EngHandle cursor, uint32_t* count);

/* Bookmarks (ENG_BOOKMARK_SIZE bytes) of the current record; setting one makes its record current. */
ENG_API EngResult EngGetBookmark(EngHandle cursor, void* bookmark);
ENG_API EngResult EngSetToBookmark(EngHandle cursor, const void* bookmark);
ENG_API EngResult EngCompareBookmarks(EngHandle cursor, const void* first, const void* second,
                                      int32_t* order); /* -1, 0 or 1 */

/* One field of record: its record bytes (EngFieldDesc.length) into dest when dest is not NULL, and
 * *isBlank (may be NULL) = 1 for a blank field. Blob fields copy nothing. */
ENG_API EngResult EngGetField(EngHandle cursor, uint16_t fieldNumber, const void* record, void* dest,
                              uint16_t* isBlank);

/* Blobs of a fetched record (or of a record made by EngInitRecord): open, size, read length bytes from
 * offset into dest (*read gets the count: ENG_ERR_BLOB_SHORT_READ when fewer, ENG_ERR_BLOB_OFFSET when
 * offset is past the end), free. A blank blob opens with size 0. ENG_OPEN_READWRITE is for read-write
 * cursors only (ENG_ERR_TABLE_READ_ONLY otherwise) and allows EngPutBlob and EngTruncateBlob; reads of a
 * blob with staged writes see the staged bytes. */
ENG_API EngResult EngOpenBlob(EngHandle cursor, const void* record, uint16_t fieldNumber, uint32_t openMode);
ENG_API EngResult EngGetBlobSize(EngHandle cursor, const void* record, uint16_t fieldNumber, uint32_t* size);
ENG_API EngResult EngGetBlob(EngHandle cursor, const void* record, uint16_t fieldNumber, uint32_t offset,
                             uint32_t length, void* dest, uint32_t* read);
ENG_API EngResult EngFreeBlob(EngHandle cursor, const void* record, uint16_t fieldNumber);

/* Ends the cursor's edit, if any, as EngCancelRecord does (all: ignored, a cursor edits one row). */
ENG_API EngResult EngReleaseRecordLock(EngHandle cursor, uint16_t all);
/* Frees its open blobs and drops its edit and staged blob writes. */
ENG_API EngResult EngCloseCursor(EngHandle cursor);

/* ---- Writing -------------------------------------------------------------------------------------------
 * Only a table opened read-write writes; every write through another cursor answers ENG_ERR_TABLE_READ_ONLY
 * and changes nothing. Field values are set in a record buffer (EngInitRecord, EngPutField) and reach the
 * file with EngInsertRecord or EngModifyRecord. Blob bytes are staged in the engine (per cursor, row and
 * field) by EngPutBlob and EngTruncateBlob and written with the row; a cancel, the end of the edit or
 * closing the cursor drops them.
 *
 * Every insert, modify and delete is atomic: it is written completely or, on any failure, not at all, and
 * then answers its status with the storage library's native code on the error stack. Failures: the
 * read-only status; ENG_ERR_TABLE_LOCKED when another process holds the table longer than the lock wait
 * (ENG_DBPROP_WAIT_ON_LOCK); ENG_ERR_KEY_VIOLATION, ENG_ERR_REQUIRED_FIELD, ENG_ERR_CHECK_FAILED;
 * ENG_ERR_RECORD_CHANGED when the row in the file no longer equals what the edit began with (another
 * process changed or deleted it since): then nothing is written, and the edit goes on, so that the caller
 * can cancel it and read the row again. Without an edit begun (ENG_LOCK_WRITE), modify and delete compare
 * the file's row with the cursor's copy of it instead (the field values and blob sizes it read).
 *
 * After a write the cursor's rows show it: the cursor stands on a row it inserted or modified; after a
 * delete the row is gone and the cursor stands between its neighbours (the next fetch gives the row that
 * followed, the prior fetch the row before; EngGetRecord answers ENG_ERR_NO_CURRENT_RECORD). Other cursors
 * keep the rows they read until they are opened again. */

/* A blank record for an insert: every field blank except those with a default value, which hold it. The
 * record's blobs can be opened read-write at once. */
ENG_API EngResult EngInitRecord(EngHandle cursor, void* record);
/* Sets field fieldNumber of record from src (the field's form in a record buffer: strings zero-terminated,
 * numbers as EngGetField gives them); src NULL makes the field blank (for a blob: empties it and drops its
 * staged writes). A string longer than the field's declared length: ENG_ERR_VALUE_TOO_LONG, the record
 * unchanged. Blob bytes go through the blob calls (ENG_ERR_INVALID_PARAMETER for src on a blob field). */
ENG_API EngResult EngPutField(EngHandle cursor, uint16_t fieldNumber, void* record, const void* src);
/* Writes length bytes of src at offset into an open blob (ENG_OPEN_READWRITE), growing it as needed:
 * ENG_ERR_BLOB_OFFSET when offset is past its end. The record's blank flag for the field follows the new
 * size. */
ENG_API EngResult EngPutBlob(EngHandle cursor, void* record, uint16_t fieldNumber, uint32_t offset,
                             uint32_t length, const void* src);
/* Cuts an open blob (ENG_OPEN_READWRITE) to length bytes: ENG_ERR_BLOB_OFFSET when it is shorter. */
ENG_API EngResult EngTruncateBlob(EngHandle cursor, void* record, uint16_t fieldNumber, uint32_t length);
/* Appends record (made by EngInitRecord, or a record of this cursor) as a new row with its staged blobs;
 * the cursor stands on it. lock ENG_LOCK_WRITE begins an edit of the new row. */
ENG_API EngResult EngInsertRecord(EngHandle cursor, uint32_t lock, const void* record);
/* Writes record over the current row (record must be a record of that row: ENG_ERR_INVALID_RECORD),
 * with its staged blobs. freeLock 1 ends the edit; 0 keeps it, with the written values as its start. */
ENG_API EngResult EngModifyRecord(EngHandle cursor, const void* record, uint16_t freeLock);
/* Deletes the current row (record, when not NULL, must be a record of it) and ends the edit. */
ENG_API EngResult EngDeleteRecord(EngHandle cursor, void* record);
/* Drops staged blob writes and ends the edit; the row in the file is unchanged. record may be NULL; when
 * given and the cursor stands on a row, it receives that row as the cursor holds it. */
ENG_API EngResult EngCancelRecord(EngHandle cursor, void* record);

/* Transactions: between begin and end, the writes through cursors of the database take effect together
 * or not at all, table file by table file (each file commits on its own, in the order they were first
 * written). One transaction per database at a time (ENG_ERR_NOT_SUPPORTED for a second). Each write
 * inside stays atomic: a failed one leaves the transaction as it was. A rollback leaves the files as they
 * were at the begin; cursors that wrote in it then stand before their first record and read their table
 * afresh. Closing the database rolls an open transaction back. */
#define ENG_TX_COMMIT 0
#define ENG_TX_ROLLBACK 1
ENG_API EngResult EngBeginTransaction(EngHandle database, EngHandle* transaction);
ENG_API EngResult EngEndTransaction(EngHandle database, EngHandle transaction, uint32_t end);

/* ---- Statements ----------------------------------------------------------------------------------------
 * The local SQL dialect (language ENG_LANG_SQL):
 *   SELECT * | column [, column ...] FROM table [[AS] alias]
 *     [WHERE condition] [ORDER BY column [ASC | DESC] [, ...]] [;]
 *   table: a table of the database's folder, with or without ".db", or a quoted file name.
 *   condition: comparisons = <> != < > <= >=, [NOT] LIKE (% and _; ASCII letters ignore case),
 *     IS [NOT] NULL, AND, OR, NOT, parentheses. Values: columns (optionally alias.column), 'text' or
 *     "text" (both are string literals; a doubled quote stands for itself), numbers, NULL.
 *   Keywords ignore case; blanks, tabs, CR and LF separate tokens. Text comparisons are exact.
 * Errors name the token and its 1-based character position.                                             */

#define ENG_LANG_SQL 2

ENG_API EngResult EngAllocStatement(EngHandle database, uint32_t language, EngHandle* statement);
/* Parses the text and checks it against the tables (opening them: ENG_ERR_PASSWORD may come here). */
ENG_API EngResult EngPrepareStatement(EngHandle statement, const char* text);
/* Runs a prepared statement; its result becomes a new cursor before the first record. cursor NULL runs
 * it without a result. */
ENG_API EngResult EngExecuteStatement(EngHandle statement, EngHandle* cursor);
/* Frees the statement; cursors it made stay open. */
ENG_API EngResult EngFreeStatement(EngHandle statement);

/* ---- Errors -------------------------------------------------------------------------------------------- */

/* The engine's text for a status (ENG_MSG_BUFFER bytes). Works before EngineInit(). */
ENG_API EngResult EngGetErrorText(EngResult status, char* text);
/* Entry n (from 1) of the error stack of the last call: answers the entry's status and fills nativeCode
 * (the storage library's error code, 0 when none) and text (ENG_MSG_BUFFER bytes); both may be NULL.
 * Past the last entry the answer is 0; before EngineInit() it is ENG_ERR_NOT_AVAILABLE. */
ENG_API EngResult EngGetErrorEntry(uint16_t entry, int32_t* nativeCode, char* text);

/* ---- The list of entries ---------------------------------------------------------------------------------
 * Every entry above once, for programs that resolve them by name: expand ENG_ENTRIES(X) with a macro X(name)
 * to declare, resolve or count them. ENG_SETUP_ENTRIES lists the three that a loader calls itself around
 * the others (set-up, start, stop); ENG_WORK_ENTRIES the rest, in the order of this header.              */

/* clang-format off */
#define ENG_SETUP_ENTRIES(X) \
  X(LIBINITFUNCTION)         \
  X(EngineInit)              \
  X(EngineExit)

#define ENG_WORK_ENTRIES(X)  \
  X(EngGetVersion)           \
  X(EngGetCurrentSession)    \
  X(EngSetCurrentSession)    \
  X(EngStartSession)         \
  X(EngCloseSession)         \
  X(EngRegisterCallback)     \
  X(EngGetCallback)          \
  X(EngAddPassword)          \
  X(EngDropPassword)         \
  X(EngGetAliasDriver)       \
  X(EngOpenConfigRows)       \
  X(EngAddSessionAlias)      \
  X(EngDeleteSessionAlias)   \
  X(EngOpenDatabase)         \
  X(EngCloseDatabase)        \
  X(EngSetDirectory)         \
  X(EngGetDirectory)         \
  X(EngGetProperty)          \
  X(EngSetProperty)          \
  X(EngOpenTable)            \
  X(EngGetCursorProps)       \
  X(EngGetFieldDescs)        \
  X(EngGetValidityChecks)    \
  X(EngGetLanguageDriver)    \
  X(EngSetToBegin)           \
  X(EngSetToEnd)             \
  X(EngGetRecord)            \
  X(EngGetNextRecord)        \
  X(EngGetPriorRecord)       \
  X(EngGetRecordCount)       \
  X(EngGetBookmark)          \
  X(EngSetToBookmark)        \
  X(EngCompareBookmarks)     \
  X(EngGetField)             \
  X(EngOpenBlob)             \
  X(EngGetBlobSize)          \
  X(EngGetBlob)              \
  X(EngFreeBlob)             \
  X(EngReleaseRecordLock)    \
  X(EngCloseCursor)          \
  X(EngInitRecord)           \
  X(EngPutField)             \
  X(EngPutBlob)              \
  X(EngTruncateBlob)         \
  X(EngInsertRecord)         \
  X(EngModifyRecord)         \
  X(EngDeleteRecord)         \
  X(EngCancelRecord)         \
  X(EngBeginTransaction)     \
  X(EngEndTransaction)       \
  X(EngAllocStatement)       \
  X(EngPrepareStatement)     \
  X(EngExecuteStatement)     \
  X(EngFreeStatement)        \
  X(EngGetErrorText)         \
  X(EngGetErrorEntry)

#define ENG_ENTRIES(X) ENG_SETUP_ENTRIES(X) ENG_WORK_ENTRIES(X)
/* clang-format on */

#ifdef __cplusplus
}
#endif

#endif /* DBENGINE_H */
