#pragma once
#include <string>

// What the editor says in its status line, questions and messages, in one
// place; "%s" stands for a name or a number. The menus, hints and button
// texts stay in the tables that build them, and the German failure texts
// in the string table.
namespace texts {

constexpr char Untitled[] = "Untitled";

// Start-up.
constexpr char PlainTextOnly[] =
    "The rich edit library RICHED32.DLL could not be loaded.\r\n"
    "Dabiro works as a plain text editor: rich text, formats and printing are unavailable.";
constexpr char DoubleByteCodePage[] =
    "This Windows uses a double-byte code page, and its rich edit library keeps text as bytes "
    "of that code page.\r\n"
    "Some Persian letters will show as other characters.";

// Files. Work in progress reads "Opening sabz.rtf...", with plain dots:
// the status line shows ANSI text, and an ellipsis byte is another
// character, or half of one, under many code pages.
constexpr char Doing[] = "%s %s...";
constexpr char Progress[] = "%s %s%";
constexpr char SaveChanges[] = "Save changes to %s?";
constexpr char OverwriteExisting[] = "OK to overwrite %s";
constexpr char OverwriteUnshown[] =
    "%s holds characters the font Persian cannot show, opened as \"?\". Saving writes \"?\" in "
    "their place.\n"
    "Overwrite it?";
constexpr char CodesWithoutGlyph[] =
    "%s code(s) have no glyph in the font Persian and would be written as U+FFFD.\n";
constexpr char SaveAnyway[] = "Save %s anyway?";
// A file the editor cannot read as what it holds; %s: its name, then why.
constexpr char CannotBeOpened[] = "%s cannot be opened: %s";
constexpr char OpenedAs[] = "Opened as %s";
constexpr char SavedAs[] = "Saved as %s";
constexpr char FirstOfDropped[] = "Opened the first of %s dropped files";
constexpr char PrintingPage[] = "Printing page %s...";
constexpr char PrintPreview[] = "Print Preview";

// The recovery copy.
constexpr char RecoveryNotWritten[] = "The recovery copy of the document could not be written";
constexpr char RestoreQuestion[] = "Restore the unsaved document %s from %s?";
constexpr char Restoring[] = "Restoring %s...";

// Find and Replace.
constexpr char NotFound[] = "Not found";
constexpr char FoundFromTheTop[] = "Not found further down: found from the top";
constexpr char OpenedReadOnly[] = "The document was opened read-only";
constexpr char PlaceReplaced[] = "%s place replaced";
constexpr char PlacesReplaced[] = "%s places replaced";

// The keyboard.
constexpr char PersianKeyboard[] = "Persian keyboard";
constexpr char LatinKeyboard[] = "Latin keyboard";
// %s: the character typed, as "U+00E9", with its key's name where it has one.
constexpr char CannotBeWritten[] = "%s cannot be written with the font Persian";

// The clipboard; %s: what was done ("copied", "cut").
constexpr char ClipboardNotWritten[] =
    "The clipboard could not be written (another program may hold it): nothing was %s";
constexpr char WrittenAsQuestionMarks[] =
    "%s character(s) the font Persian cannot show were written as \"?\".\n";
constexpr char NoUnicodeText[] =
    "The clipboard holds no Unicode text that the font Persian can show.";
constexpr char ReadOnlyNotPasted[] = "The document is read-only: nothing was pasted.";

}  // namespace texts
