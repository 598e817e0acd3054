#!/usr/bin/env python3
"""Reads the finished translations of a Qt Linguist file (.ts) and writes them for the page.

    ts_catalogue.py js TS_FILE OUTPUT     an ES module whose default export is
                                          { context: { English: translation } }, of the page's
                                          own texts (context "Page"), which its scripts show
    ts_catalogue.py cpp TS_FILE OUTPUT    the C++ catalogue sho::kPersianTexts (web/shared/catalogue.h)
                                          of the program's texts, all but the page's own
    ts_catalogue.py json TS_FILE          the module's object as JSON, on standard output
    ts_catalogue.py count TS_FILE         how many finished translations the file holds

A translation is finished when it has text and no type (not "unfinished", "obsolete" or
"vanished"). The page looks texts up by context and English text alone, so a file that gives one
English text of a context two translations, or plural forms, is refused.
"""

import json
import sys
import unicodedata
import xml.etree.ElementTree as ElementTree


class CatalogueError(Exception):
    pass


def read_catalogue(ts_path):
    """The finished translations, as (context, source, translation) in the file's order."""
    try:
        root = ElementTree.parse(ts_path).getroot()
    except (OSError, ElementTree.ParseError) as error:
        raise CatalogueError(f"{ts_path}: {error}") from error
    texts = []
    seen = set()
    for context in root.iter("context"):
        name = context.findtext("name", default="")
        for message in context.iter("message"):
            source = message.findtext("source")
            translation = message.find("translation")
            if source is None or translation is None:
                raise CatalogueError(f"{ts_path}: a message of {name} lacks its source or "
                                     "translation")
            if translation.get("type") or not translation.text:
                continue
            if message.get("numerus") == "yes":
                raise CatalogueError(f"{ts_path}: {name}: {source!r} has plural forms, which the "
                                     "page does not read")
            if (name, source) in seen:
                raise CatalogueError(f"{ts_path}: {name} translates {source!r} twice")
            seen.add((name, source))
            texts.append((name, source, translation.text))
    return texts


def as_object(texts):
    contexts = {}
    for context, source, translation in texts:
        contexts.setdefault(context, {})[source] = translation
    return contexts


def js_module(texts, ts_name):
    # As JSON in a string, which the browser reads much faster than the same object written out
    # as script; "</" written as "<\\/": the module ends up inside the page's <script> element.
    body = json.dumps(json.dumps(as_object(texts), ensure_ascii=False),
                      ensure_ascii=False).replace("</", "<\\/")
    return (f"// The finished translations of {ts_name}, made by ts_catalogue.py when the page is"
            f" built.\nexport default JSON.parse({body});\n")


def cpp_literal(text):
    """A C++ string literal of the text's UTF-8 bytes. Backslashes, quotes, control characters and
    invisible formatting characters (the right-to-left marks of Persian, say) are written as octal
    escapes, which unlike hexadecimal ones cannot run into the characters after them."""
    parts = []
    for character in text:
        invisible = unicodedata.category(character)[0] in "CZ" and character != " "
        if invisible or character in '\\"':
            parts.append("".join(f"\\{byte:03o}" for byte in character.encode("utf-8")))
        else:
            parts.append(character)
    return '"' + "".join(parts) + '"'


def cpp_catalogue(texts, ts_name):
    lines = [
        f"// The finished translations of {ts_name}, made by ts_catalogue.py when the page is"
        " built.",
        '#include "web/shared/catalogue.h"',
        "",
        "namespace sho {",
        "",
    ]
    if texts:
        lines.append("const TranslatedText kPersianTexts[] = {")
        for context, source, translation in texts:
            lines.append(f"    {{{cpp_literal(context)}, {cpp_literal(source)},")
            lines.append(f"     {cpp_literal(translation)}}},")
        lines.append("};")
    else:
        # An array of no elements is not C++: one empty entry that the count leaves out.
        lines.append("const TranslatedText kPersianTexts[] = {{nullptr, nullptr, nullptr}};")
    lines += [
        f"const std::size_t kPersianTextCount = {len(texts)};",
        "",
        "}  // namespace sho",
        "",
    ]
    return "\n".join(lines)


# The context of the texts that the page's scripts translate themselves; the program's C++
# translates all others.
PAGE_CONTEXT = "Page"


def write(path, text):
    with open(path, "w", encoding="utf-8", newline="\n") as file:
        file.write(text)


def main(arguments):
    commands = {"js": 3, "cpp": 3, "json": 2, "count": 2}
    if not arguments or commands.get(arguments[0]) != len(arguments):
        print(__doc__.strip(), file=sys.stderr)
        return 2
    command, ts_path = arguments[0], arguments[1]
    try:
        texts = read_catalogue(ts_path)
    except CatalogueError as error:
        print(f"ts_catalogue.py: {error}", file=sys.stderr)
        return 1
    ts_name = ts_path.replace("\\", "/").rsplit("/", 1)[-1]
    if command == "js":
        write(arguments[2], js_module([t for t in texts if t[0] == PAGE_CONTEXT], ts_name))
    elif command == "cpp":
        write(arguments[2], cpp_catalogue([t for t in texts if t[0] != PAGE_CONTEXT], ts_name))
    elif command == "json":
        sys.stdout.reconfigure(encoding="utf-8")
        json.dump(as_object(texts), sys.stdout, ensure_ascii=False)
        print()
    else:
        print(len(texts))
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
