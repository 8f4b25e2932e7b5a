#!/usr/bin/env python3
"""Writes the reading's lexicon from jieba's dictionary (Debian's python3-jieba, MIT licence).

usage: make_lexicon.py OUTPUT [DICT]

One word a line, the word, a TAB and a class letter, sorted by the word (so that the program can
look a word up by halving the file without building a table): P a place (ns), O an organisation (nt),
W any other word common enough to matter. Person names (nr) are left out: the dictionary's are
famous people, and a name in a paste is told by its surname and by being no other word. Only words of two to
eight Chinese characters are kept: the reading asks the lexicon about Chinese pieces of a paste,
never about letters or digits.
"""
import importlib.util
import os
import re
import sys

CHINESE = re.compile(r'^[\u4e00-\u9fff]{2,8}$')
# Rare common words say little: a piece of a paste is seldom one of them, and they would double the
# resource. Names, places and organisations are kept whatever their frequency.
COMMON = 10


# Where Debian puts it, for a python3 other than the system's (a virtual environment, pyenv).
DEBIAN_DICT = '/usr/lib/python3/dist-packages/jieba/dict.txt'


def dictionary_path():
    module = importlib.util.find_spec('jieba')
    if module is not None and module.origin:
        return os.path.join(os.path.dirname(module.origin), 'dict.txt')
    if os.path.exists(DEBIAN_DICT):
        return DEBIAN_DICT
    sys.exit('make_lexicon.py: python3-jieba is not installed (apt-get install python3-jieba)')


def word_class(tag):
    if tag in ('nr', 'nrfg', 'nrt'):
        return None
    if tag == 'ns':
        return 'P'
    if tag == 'nt':
        return 'O'
    return 'W'


def main():
    if len(sys.argv) not in (2, 3):
        sys.exit(__doc__)
    source = sys.argv[2] if len(sys.argv) == 3 else dictionary_path()
    lines = []
    with open(source, encoding='utf-8') as f:
        for line in f:
            parts = line.split()
            if len(parts) != 3 or not CHINESE.match(parts[0]):
                continue
            word, frequency, tag = parts[0], int(parts[1]), parts[2]
            cls = word_class(tag)
            if cls is None or cls == 'W' and frequency < COMMON:
                continue
            lines.append((word, cls))
    # A word listed twice (several parts of speech) keeps the class of its first line;
    # UTF-16 order, which is the program's: every kept word is in the Basic Multilingual Plane.
    seen = {}
    for word, cls in lines:
        seen.setdefault(word, cls)
    lines = ['%s\t%s\n' % (word, seen[word]) for word in sorted(seen)]
    with open(sys.argv[1] + '.tmp', 'w', encoding='utf-8', newline='\n') as f:
        f.writelines(lines)
    os.replace(sys.argv[1] + '.tmp', sys.argv[1])


if __name__ == '__main__':
    main()
