#include "files/XmlGuard.hpp"

#include <cstring>

namespace {
// Entities besides XML's own five and character references would need a document type,
// which is never read.
bool onlyKnownEntities(const std::string& bytes)
{
    static const char* const known[] = {"amp;", "lt;", "gt;", "quot;", "apos;"};
    for (std::size_t at = bytes.find('&'); at != std::string::npos; at = bytes.find('&', at + 1)) {
        if (at + 1 < bytes.size() && bytes[at + 1] == '#')
            continue;
        bool ok = false;
        for (const char* entity : known)
            ok = ok || bytes.compare(at + 1, std::strlen(entity), entity) == 0;
        if (!ok)
            return false;
    }
    return true;
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
    if (!html && !onlyKnownEntities(bytes))
        return "it uses an entity XML does not define";
    if (!shallowEnough(bytes))
        return "its elements are nested too deeply";
    return std::nullopt;
}
