#pragma once
// The script as its files show it: scene headings and names in capitals.

#include "document/Script.hpp"

inline Script asShown(Script script)
{
    for (Paragraph& paragraph : script.paragraphs)
        paragraph.text = shownText(paragraph.kind, paragraph.text);
    return script;
}
