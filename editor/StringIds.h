#pragma once

// Ids of the German texts in the editor's string table.
#include "DialogStringIds.h"

#define IDS_OK_BUTTON 61508
#define IDS_OPERATION_ABORTED 65437
#define IDS_INVALID_VARIANT_CONVERSION 65442

// Failures of the editor's own.
#define IDS_STREAM_FAILED 62000
#define IDS_PRINTING_NEEDS_RICH_EDIT 62001
#define IDS_OLD_FILE_ASIDE 62002
#define IDS_CANNOT_OPEN_FILE 62003
#define IDS_CANNOT_CREATE_FILE 62004
#define IDS_LOAD_FAILED 62005
#define IDS_SAVE_FAILED 62006
// Printing a range of pages past the document's end.
#define IDS_NO_SUCH_PAGES 62010
