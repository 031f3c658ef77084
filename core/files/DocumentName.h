#pragma once
#include <string>

namespace core {

// Windows takes '/' for a separator as it takes '\'.

// The characters after the last '\', '/' or ':', or the whole name.
std::string FileNamePart(const std::string& name);

// The path up to and including its last '\', '/' or ':' (empty if it has
// none): the folder of a program file, ending in its separator.
std::string FolderOf(const std::string& path);

// The main window's caption: "<file name part> - <title>".
std::string WindowCaption(const std::string& documentName, const std::string& title);

// The spooler's job name: the document title's first 31 characters.
std::string PrintJobName(const std::string& title);

}  // namespace core
