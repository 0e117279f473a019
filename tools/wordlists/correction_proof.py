#!/usr/bin/env python3
"""Writes tests/fieldid/correction_words.inc: correct words that must pass the word-list
correction unchanged, and misreadings of list words that it must mend.

Run by hand:  tools/wordlists/correction_proof.py
Correct words come from Debian's word lists (packages wamerican, wngerman, wfrench), not from
the library's lists: every dictionary word of 5 letters or more that shares its first four
letters with an entry of the correction lists but is no entry itself, taken at even steps.
Those are the words a loose correction would turn into list words. Misreadings are list
entries of 6 letters or more with one confusion a reader makes.
"""
import os, re

HERE = os.path.dirname(os.path.abspath(__file__))
LISTS = os.path.join(HERE, '..', '..', 'fieldid', 'lists')
OUT = os.path.join(HERE, '..', '..', 'tests', 'fieldid', 'correction_words.inc')


def entries(name):
    with open(os.path.join(LISTS, name + '.inc'), encoding='cp1252', errors='replace') as f:
        raw = f.read()
    out = []
    for lit in re.findall(r'"((?:[^"\\]|\\.)*)"', raw):
        text = re.sub(r'\\(\d{3})', lambda m: chr(int(m.group(1), 8)), lit)
        out.append(bytes(text, 'latin-1').decode('cp1252').strip())
    return out


def encodable(word):
    try:
        word.encode('cp1252')
        return True
    except UnicodeEncodeError:
        return False


def dictionary(path, nouns=False):
    with open(path, encoding='utf-8') as f:
        words = [w.strip() for w in f]
    return sorted({w for w in words if len(w) >= 5 and w.isalpha() and encodable(w) and w[0].isupper() == nouns})


def upper(word):
    return ''.join(chr(ord(c) - 32) if 'a' <= c <= 'z' else c for c in word)


def near(words, vocabulary, count):
    """Dictionary words that begin like a list word (its first six letters, or all but its last
    letter when shorter): plurals, inflections and derived words of the titles and company words."""
    stems = {e[:min(6, len(e) - 1)] for e in vocabulary if len(e) >= 5}
    known = set(vocabulary)
    picked = [w for w in words if any(upper(w).startswith(s) for s in stems) and upper(w) not in known]
    step = max(1, len(picked) // count)
    return [w[0].upper() + w[1:] for w in picked[::step]][:count]


def misread(entry, i):
    rules = [('O', '0'), ('I', '1'), ('L', '1'), ('S', '5'), ('M', 'RN'), ('D', 'CL'), ('W', 'VV'),
             ('E', 'F'), ('G', 'Q'), ('T', 'I')]
    for k in range(len(rules)):
        a, b = rules[(i + k) % len(rules)]
        p = entry.find(a, 1)
        wrong = entry[:p] + b + entry[p + 1:]
        # "1NC" and "LNC" read as a misprinted "Inc" and make the line a company's.
        if 0 < p < len(entry) - 1 and '1NC' not in wrong:
            return wrong
    p = len(entry) // 2
    return entry[:p] + entry[p] + entry[p:] if i % 2 else entry[:p] + entry[p + 1:]


def c_string(text):
    return '"' + ''.join(c if 32 <= ord(c) < 127 and c not in '"\\' else '\\%03o' % c.encode('cp1252')[0]
                         for c in text) + '"'


def main():
    titles = entries('corr_titles')
    companies = entries('corr_company_words')
    departments = entries('corr_departments')
    english = near(dictionary('/usr/share/dict/american-english'), titles + companies + departments, 200)
    german = near(dictionary('/usr/share/dict/ngerman', nouns=True), entries('de_titles') + entries('de_corr_departments'),
                  50)
    french = near(dictionary('/usr/share/dict/french'), entries('fr_titles') + entries('fr_corr_departments'), 50)
    pool = [e for e in titles + companies if len(e) >= 6 and e.isalpha()]
    step = max(1, len(pool) // 100)
    misreadings = [(misread(e, i), e) for i, e in enumerate(pool[::step][:100])]
    with open(OUT, 'w', newline='\n') as f:
        f.write('// Written by tools/wordlists/correction_proof.py; do not edit by hand.\n')
        for name, kind, words in [('kEnglishWords', 0, english), ('kGermanWords', 2, german),
                                  ('kFrenchWords', 5, french)]:
            f.write('const char* const %s[] = {\n' % name)
            for w in words:
                f.write('    %s,\n' % c_string(w))
            f.write('};\n')
        f.write('const Misreading kMisreadings[] = {\n')
        for wrong, right in misreadings:
            f.write('    {%s, %s, %s},\n' % (c_string(wrong.capitalize()), c_string(right.capitalize()),
                                          'true' if right in titles else 'false'))
        f.write('};\n')
    print(len(english), len(german), len(french), len(misreadings))


if __name__ == '__main__':
    main()
