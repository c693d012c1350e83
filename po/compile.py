#!/usr/bin/env python3
"""Compiles the translations of po/ into the form's text table, a C++ source.

Usage: compile.py PO_FOLDER OUTPUT.cpp

Every language listed in PO_FOLDER/LINGUAS gets one catalogue: each text of velkora.pot with
its translation from LANGUAGE.po. A text that a PO file leaves untranslated or marks fuzzy
stops the build with a message that names it, so that a window never shows English where its
language is promised.
"""

import pathlib
import sys

ESCAPES = {'n': '\n', 't': '\t', 'r': '\r', '"': '"', '\\': '\\', 'a': '\a', 'b': '\b', 'f': '\f', 'v': '\v'}


def unquote(literal, where):
    """The text of a PO string literal ("..." with C escapes)."""
    if len(literal) < 2 or literal[0] != '"' or literal[-1] != '"':
        sys.exit(f'{where}: not a quoted string: {literal}')
    body, text, i = literal[1:-1], [], 0
    while i < len(body):
        if body[i] == '\\' and i + 1 < len(body) and body[i + 1] in ESCAPES:
            text.append(ESCAPES[body[i + 1]])
            i += 2
        else:
            text.append(body[i])
            i += 1
    return ''.join(text)


def read_po(path):
    """The entries of a PO or POT file: {msgid: (msgstr, fuzzy, files)}, the header left out."""
    entries, entry, field, fuzzy, files = {}, {}, None, False, []

    def finish():
        nonlocal entry, field, fuzzy, files
        if 'msgctxt' in entry:
            sys.exit(f'{path}: msgctxt is not used here: the form looks a text up by its English alone')
        if entry.get('msgid'):
            entries[entry['msgid']] = (entry.get('msgstr', ''), fuzzy, files)
        entry, field, fuzzy, files = {}, None, False, []

    for number, line in enumerate(path.read_text(encoding='utf-8').splitlines(), 1):
        where = f'{path}:{number}'
        line = line.strip()
        if not line:
            finish()
        elif line.startswith('#~'):
            continue  # obsolete
        elif line.startswith('#:'):
            files += line[2:].split()
        elif line.startswith('#,'):
            fuzzy = fuzzy or 'fuzzy' in [flag.strip() for flag in line[2:].split(',')]
        elif line.startswith('#'):
            continue
        elif line.startswith('"'):
            if field is None:
                sys.exit(f'{where}: a continued string without a field')
            entry[field] += unquote(line, where)
        else:
            keyword, _, literal = line.partition(' ')
            if keyword in ('msgid_plural',) or keyword.startswith('msgstr['):
                sys.exit(f'{where}: plural forms are not used here')
            if keyword not in ('msgctxt', 'msgid', 'msgstr'):
                sys.exit(f'{where}: unknown line: {line}')
            if keyword in ('msgctxt', 'msgid') and 'msgstr' in entry:
                finish()
            field = keyword
            entry[field] = unquote(literal.strip(), where)
    finish()
    return entries


def cpp_string(text):
    """A C++ string literal of the text's UTF-8 bytes."""
    out = []
    for byte in text.encode('utf-8'):
        char = chr(byte)
        if char in '"\\':
            out.append('\\' + char)
        elif 0x20 <= byte < 0x7F:
            out.append(char)
        else:
            out.append(f'\\{byte:03o}')
    return '"' + ''.join(out) + '"'


def main():
    folder, output = pathlib.Path(sys.argv[1]), pathlib.Path(sys.argv[2])
    codes = []
    for line in (folder / 'LINGUAS').read_text(encoding='utf-8').splitlines():
        codes += line.split('#')[0].split()
    # The AppStream metadata's texts are merged into it when it is installed; the program
    # itself never shows them.
    english = [text for text, (_, _, files) in read_po(folder / 'velkora.pot').items()
               if any('metainfo' not in file for file in files)]

    catalogues = []
    problems = []
    for code in codes:
        translated = read_po(folder / f'{code}.po')
        rows = []
        for text in english:
            msgstr, fuzzy, _ = translated.get(text, ('', False, []))
            if not msgstr or fuzzy:
                problems.append(f'{folder / code}.po: {"fuzzy" if msgstr else "untranslated"}: {text!r}')
            rows.append((text, msgstr))
        catalogues.append((code, rows))
    if problems:
        sys.exit('\n'.join(problems + ['every text of velkora.pot needs a translation in each PO file of LINGUAS']))

    lines = ['// Written by po/compile.py from the PO files of po/; not to be edited.',
             '#include "window/language.h"', '', 'namespace velkora {', '', 'namespace {', '']
    for code, rows in catalogues:
        lines.append(f'    constexpr Translation {code}[] = {{')
        lines += [f'        {{ {cpp_string(text)}, {cpp_string(msgstr)} }},' for text, msgstr in rows]
        lines += ['    };', '']
    entries = ', '.join(['{ "en", {} }'] + [f'{{ "{code}", {code} }}' for code, _ in catalogues])
    lines += [f'    constexpr Language all[] = {{ {entries} }};', '', '} // namespace', '',
              'extern const std::span<const Language> compiledLanguages;',
              'const std::span<const Language> compiledLanguages { all };', '', '} // namespace velkora', '']
    text = '\n'.join(lines)
    if not output.exists() or output.read_text(encoding='utf-8') != text:
        output.parent.mkdir(parents=True, exist_ok=True)
        output.write_text(text, encoding='utf-8')


if __name__ == '__main__':
    main()
