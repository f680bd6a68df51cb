#pragma once
// What is refused in XML from outside before the parser reads it: a document type, an
// entity XML does not define itself, a character reference to no character (a surrogate,
// "&#;"), and nesting deeper than any script has (the parser descends recursively and
// would exhaust the stack). Comments and CDATA hold no references.

#include <optional>
#include <string>

constexpr int deepestXml = 512; // elements inside one another

// Why the bytes are refused, or nothing when the parser may read them. A script file's
// HTML (`html`) may declare its type and hold entities such as &nbsp;: the parser reads no
// document type and leaves those entities as they stand; only its depth and its
// character references are checked.
std::optional<std::string> xmlRefusal(const std::string& bytes, bool html = false);
