#!/usr/bin/env python3
"""Independent reader of a dBASE III table and its memo file, for the tests.

Usage: dbf_reader.py TABLE OUTPUT
Writes to OUTPUT one line 'header <count> <header length> <record length> <version>', one
line per field 'field <name> <type> <length> <decimals>', then one line per record: the
deletion flag followed by each value as hex ('-' when blank), tab-separated. Exits non-zero
when the file breaks the layout, with the reason in OUTPUT.err.
"""
import os
import struct
import sys


def main(table_path, out_path):
    data = open(table_path, 'rb').read()
    version, yy, mm, dd, count, header_len, record_len = struct.unpack_from('<B3BIHH', data, 0)
    assert 1 <= mm <= 12 and 1 <= dd <= 31, 'bad date'
    assert data[12:32] == bytes(20), 'reserved bytes are not zero'
    fields = []
    pos = 32
    while data[pos] != 0x0D:
        desc = data[pos:pos + 32]
        name = desc[:11].split(b'\0')[0].decode('ascii')
        assert desc[12:16] == bytes(4) and desc[18:32] == bytes(14), 'reserved bytes'
        assert desc[len(name):11] == bytes(11 - len(name)), 'name not NUL-padded'
        fields.append((name, chr(desc[11]), desc[16], desc[17]))
        pos += 32
    assert pos + 1 == header_len, 'header length'
    assert record_len == 1 + sum(f[2] for f in fields), 'record length'
    assert len(data) == header_len + count * record_len + 1 and data[-1] == 0x1A, 'end of file marker'
    memo = b''
    if any(f[1] == 'M' for f in fields):
        assert version == 0x83
        memo = open(os.path.splitext(table_path)[0] + '.dbt', 'rb').read()
        next_free = struct.unpack_from('<I', memo, 0)[0]
        assert next_free * 512 >= len(memo), 'next free block inside the data'
    else:
        assert version == 0x03
    lines = ['header %d %d %d %d' % (count, header_len, record_len, version)]
    lines += ['field %s %s %d %d' % f for f in fields]
    for r in range(count):
        rec = data[header_len + r * record_len: header_len + (r + 1) * record_len]
        assert rec[0:1] in (b' ', b'*'), 'deletion flag'
        values = [rec[0:1].decode()]
        at = 1
        for name, ftype, length, dec in fields:
            raw = rec[at:at + length]
            at += length
            if ftype == 'C':
                value = raw.rstrip(b' ')
            elif ftype == 'M':
                value = b''
                if raw.strip():
                    start = int(raw) * 512
                    end = memo.index(b'\x1a\x1a', start)
                    value = memo[start:end]
            elif ftype == 'L':
                value = raw if raw in (b'T', b'F') else b''
            else:
                value = raw.strip(b' ')
                if ftype == 'N':
                    assert raw == raw.strip(b' ').rjust(length), 'number not right-justified'
            values.append(value.hex() if value else '-')
        lines.append('\t'.join(values))
    # Appears whole: the caller may be watching for it.
    open(out_path + '.part', 'w').write('\n'.join(lines) + '\n')
    os.replace(out_path + '.part', out_path)


if __name__ == '__main__':
    try:
        main(sys.argv[1], sys.argv[2])
    except Exception:  # the calling test shows OUTPUT.err
        import traceback
        open(sys.argv[2] + '.err.part', 'w').write(traceback.format_exc())
        os.replace(sys.argv[2] + '.err.part', sys.argv[2] + '.err')
        sys.exit(1)
