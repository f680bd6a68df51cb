#include "files/ScriptLoader.hpp"

#include "files/TextCodec.hpp"

#include <rapidxml/rapidxml.hpp>

#include "files/WholeFile.hpp"

#include <vector>

namespace {
struct StoredParagraph {
    DivType kind;
    sf::String text;
};

sf::String valueOf(const rapidxml::xml_node<>* node)
{
    return singleLine(fromUtf8(node->value(), node->value_size()));
}

// Walks the parsed tree by position; false when the file is not a script.
bool readTree(rapidxml::xml_document<>& document, sf::String& title, sf::String& author,
              std::vector<StoredParagraph>& paragraphs)
{
    const auto* html = document.first_node("html");
    const auto* body = html ? html->first_node("body") : nullptr;
    const auto* firstPage = body ? body->first_node("div") : nullptr;
    const auto* titleDiv = firstPage ? firstPage->first_node() : nullptr;
    const auto* subtitleDiv = titleDiv ? titleDiv->next_sibling() : nullptr;
    if (!subtitleDiv)
        return false;
    title = valueOf(titleDiv);
    author = valueOf(subtitleDiv);

    for (const auto* container = firstPage->next_sibling(); container; container = container->next_sibling()) {
        for (const auto* child = container->first_node(); child; child = child->next_sibling()) {
            if (child->type() != rapidxml::node_element)
                return false; // stray text between paragraphs
            const auto* attribute = child->first_attribute();
            if (!attribute)
                return false;
            const std::string kindName(attribute->value(), attribute->value_size());
            if (kindName == "SceneNum")
                continue;
            const auto kind = kindByName.find(kindName);
            if (kind == kindByName.end())
                return false;
            paragraphs.push_back({kind->second, valueOf(child)});
        }
    }
    return true;
}

// The parser descends recursively; a script is shallow, so refuse deep nesting before it
// can exhaust the stack. Counting every opening tag over-estimates, which is safe.
bool shallowEnough(const std::string& bytes)
{
    constexpr int deepest = 512;
    int depth = 0;
    for (std::size_t i = 0; i + 1 < bytes.size(); ++i) {
        if (bytes[i] == '<' && bytes[i + 1] == '/')
            --depth;
        else if (bytes[i] == '/' && bytes[i + 1] == '>')
            --depth;
        else if (bytes[i] == '<' && bytes[i + 1] != '!' && bytes[i + 1] != '?' && ++depth > deepest)
            return false;
    }
    return true;
}
} // namespace

bool loadScriptFromBytes(Page& page, sf::String& title, sf::String& author, std::string bytes)
{
    if (!shallowEnough(bytes))
        return false;
    bytes.push_back('\0');
    rapidxml::xml_document<> document;
    sf::String newTitle, newAuthor;
    std::vector<StoredParagraph> stored;
    try {
        document.parse<0>(bytes.data());
        if (!readTree(document, newTitle, newAuthor, stored))
            return false;
    } catch (const rapidxml::parse_error&) {
        return false;
    }
    if (stored.empty())
        stored.push_back({Scene, sf::String()});

    page.clearParagraphs();
    for (const StoredParagraph& paragraph : stored) {
        page.insertParagraph(paragraph.kind);
        page.currentParagraph().setText(paragraph.text);
    }
    page.relayout();
    page.focusCurrent();
    title = newTitle;
    author = newAuthor;
    return true;
}

bool loadScript(Page& page, sf::String& title, sf::String& author, const std::string& fileName)
{
    std::string bytes;
    if (!readWholeFile(fileName, bytes))
        return false;
    return loadScriptFromBytes(page, title, author, std::move(bytes));
}
