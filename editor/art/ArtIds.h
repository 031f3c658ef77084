// Resource ids of the program's pictures. The generated art.rc and the C++
// code both include this header; every id here has an art file in this
// folder, and tools/pixelart.py refuses a build where the two disagree.
#ifndef DABIRO_ART_IDS_H
#define DABIRO_ART_IDS_H

#define IDI_DABIRO 1

// Command buttons: a normal and a disabled picture each.
#define IDB_OPEN 200
#define IDB_OPEN_DISABLED 201
#define IDB_SAVE 202
#define IDB_SAVE_DISABLED 203
#define IDB_PRINT 204
#define IDB_PRINT_DISABLED 205
#define IDB_UNDO 206
#define IDB_UNDO_DISABLED 207
#define IDB_CUT 208
#define IDB_CUT_DISABLED 209
#define IDB_COPY 210
#define IDB_COPY_DISABLED 211
#define IDB_PASTE 212
#define IDB_PASTE_DISABLED 213

// State buttons.
#define IDB_BOLD 220
#define IDB_ITALIC 221
#define IDB_UNDERLINE 222
#define IDB_ALIGNLEFT 223
#define IDB_ALIGNCENTER 224
#define IDB_ALIGNRIGHT 225
#define IDB_BULLETS 226

// About box glyph buttons: normal and disabled image side by side.
#define IDB_OKGLYPH 230
#define IDB_HELPGLYPH 231

#endif
