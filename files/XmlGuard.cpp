#include "files/XmlGuard.hpp"

#include <cctype>
#include <cstring>

namespace {
// Whether a character reference (after "&#", up to its ';') names a character XML allows.
bool characterReference(const std::string& bytes, std::size_t at)
{
    const bool hex = at < bytes.size() && bytes[at] == 'x';
    std::size_t i = at + (hex ? 1 : 0);
    unsigned long code = 0;
    const std::size_t digits = i;
    for (; i < bytes.size() && std::isxdigit(static_cast<unsigned char>(bytes[i])) && code <= 0x10FFFF; ++i) {
        const char c = bytes[i];
        if (!hex && !std::isdigit(static_cast<unsigned char>(c)))
            return false;
        code = code * (hex ? 16 : 10) + static_cast<unsigned long>(std::isdigit(static_cast<unsigned char>(c)) ? c - '0' : (c | 0x20) - 'a' + 10);
    }
    const bool allowed = code == 0x9 || code == 0xA || code == 0xD || (code >= 0x20 && code <= 0xD7FF) ||
                         (code >= 0xE000 && code <= 0xFFFD) || (code >= 0x10000 && code <= 0x10FFFF);
    return i > digits && i < bytes.size() && bytes[i] == ';' && allowed;
}

// What is wrong with the references in the text, outside comments and CDATA: a character
// reference to no character (a surrogate, "&#;"), and, but in script HTML, entities besides
// XML's own five, which would need a document type that is never read.
std::optional<std::string> referenceProblem(const std::string& bytes, bool html)
{
    static const char* const known[] = {"amp;", "lt;", "gt;", "quot;", "apos;"};
    for (std::size_t at = bytes.find_first_of("<&"); at != std::string::npos; at = bytes.find_first_of("<&", at + 1)) {
        if (bytes[at] == '<') {
            const char* skipTo = bytes.compare(at, 4, "<!--") == 0 ? "-->" : bytes.compare(at, 9, "<![CDATA[") == 0 ? "]]>" : nullptr;
            if (skipTo && (at = bytes.find(skipTo, at)) == std::string::npos)
                break;
            continue;
        }
        if (at + 1 < bytes.size() && bytes[at + 1] == '#') {
            if (!characterReference(bytes, at + 2))
                return "it uses a character reference that is no character";
            continue;
        }
        bool ok = html;
        for (const char* entity : known)
            ok = ok || bytes.compare(at + 1, std::strlen(entity), entity) == 0;
        if (!ok)
            return "it uses an entity XML does not define";
    }
    return std::nullopt;
}

// The deepest nesting of elements, read as the parser reads tags: comments, CDATA and
// processing instructions hold no elements, a quoted value may hold '>' and "/>", and a
// "/>" in text closes nothing.
bool shallowEnough(const std::string& bytes)
{
    int depth = 0;
    std::size_t i = 0;
    auto skipPast = [&](const char* end) {
        const std::size_t found = bytes.find(end, i);
        i = found == std::string::npos ? bytes.size() : found + std::strlen(end);
    };
    while ((i = bytes.find('<', i)) != std::string::npos) {
        if (bytes.compare(i, 4, "<!--") == 0) {
            skipPast("-->");
        } else if (bytes.compare(i, 9, "<![CDATA[") == 0) {
            skipPast("]]>");
        } else if (bytes.compare(i, 2, "<?") == 0 || bytes.compare(i, 2, "<!") == 0) {
            skipPast(">");
        } else if (bytes.compare(i, 2, "</") == 0) {
            --depth;
            skipPast(">");
        } else {
            char quote = 0;
            for (++i; i < bytes.size() && (quote || bytes[i] != '>'); ++i)
                if (bytes[i] == '"' || bytes[i] == '\'')
                    quote = quote == bytes[i] ? 0 : quote ? quote : bytes[i];
            const bool empty = i < bytes.size() && bytes[i - 1] == '/';
            if (!empty && ++depth > deepestXml)
                return false;
            ++i;
        }
    }
    return true;
}
} // namespace

std::optional<std::string> xmlRefusal(const std::string& bytes, bool html)
{
    if (!html && bytes.find("<!DOCTYPE") != std::string::npos)
        return "it declares a document type";
    if (const std::optional<std::string> problem = referenceProblem(bytes, html))
        return problem;
    if (!shallowEnough(bytes))
        return "its elements are nested too deeply";
    return std::nullopt;
}
