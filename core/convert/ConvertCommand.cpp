#include "ConvertCommand.h"

#include "AsciiText.h"
#include "Exceptions.h"
#include "GlyphToUnicode.h"
#include "HtmlWriter.h"
#include "RtfConversion.h"
#include "UnicodeToGlyph.h"
#include "Utf.h"

namespace core {

const char ConvertUsage[] =
    "Usage: dabiro-convert to-unicode IN OUT [--placeholders]\n"
    "       dabiro-convert from-unicode IN OUT [--placeholders]\n"
    "\n"
    "Converts between Dabiro documents, whose Persian is written in the glyph\n"
    "codes of the font Persian, and standard Unicode Persian.\n"
    "\n"
    "  to-unicode     glyph .txt to UTF-8 .txt or .html; Dabiro .rtf to Unicode\n"
    "                 .rtf or .html\n"
    "  from-unicode   UTF-8 or UTF-16 (with byte order mark) .txt to glyph .txt;\n"
    "                 Unicode .rtf to Dabiro .rtf\n"
    "  IN, OUT        file names; - is standard input or output (text)\n"
    "  --placeholders write ? (to glyphs) or U+FFFD (to Unicode) for what cannot\n"
    "                 be converted, and list it, instead of stopping\n"
    "\n"
    "OUT is replaced only when the conversion has succeeded.\n";

namespace {

DocumentFormat FormatOf(const std::string& name) {
  if (name == "-") return DocumentFormat::Text;
  const std::size_t dot = name.find_last_of('.');
  const std::size_t slash = name.find_last_of("/\\");
  const std::string extension =
      dot == std::string::npos || (slash != std::string::npos && dot < slash)
          ? ""
          : LowerAscii(name.substr(dot));
  if (extension == ".txt") return DocumentFormat::Text;
  if (extension == ".rtf") return DocumentFormat::Rtf;
  if (extension == ".html" || extension == ".htm") return DocumentFormat::Html;
  throw Exception("cannot tell the format of \"" + name + "\": name it .txt, .rtf or .html");
}

bool Supported(const ConvertRequest& request) {
  const DocumentFormat in = request.inputFormat, out = request.outputFormat;
  if (request.direction == ConvertDirection::ToUnicode)
    return (in == DocumentFormat::Text && out != DocumentFormat::Rtf) ||
           (in == DocumentFormat::Rtf && out != DocumentFormat::Text);
  return in == out && in != DocumentFormat::Html;
}

std::string ProblemMessage(const Unconvertibles& problems) {
  std::string message = Describe(problems.front());
  if (problems.size() > 1)
    message += " (and " + std::to_string(problems.size() - 1) +
               " more; --placeholders converts them visibly)";
  return message;
}

std::u32string UnicodeInput(std::string_view input) {
  std::u32string text;
  std::size_t faultAt = 0;
  if (!UnicodeFromFileBytes(input, text, faultAt))
    throw Exception("the input is not UTF-8, or UTF-16 with a byte order mark: fault at byte " +
                    std::to_string(faultAt));
  return text;
}

ConvertedDocument ConvertRtf(const ConvertRequest& request, std::string_view input) {
  ConvertedDocument result;
  const RtfDocument document = ReadRtf(input);
  if (request.direction == ConvertDirection::FromUnicode) {
    result.bytes = GlyphRtf(GlyphDocument(document, result.problems));
  } else {
    const RtfDocument unicode = UnicodeDocument(document, result.problems);
    result.bytes = request.outputFormat == DocumentFormat::Html ? HtmlOfDocument(unicode)
                                                                : UnicodeRtf(unicode);
  }
  return result;
}

ConvertedDocument Convert(const ConvertRequest& request, std::string_view input) {
  if (request.inputFormat == DocumentFormat::Rtf) return ConvertRtf(request, input);
  ConvertedDocument result;
  if (request.direction == ConvertDirection::FromUnicode) {
    result.bytes = UnicodeToGlyphs(UnicodeInput(input), result.problems);
  } else if (request.outputFormat == DocumentFormat::Html) {
    result.bytes = HtmlOfUnicodeLines(GlyphsToUnicode(input, result.problems));
  } else {
    result.bytes = Utf8FromUnicode(GlyphsToUnicode(input, result.problems));
  }
  return result;
}

}  // namespace

ConvertRequest ParseConvertArguments(const std::vector<std::string>& arguments) {
  ConvertRequest request;
  std::vector<std::string> names;
  for (const std::string& argument : arguments) {
    if (argument == "--help" || argument == "-h")
      request.help = true;
    else if (argument == "--placeholders")
      request.placeholders = true;
    else if (argument.size() > 1 && argument[0] == '-')
      throw Exception("unknown option \"" + argument + "\" (see --help)");
    else
      names.push_back(argument);
  }
  if (request.help) return request;
  if (names.size() != 3) throw Exception("expected a command, IN and OUT (see --help)");
  if (names[0] == "to-unicode")
    request.direction = ConvertDirection::ToUnicode;
  else if (names[0] == "from-unicode")
    request.direction = ConvertDirection::FromUnicode;
  else
    throw Exception("unknown command \"" + names[0] + "\": to-unicode or from-unicode");
  request.input = names[1];
  request.output = names[2];
  request.inputFormat = FormatOf(request.input);
  request.outputFormat = FormatOf(request.output);
  if (!Supported(request))
    throw Exception(names[0] + " cannot turn \"" + request.input + "\" into \"" + request.output +
                    "\" (see --help for the formats)");
  return request;
}

ConvertedDocument ConvertDocument(const ConvertRequest& request, std::string_view input) {
  ConvertedDocument result = Convert(request, input);
  if (!result.problems.empty() && !request.placeholders)
    throw Exception(ProblemMessage(result.problems));
  return result;
}

}  // namespace core
