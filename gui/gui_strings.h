#pragma once
// Messages of the window framework.

#include "core/string_table.h"

inline constexpr TResString SInvalidImage{"SInvalidImage", "Bitmap image is not valid"};
inline constexpr TResString SCannotShowModal{"SCannotShowModal", "Cannot make a visible window modal"};
inline constexpr TResString SCannotFocus{"SCannotFocus", "Cannot focus a disabled or invisible window"};
inline constexpr TResString SControlParentSetToSelf{"SControlParentSetToSelf",
                                                    "A control cannot have itself as its parent"};
inline constexpr TResString SParentRequired{"SParentRequired", "Control '%s' has no parent window"};
inline constexpr TResString SNoCanvasHandle{"SNoCanvasHandle", "Canvas does not allow drawing"};
inline constexpr TResString SUnknownException{"SUnknownException", "Unknown exception"};
inline constexpr TResString SMsgDlgWarning{"SMsgDlgWarning", "Warning"};
inline constexpr TResString SMsgDlgError{"SMsgDlgError", "Error"};
inline constexpr TResString SMsgDlgInformation{"SMsgDlgInformation", "Information"};
inline constexpr TResString SMsgDlgConfirm{"SMsgDlgConfirm", "Confirm"};
inline constexpr TResString SMsgDlgYes{"SMsgDlgYes", "&Yes"};
inline constexpr TResString SMsgDlgNo{"SMsgDlgNo", "&No"};
inline constexpr TResString SMsgDlgOK{"SMsgDlgOK", "OK"};
inline constexpr TResString SMsgDlgCancel{"SMsgDlgCancel", "Cancel"};
inline constexpr TResString SMsgDlgHelp{"SMsgDlgHelp", "&Help"};
inline constexpr TResString SMsgDlgAbort{"SMsgDlgAbort", "&Abort"};
inline constexpr TResString SMsgDlgRetry{"SMsgDlgRetry", "&Retry"};
inline constexpr TResString SMsgDlgIgnore{"SMsgDlgIgnore", "&Ignore"};
inline constexpr TResString SMsgDlgAll{"SMsgDlgAll", "&All"};
inline constexpr TResString SMsgDlgNoToAll{"SMsgDlgNoToAll", "N&o to All"};
inline constexpr TResString SMsgDlgYesToAll{"SMsgDlgYesToAll", "Yes to &All"};
