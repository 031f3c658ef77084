#pragma once

// Ids of the message dialog's captions and button texts. The program's
// string table holds the texts under these ids.
#define IDS_WARNING 61560
#define IDS_ERROR 61561
#define IDS_INFORMATION 61562
#define IDS_CONFIRMATION 61563
#define IDS_YES 61564
#define IDS_NO 61565
#define IDS_OK 61566
#define IDS_CANCEL 61567
#define IDS_HELP 61568
#define IDS_ABORT 61571
#define IDS_RETRY 61572
#define IDS_IGNORE 61573
#define IDS_ALL 61574
