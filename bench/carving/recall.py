#!/usr/bin/env python3
"""Counts how many originals of a benchmark manifest came back from a carving tool.

An original is recovered when some carved file under the given folders starts with all of its
bytes (the carved file may be longer). Carved files are indexed by a hash of their first
sector, so only files that begin like the original are read further, and those only for the
original's length.

  recall.py MANIFEST DIR [DIR...]   prints: photos found/total, videos found/total, carved files
"""
import hashlib
import os
import sys
from collections import defaultdict

SECTOR = 512
CHUNK = 1 << 20
PHOTO = {'jpg', 'png', 'gif', 'tif', 'bmp', 'webp', 'heic', 'psd'}
VIDEO = {'mp4', 'mov', 'avi', 'mkv', '3gp', 'wmv', 'flv', 'mpg'}


def first_sector_key(path):
    with open(path, 'rb') as f:
        return hashlib.blake2b(f.read(SECTOR), digest_size=16).digest()


def is_prefix(original, carved):
    with open(original, 'rb') as a, open(carved, 'rb') as b:
        while True:
            x = a.read(CHUNK)
            if not x:
                return True
            if b.read(len(x)) != x:
                return False


def main():
    if len(sys.argv) < 3:
        sys.exit(__doc__)
    index = defaultdict(list)
    carved = 0
    carved_bytes = 0
    for root in sys.argv[2:]:
        for folder, _, names in os.walk(root):
            for name in names:
                path = os.path.join(folder, name)
                if not os.path.isfile(path) or os.path.islink(path):
                    continue
                size = os.path.getsize(path)
                carved += 1
                carved_bytes += size
                if size >= SECTOR:
                    index[first_sector_key(path)].append((size, path))

    found = defaultdict(int)
    total = defaultdict(int)
    missed = []
    with open(sys.argv[1]) as manifest:
        for line in manifest:
            original, _, size, ext = line.rstrip('\n').split('\t')
            kind = 'photo' if ext in PHOTO else 'video' if ext in VIDEO else 'other'
            total[kind] += 1
            size = int(size)
            candidates = [p for s, p in index.get(first_sector_key(original), []) if s >= size]
            if any(is_prefix(original, p) for p in candidates):
                found[kind] += 1
            else:
                missed.append(os.path.basename(original))
    print('photos %d/%d videos %d/%d carved_files %d carved_mib %.0f' %
          (found['photo'], total['photo'], found['video'], total['video'], carved,
           carved_bytes / (1 << 20)))
    if missed and os.environ.get('RECALL_VERBOSE'):
        print('missed: ' + ' '.join(missed), file=sys.stderr)


if __name__ == '__main__':
    main()
