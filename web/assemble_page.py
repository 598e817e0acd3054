#!/usr/bin/env python3
"""Puts the page together as one file, from the HTML with these empty elements:
- <style>: the style sheet and the window's own;
- <script>: the script;
- <script id="program-wasm">: the program's WebAssembly as base64, a block of data that the
  browser does not run;
- <div id="window-area">: the window in English, followed by the window in each other language
  in a <template id="window-LANG">;
and the window's caption as its <title>, and the SHA-256 hashes of the style sheet and the script
in its Content-Security-Policy, where 'sha256-STYLE' and 'sha256-SCRIPT' stand for them.

Usage: assemble_page.py HTML CSS SCRIPT WASM WINDOW_JSON OUTPUT [--max-bytes N]
WINDOW_JSON is what render_window.mjs writes. Fails, writing nothing, when a placeholder is not
there exactly once, when the style sheet or the script would end its element early, or when the
page would be larger than N bytes.
"""

import argparse
import base64
import hashlib
import html as markup
import json
import re
import sys


class PageError(Exception):
    pass


def read_text(path):
    with open(path, encoding="utf-8", newline="") as file:
        # The browser reads every line break of the page as "\n", and hashes what it read.
        return file.read().replace("\r\n", "\n").replace("\r", "\n")


def csp_source(text):
    digest = hashlib.sha256(text.encode("utf-8")).digest()
    return f"'sha256-{base64.b64encode(digest).decode('ascii')}'"


WASM_BLOCK = '<script type="application/octet-stream" id="program-wasm"></script>'
WINDOW_AREA = '<div id="window-area"></div>'
TITLE = "<title>sho-euler</title>"
SHOWN_LANGUAGE = "en"


def window_html(window):
    templates = "".join(f'\n<template id="window-{language}">{markup}</template>'
                        for language, markup in window["markup"].items()
                        if language != SHOWN_LANGUAGE)
    return f'<div id="window-area">{window["markup"][SHOWN_LANGUAGE]}</div>{templates}'


def assemble(html, css, script, wasm, window):
    css = css + window["style"]
    # Inside the element, its end tag is the only thing the HTML parser looks for.
    for text, name in ((css, "style"), (script, "script")):
        if re.search(f"</{name}", text, re.IGNORECASE):
            raise PageError(f"the {name} holds </{name}, which would end its element early")
    wasm_text = base64.b64encode(wasm).decode("ascii")
    filled = {
        "<style></style>": f"<style>{css}</style>",
        "<script></script>": f"<script>{script}</script>",
        WASM_BLOCK: WASM_BLOCK.replace("></script>", f">{wasm_text}</script>"),
        WINDOW_AREA: window_html(window),
        TITLE: f"<title>{markup.escape(window['title'], quote=False)}</title>",
        "'sha256-STYLE'": csp_source(css),
        "'sha256-SCRIPT'": csp_source(script),
    }
    for placeholder in filled:
        if html.count(placeholder) != 1:
            raise PageError(f"the HTML has {placeholder} {html.count(placeholder)} times, not once")
    # In one pass, so that nothing put in is taken for a placeholder.
    return re.sub("|".join(map(re.escape, filled)), lambda found: filled[found[0]], html)


def main():
    parser = argparse.ArgumentParser(description=__doc__.split("\n\n")[0])
    parser.add_argument("html")
    parser.add_argument("css")
    parser.add_argument("script")
    parser.add_argument("wasm")
    parser.add_argument("window")
    parser.add_argument("output")
    parser.add_argument("--max-bytes", type=int)
    arguments = parser.parse_args()
    try:
        with open(arguments.wasm, "rb") as file:
            wasm = file.read()
        window = json.loads(read_text(arguments.window))
        page = assemble(*(read_text(path) for path in
                          (arguments.html, arguments.css, arguments.script)),
                        wasm, window).encode("utf-8")
        if arguments.max_bytes is not None and len(page) > arguments.max_bytes:
            raise PageError(f"the page has {len(page):,} bytes, more than {arguments.max_bytes:,}")
    except (OSError, ValueError, KeyError, PageError) as error:
        print(f"assemble_page.py: {error}", file=sys.stderr)
        return 1
    with open(arguments.output, "wb") as file:
        file.write(page)
    return 0


if __name__ == "__main__":
    sys.exit(main())
